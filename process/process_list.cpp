#include "process/process_list.h"

#include <algorithm>

#include "process/process_texts.h"

namespace quellix {

void ProcessList::SortByNo() {
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const ProcessRow& a, const ProcessRow& b) { return a.NO < b.NO; });
}

const ProcessRow* ProcessList::FindByAppPath(std::string_view name) {
  for (const ProcessRow& row : rows_) {
    if (row.APPPATH == name) {
      record = row;
      return &row;
    }
  }
  return nullptr;
}

const ProcessRow* ProcessList::FindVdmHosting(const ProcessRow& task) const {
  for (const ProcessRow& row : rows_) {
    if (row.NO == task.NO && row.TASK16 == 0 && row.APPPATH == kNtvdmName) return &row;
  }
  return nullptr;
}

}  // namespace quellix
