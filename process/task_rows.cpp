#include "process/task_rows.h"

#include <cstring>
#include <string_view>

namespace quellix {
namespace {
// A task row's APPPATH is taken from at most this much of the task's path.
constexpr std::size_t kMaxTaskPath = 255;

// The file name of a task's executable: the part of its path after the last
// backslash, from the first 255 characters of the path, without trailing blanks.
std::string_view TaskFileName(const char* path) {
  if (!path) return {};
  std::string_view kept = TrimTrailingBlanks({path, strnlen(path, kMaxTaskPath)});
  const std::size_t backslash = kept.rfind('\\');
  if (backslash != std::string_view::npos) kept.remove_prefix(backslash + 1);
  return TrimTrailingBlanks(kept);
}
}  // namespace

void ListWowTasks(DWORD processId, ProcessList& list, std::int32_t vdmNumber) {
  list.currentVdmNumber = vdmNumber;
  // The result, the number of tasks, tells nothing the rows do not.
  os::VDMEnumTaskWOWEx(processId, &AddTaskRow, reinterpret_cast<LPARAM>(&list));
}

BOOL WINAPI AddTaskRow(DWORD threadId, WORD /*module16*/, WORD task16, PSZ /*moduleName*/,
                       PSZ fileName, LPARAM userDefined) {
  auto* list = reinterpret_cast<ProcessList*>(userDefined);
  if (!list) return FALSE;  // a callback without a list has nowhere to put its row
  list->record.NO = list->currentVdmNumber;
  list->record.ID = static_cast<std::int32_t>(threadId);
  list->record.TASK16 = task16;
  list->record.APPPATH.Assign(TaskFileName(fileName));
  list->Append();
  return FALSE;
}

}  // namespace quellix
