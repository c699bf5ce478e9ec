// How the process scan grows with the size of the system: a full array of 1,024
// processes with 1,000 16-bit tasks against a quarter of each. Linear growth
// gives a ratio near 4; quadratic near 16.
#include <string>

#include "measure.h"
#include "platform/sim/simulated_windows.h"
#include "process/process_scan.h"

namespace {

using quellix::ProcessList;

// processes processes, of which every 25th is an NTVDM.EXE with 25 tasks, as
// far as tasks are left.
void FillSystem(int processes, int tasks) {
  quellix::sim::Reset();
  quellix::sim::SimulatedWindows& system = quellix::sim::System();
  for (int i = 0; i < processes; ++i) {
    quellix::sim::Process& process =
        system.AddProcess(8 + 4 * i, "PROCESS" + std::to_string(i) + ".EXE");
    if (i % 25 == 0 && tasks > 0) {
      process.name = "NTVDM.EXE";
      process.hostsWow = true;
      for (int t = 0; t < 25 && tasks > 0; ++t, --tasks) {
        process.tasks.push_back({static_cast<DWORD>(100000 + i * 100 + t), static_cast<WORD>(t + 1),
                                 "C:\\CLARION\\BIN\\TASK" + std::to_string(t) + ".EXE"});
      }
    }
  }
}

}  // namespace

int main() {
  ProcessList list;
  const int repeats = 20;
  const auto scanLarge = [&] {
    FillSystem(1024, 1000);
    for (int i = 0; i < repeats; ++i) quellix::ScanProcesses(list);
  };
  const auto scanSmall = [&] {
    FillSystem(256, 250);
    for (int i = 0; i < repeats; ++i) quellix::ScanProcesses(list);
  };
  // The fill is part of both runs; measure it alone to take it out.
  const auto fillLarge = [] { FillSystem(1024, 1000); };
  const auto fillSmall = [] { FillSystem(256, 250); };
  const auto scans = quellix::bench::Compare(scanLarge, scanSmall, 15);
  const auto fills = quellix::bench::Compare(fillLarge, fillSmall, 15);
  quellix::bench::Comparison scanOnly{scans.medianA - fills.medianA, scans.medianB - fills.medianB};
  quellix::bench::Report(
      "ScanProcesses, 1,024 processes and 1,000 tasks against 256 processes and 250 tasks "
      "(simulated system)",
      scanOnly, 4.5);
  return 0;
}
