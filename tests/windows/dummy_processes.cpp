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

std::wstring WideProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

DummyFolder::DummyFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  path_ =
      std::wstring(temp) + L"quellix-dummies-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

DummyFolder::~DummyFolder() {
  for (const std::wstring& copy : copies_) ::DeleteFileW(copy.c_str());
  ::RemoveDirectoryW(path_.c_str());
}

// The names the tests give this way are ASCII.
DummyProcess DummyFolder::Start(const std::string& executableName) {
  return Start(std::wstring(executableName.begin(), executableName.end()));
}

// Through the wide calls, so that a name outside the system's code page is
// made as it is given.
DummyProcess DummyFolder::Start(const std::wstring& executableName) {
  const std::wstring sleeper = WideProgramFolder() + L"quellix_sleeper.exe";
  const std::wstring copy = path_ + executableName;
  if (!::CopyFileW(sleeper.c_str(), copy.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the sleeper into the dummy folder");
  }
  copies_.push_back(copy);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + copy + L"\"";
  if (!::CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        path_.c_str(), &startup, &started)) {
    throw std::runtime_error("cannot start a copy of the sleeper");
  }
  ::CloseHandle(started.hThread);
  WaitUntilInspectable(started.dwProcessId);
  return DummyProcess(started.hProcess, started.dwProcessId);
}

}  // namespace quellix::testing
