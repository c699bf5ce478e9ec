#include "platform/psapi_calls.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

BOOL EnumProcesses(DWORD* processIds, DWORD bytes, DWORD* bytesReturned) {
  sim::SimulatedWindows& system = sim::System();
  if (system.Calling(sim::Call::kEnumProcesses)) {
    *bytesReturned = 0;
    return FALSE;
  }
  if (system.enumProcessesFailsWithBytes) {
    *bytesReturned = *system.enumProcessesFailsWithBytes;
    return FALSE;
  }
  // Like Windows: as many ids as fit, and no sign that some did not.
  const std::size_t fit = bytes / sizeof(DWORD);
  std::size_t written = 0;
  for (; written < system.processes.size() && written < fit; ++written) {
    processIds[written] = system.processes[written].id;
  }
  *bytesReturned = static_cast<DWORD>(written * sizeof(DWORD));
  return TRUE;
}

BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytesNeeded) {
  if (sim::System().Calling(sim::Call::kEnumProcessModules)) return FALSE;
  const sim::Process* found =
      sim::System().ProcessOf(process, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
  if (!found || found->moduleEnumFails) return FALSE;
  // One module: the executable, at the usual image base.
  if (bytes >= sizeof(HMODULE)) modules[0] = reinterpret_cast<HMODULE>(0x400000);
  *bytesNeeded = sizeof(HMODULE);
  return TRUE;
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE /*module*/, LPSTR baseName, DWORD size) {
  if (sim::System().Calling(sim::Call::kGetModuleBaseNameA)) return 0;
  const sim::Process* found =
      sim::System().ProcessOf(process, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
  if (!found || found->baseNameFails || size == 0) return 0;
  // Like Windows: the name is cut to fit and always terminated.
  const std::size_t length = std::min<std::size_t>(found->name.size(), size - 1);
  std::memcpy(baseName, found->name.data(), length);
  baseName[length] = '\0';
  return static_cast<DWORD>(length);
}

}  // namespace quellix::os
