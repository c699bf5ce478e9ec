#include "platform/ole32_calls.h"

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

HRESULT CoInitializeEx(void* /*reserved*/, DWORD coInit) {
  sim::SimulatedWindows& system = sim::System();
  system.comStarts.push_back(coInit);
  // The failure a program meets in practice: something in the process started
  // COM on the thread before, in the multithreaded model.
  if (system.Calling(sim::Call::kCoInitializeEx)) return RPC_E_CHANGED_MODE;
  return system.comStartsOpen++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() { --sim::System().comStartsOpen; }

}  // namespace quellix::os
