#include "process/task_rows.h"

#include <cstring>
#include <string_view>

#include "platform/kernel32_calls.h"

namespace quellix {
namespace {
// A task row's APPPATH is taken from at most this much of the task's path.
constexpr std::size_t kMaxTaskPath = 255;

// The file name of a task's executable: the part of its path after the last
// backslash, from the first 255 bytes of the path, without trailing blanks.
// The path is in the system's code page, read a character at a time: on a
// Japanese, Chinese or Korean system the second byte of a character can be
// 0x5C, the backslash's, without being one; and a character the 255 bytes cut
// in half is left out.
std::string_view TaskFileName(const char* path) {
  if (!path) return {};
  const std::size_t length = strnlen(path, kMaxTaskPath);
  std::size_t nameStart = 0;
  std::size_t end = 0;
  while (end < length) {
    const bool lead = os::IsDBCSLeadByte(static_cast<BYTE>(path[end])) != FALSE;
    const std::size_t width = lead ? 2 : 1;
    if (end + width > length) break;
    if (!lead && path[end] == '\\') nameStart = end + 1;
    end += width;
  }
  return TrimTrailingBlanks({path + nameStart, end - nameStart});
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
