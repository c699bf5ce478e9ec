#include "platform/kernel32_calls.h"

#include "platform/sim/simulated_windows.h"

namespace quellix::os {
namespace {
constexpr DWORD kErrorAccessDenied = 5;
constexpr DWORD kErrorInvalidParameter = 87;
}  // namespace

HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId) {
  sim::SimulatedWindows& system = sim::System();
  system.processOpenings.push_back({processId, desiredAccess, inheritHandle});
  const bool toTerminate = (desiredAccess & PROCESS_TERMINATE) != 0;
  if (system.Calling(toTerminate ? sim::Call::kOpenProcessToTerminate
                                 : sim::Call::kOpenProcessToInspect)) {
    system.lastError = kErrorAccessDenied;
    return nullptr;
  }
  const sim::Process* process = system.FindProcess(processId);
  if (!process) {
    system.lastError = kErrorInvalidParameter;
    return nullptr;
  }
  if (process->deniesQuery && (desiredAccess & (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ))) {
    return nullptr;
  }
  if (process->deniesTerminate && (desiredAccess & PROCESS_TERMINATE)) return nullptr;
  return system.OpenHandle(processId, desiredAccess);
}

BOOL TerminateProcess(HANDLE process, UINT exitCode) {
  sim::SimulatedWindows& system = sim::System();
  if (system.Calling(sim::Call::kTerminateProcess)) return FALSE;
  const sim::Process* found = system.ProcessOf(process, PROCESS_TERMINATE);
  if (!found) return FALSE;
  const DWORD processId = found->id;
  system.RemoveProcess(processId);
  system.terminations.push_back({processId, exitCode});
  return TRUE;
}

BOOL CloseHandle(HANDLE object) { return sim::System().CloseHandle(object) ? TRUE : FALSE; }

void Sleep(DWORD milliseconds) { sim::System().sleeps.push_back(milliseconds); }

HANDLE CreateSemaphoreA(void* security, LONG initialCount, LONG maximumCount, LPCSTR name) {
  sim::SimulatedWindows& system = sim::System();
  system.semaphoreCreations.push_back(
      {security != nullptr, initialCount, maximumCount, name ? name : ""});
  if (system.Calling(sim::Call::kCreateSemaphoreA)) {
    system.lastError = kErrorAccessDenied;
    return nullptr;
  }
  if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
    system.lastError = kErrorInvalidParameter;
    return nullptr;
  }
  // A semaphore without a name is always a new one.
  const bool exists = name && *name && system.SemaphoreExists(name);
  system.lastError = exists ? ERROR_ALREADY_EXISTS : 0;
  return system.OpenSemaphoreHandle(name ? name : "");
}

DWORD GetLastError() { return sim::System().lastError; }

BOOL IsDBCSLeadByte(BYTE testChar) {
  // Code page 932 (Japanese): lead bytes 0x81 to 0x9F and 0xE0 to 0xFC.
  if (sim::System().ansiCodePage != 932) return FALSE;
  return (testChar >= 0x81 && testChar <= 0x9F) || (testChar >= 0xE0 && testChar <= 0xFC);
}

}  // namespace quellix::os
