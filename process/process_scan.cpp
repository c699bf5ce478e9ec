#include "process/process_scan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/psapi_calls.h"
#include "platform/user32_calls.h"
#include "process/process_handle.h"
#include "process/process_texts.h"
#include "process/task_rows.h"

namespace quellix {
namespace {

constexpr std::size_t kMaxModules = 1024;
// Room for 255 characters and the terminating zero.
constexpr std::size_t kNameBufferSize = 256;

bool IsNtvdmName(std::string_view name) {
  return AsciiUpperCase(TrimTrailingBlanks(name)) == kNtvdmName;
}

void AppendRow(ProcessList& list, std::int32_t number, DWORD processId, std::string_view name) {
  list.record.NO = number;
  list.record.ID = static_cast<std::int32_t>(processId);
  list.record.TASK16 = 0;
  list.record.APPPATH.Assign(name);
  list.Append();
}

void ReportEnumerationFailure(DWORD bytesReturned) {
  const std::string text = std::to_string(bytesReturned);
  os::MessageBoxA(nullptr, text.c_str(), kEnumProcessesFailedCaption,
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

std::int32_t ScanProcesses(ProcessList& list) {
  std::vector<DWORD> processIds(kMaxProcessIds, 0);
  DWORD bytesReturned = 0;
  list.Empty();
  if (!os::EnumProcesses(processIds.data(), kMaxProcessIds * sizeof(DWORD), &bytesReturned)) {
    ReportEnumerationFailure(bytesReturned);
  }
  // A failed call may report any byte count; never read past the array for it.
  const std::size_t count = std::min<std::size_t>(bytesReturned / sizeof(DWORD), kMaxProcessIds);
  for (std::size_t position = 1; position <= count; ++position) {
    const DWORD processId = processIds[position - 1];
    const auto number = static_cast<std::int32_t>(position);
    if (processId == 0) {
      AppendRow(list, number, 0, kUnknownProcessName);
    } else {
      InspectProcess(processId, list, number);
    }
  }
  list.SortByNo();
  return static_cast<std::int32_t>(count);
}

void InspectProcess(DWORD processId, ProcessList& list, std::int32_t number) {
  std::vector<HMODULE> modules(kMaxModules, nullptr);
  std::array<char, kNameBufferSize> name{};
  std::memcpy(name.data(), kUnknownProcessName, sizeof kUnknownProcessName);

  const ProcessHandle process(
      os::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  DWORD bytesNeeded = 0;
  if (!process || !os::EnumProcessModules(process.get(), modules.data(),
                                          kMaxModules * sizeof(HMODULE), &bytesNeeded)) {
    AppendRow(list, number, processId, kUnknownProcessName);
    return;
  }
  // Not checked: when nothing is written the buffer still says "<unknown>".
  os::GetModuleBaseNameA(process.get(), modules[0], name.data(), kNameBufferSize);
  name.back() = '\0';
  const std::string_view reported(name.data(), std::strlen(name.data()));

  if (IsNtvdmName(reported)) {
    AppendRow(list, number, processId, kNtvdmName);
    ListWowTasks(processId, list, number);
  } else {
    AppendRow(list, number, processId, reported);
  }
}

}  // namespace quellix
