// The process scan against the bare process-status loop (the same system calls
// and nothing else), on a real system with about 200 dummy processes.
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "measure.h"
#include "process/process_scan.h"
#include "tests/windows/dummy_processes.h"

namespace {

void BarePsapiLoop() {
  std::vector<DWORD> ids(1024);
  DWORD bytes = 0;
  ::EnumProcesses(ids.data(), 4096, &bytes);
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
    if (ids[i] == 0) continue;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
    if (!process) continue;
    HMODULE modules[1024];
    DWORD needed = 0;
    char name[256] = "<unknown>";
    if (::EnumProcessModules(process, modules, sizeof modules, &needed)) {
      ::GetModuleBaseNameA(process, modules[0], name, sizeof name);
    }
    ::CloseHandle(process);
  }
}

}  // namespace

int main() {
  quellix::testing::DummyFolder folder;
  std::vector<quellix::testing::DummyProcess> dummies;
  const DWORD startedAt = ::GetTickCount();
  for (int i = 0; i < 200; ++i)
    dummies.push_back(folder.Start("DUMMY" + std::to_string(i) + ".EXE"));
  dummies.push_back(folder.Start("NTVDM.EXE"));
  std::printf("started %zu dummy processes in %.1f s\n", dummies.size(),
              (::GetTickCount() - startedAt) / 1000.0);

  quellix::ProcessList list;
  const std::int32_t count = quellix::ScanProcesses(list);
  std::printf("%d processes running\n", count);
  const auto comparison =
      quellix::bench::Compare([&] { quellix::ScanProcesses(list); }, BarePsapiLoop, 31);
  quellix::bench::Report("ScanProcesses against the bare PSAPI loop (Wine)", comparison, 1.10);
  std::fflush(stdout);
  const DWORD endingAt = ::GetTickCount();
  dummies.clear();
  std::printf("ended them in %.1f s\n", (::GetTickCount() - endingAt) / 1000.0);
  return 0;
}
