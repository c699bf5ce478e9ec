#pragma once
// The process list as the list control reads it: four fields per row, NO, ID,
// TASK16 and APPPATH, in the row's order.

#include "process/process_list.h"
#include "winsvc/list_source.h"

namespace quellix {

class ProcessListView : public ListSource {
 public:
  explicit ProcessListView(const ProcessList& list) : list_(list) {}
  std::size_t RowCount() const override { return list_.Size(); }
  ListField Field(std::size_t row, std::size_t field) const override;

 private:
  const ProcessList& list_;
};

}  // namespace quellix
