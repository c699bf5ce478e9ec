#include "dummy_processes.h"

#include <psapi.h>

#include <stdexcept>
#include <utility>

namespace quellix::testing {

DummyProcess::~DummyProcess() {
  if (process_) {
    End();
    ::CloseHandle(process_);
  }
}

DummyProcess::DummyProcess(DummyProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(other.id_) {}

bool DummyProcess::IsRunning() const {
  return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void DummyProcess::End() {
  if (IsRunning()) ::TerminateProcess(process_, 0);
  ::WaitForSingleObject(process_, 10000);
}

namespace {

// A new process's modules can be read only once the loader has mapped them;
// until then a scan would list it as unknown.
void WaitUntilInspectable(DWORD processId) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process) {
      HMODULE module = nullptr;
      DWORD needed = 0;
      char name[MAX_PATH] = {};
      const bool named = ::EnumProcessModules(process, &module, sizeof module, &needed) &&
                         ::GetModuleBaseNameA(process, module, name, MAX_PATH) > 0;
      ::CloseHandle(process);
      if (named) return;
    }
    ::Sleep(10);
  }
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

DummyFolder::DummyFolder() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "quellix-dummies-" + std::to_string(::GetCurrentProcessId()) + "\\";
  ::CreateDirectoryA(path_.c_str(), nullptr);
}

DummyFolder::~DummyFolder() {
  for (const std::string& copy : copies_) ::DeleteFileA(copy.c_str());
  ::RemoveDirectoryA(path_.c_str());
}

DummyProcess DummyFolder::Start(const std::string& executableName) {
  const std::string sleeper = ProgramFolder() + "quellix_sleeper.exe";
  const std::string copy = path_ + executableName;
  if (!::CopyFileA(sleeper.c_str(), copy.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + sleeper + " to " + copy);
  }
  copies_.push_back(copy);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string commandLine = "\"" + copy + "\"";
  if (!::CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        path_.c_str(), &startup, &started)) {
    throw std::runtime_error("cannot start " + copy);
  }
  ::CloseHandle(started.hThread);
  WaitUntilInspectable(started.dwProcessId);
  return DummyProcess(started.hProcess, started.dwProcessId);
}

}  // namespace quellix::testing
