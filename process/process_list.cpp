#include "process/process_list.h"

#include <algorithm>

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

}  // namespace quellix
