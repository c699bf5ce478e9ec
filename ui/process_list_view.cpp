#include "ui/process_list_view.h"

namespace quellix {

ListField ProcessListView::Field(std::size_t row, std::size_t field) const {
  if (row >= list_.Size()) return {};
  const ProcessRow& shown = list_.Rows()[row];
  switch (field) {
    case 0:
      return {.number = shown.NO};
    case 1:
      return {.number = shown.ID};
    case 2:
      return {.number = shown.TASK16};
    case 3:
      return {.text = shown.APPPATH.View(), .origin = TextOrigin::kSystem};
    default:
      return {};
  }
}

}  // namespace quellix
