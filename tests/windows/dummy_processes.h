#pragma once
// Dummy processes for tests: the sleeper copied into a folder of its own under
// the names a test needs, started, and ended again by the test, by handle.

#include <windows.h>

#include <string>
#include <vector>

namespace quellix::testing {

class DummyProcess {
 public:
  DummyProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
  ~DummyProcess();
  DummyProcess(DummyProcess&& other) noexcept;
  DummyProcess& operator=(DummyProcess&&) = delete;
  DummyProcess(const DummyProcess&) = delete;
  DummyProcess& operator=(const DummyProcess&) = delete;

  DWORD Id() const { return id_; }
  bool IsRunning() const;
  // Ends the process, if it still runs, and waits until it has gone.
  void End();

 private:
  HANDLE process_;
  DWORD id_;
};

class DummyFolder {
 public:
  DummyFolder();  // a fresh folder under the temporary directory
  ~DummyFolder();
  DummyFolder(const DummyFolder&) = delete;
  DummyFolder& operator=(const DummyFolder&) = delete;

  // Starts the sleeper under executableName ("C60SRVX.EXE"); it runs until the
  // returned object ends it.
  DummyProcess Start(const std::string& executableName);
  // The same under a name in UTF-16, which may hold characters of any script.
  DummyProcess Start(const std::wstring& executableName);

 private:
  std::wstring path_;
  std::vector<std::wstring> copies_;
};

// The folder the running test program lives in, with a trailing backslash.
std::string ProgramFolder();

}  // namespace quellix::testing
