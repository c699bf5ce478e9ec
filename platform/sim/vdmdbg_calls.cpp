#include "platform/vdmdbg_calls.h"

#include <string>
#include <vector>

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

INT VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) {
  sim::SimulatedWindows& system = sim::System();
  system.taskEnumerations.push_back(processId);
  if (system.Calling(sim::Call::kVDMEnumTaskWOWEx)) return 0;
  const sim::Process* process = system.FindProcess(processId);
  if (!process || !process->hostsWow) return 0;
  // Copied first: a callback may change the simulated system.
  const std::vector<sim::Task> tasks = process->tasks;
  INT reported = 0;
  for (const sim::Task& task : tasks) {
    std::string moduleName = "TASK";
    std::vector<char> fileName(task.filePath.begin(), task.filePath.end());
    fileName.push_back('\0');
    ++reported;
    if (callback(task.threadId, 0, task.task16, moduleName.data(), fileName.data(), userDefined)) {
      break;
    }
  }
  return reported;
}

BOOL VDMTerminateTaskWOW(DWORD processId, WORD task16) {
  sim::SimulatedWindows& system = sim::System();
  const bool fails = system.Calling(sim::Call::kVDMTerminateTaskWOW);
  sim::Process* process = system.FindProcess(processId);
  bool ended = false;
  if (!fails && process && process->hostsWow) {
    ended = std::erase_if(process->tasks,
                          [task16](const sim::Task& task) { return task.task16 == task16; }) > 0;
  }
  system.taskTerminations.push_back({processId, task16, ended});
  return ended ? TRUE : FALSE;
}

}  // namespace quellix::os
