// Stand-in for vdmdbg.dll under Wine, which has no virtual DOS machine.
//
// Every running process whose image is named NTVDM.EXE counts as a VDM that runs
// 16-bit Windows tasks. The tasks are described in vdmdbg-tasks.txt beside this
// DLL, one a line:
//   FOLDER TASK16 THREAD PATH
// FOLDER names the folder that holds the VDM's NTVDM.EXE (so a test tells its
// VDMs apart by where it put them), TASK16 and THREAD are decimal, PATH is the
// rest of the line. Every call of note is appended to vdmdbg-calls.txt beside
// this DLL:
//   loaded                  when a process loads the DLL
//   end FOLDER TASK16       for each task a caller asks to end
// A task that was asked to end, and was running, is not listed again.
#include <windows.h>
// after windows.h, which they need
#include <psapi.h>
#include <vdmdbg.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HMODULE self = nullptr;

std::string BesideThisDll(const char* fileName) {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  return folder + fileName;
}

std::string ReadAll(const std::string& path) {
  std::string text;
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  ::CloseHandle(file);
  return text;
}

void AppendCall(const std::string& line) {
  const HANDLE file =
      ::CreateFileA(BesideThisDll("vdmdbg-calls.txt").c_str(), FILE_APPEND_DATA,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

struct Task {
  std::string folder;
  WORD task16;
  DWORD thread;
  std::string path;
};

std::string EndLine(const std::string& folder, WORD task16) {
  return "end " + folder + " " + std::to_string(task16);
}

bool AskedToEnd(const std::string& calls, const Task& task) {
  for (const std::string& line : Lines(calls)) {
    if (line == EndLine(task.folder, task.task16)) return true;
  }
  return false;
}

// The described tasks still running in the VDM whose folder is given.
std::vector<Task> RunningTasks(const std::string& folder) {
  const std::string calls = ReadAll(BesideThisDll("vdmdbg-calls.txt"));
  std::vector<Task> tasks;
  for (const std::string& line : Lines(ReadAll(BesideThisDll("vdmdbg-tasks.txt")))) {
    char name[MAX_PATH];
    unsigned task16 = 0;
    unsigned long thread = 0;
    int consumed = 0;
    if (std::sscanf(line.c_str(), "%259s %u %lu %n", name, &task16, &thread, &consumed) != 3) {
      continue;
    }
    Task task{name, static_cast<WORD>(task16), thread, line.substr(consumed)};
    if (task.folder == folder && !AskedToEnd(calls, task)) tasks.push_back(task);
  }
  return tasks;
}

// The folder of the process's image when that image is NTVDM.EXE, else empty.
std::string VdmFolder(DWORD processId) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return "";
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameExA(process, nullptr, path, MAX_PATH);
  ::CloseHandle(process);
  const std::string image(path, length);
  const std::size_t slash = image.find_last_of('\\');
  if (slash == std::string::npos || slash == 0) return "";
  if (::lstrcmpiA(image.c_str() + slash + 1, "NTVDM.EXE") != 0) return "";
  const std::size_t folderStart = image.find_last_of('\\', slash - 1);
  return image.substr(folderStart == std::string::npos ? 0 : folderStart + 1,
                      slash - (folderStart == std::string::npos ? 0 : folderStart + 1));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    AppendCall("loaded");
  }
  return TRUE;
}

INT WINAPI VDMEnumProcessWOW(PROCESSENUMPROC callback, LPARAM userDefined) {
  DWORD ids[1024];
  DWORD bytes = 0;
  if (!::EnumProcesses(ids, sizeof ids, &bytes)) return 0;
  INT count = 0;
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
    if (VdmFolder(ids[i]).empty()) continue;
    ++count;
    if (callback(ids[i], 0, userDefined)) break;
  }
  return count;
}

INT WINAPI VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) {
  const std::string folder = VdmFolder(processId);
  if (folder.empty()) return 0;
  INT count = 0;
  for (Task& task : RunningTasks(folder)) {
    ++count;
    std::string module = task.path.substr(task.path.find_last_of('\\') + 1);
    module = module.substr(0, module.find('.'));
    if (callback(task.thread, static_cast<WORD>(task.task16 + 1), task.task16, module.data(),
                 task.path.data(), userDefined)) {
      break;
    }
  }
  return count;
}

WINBOOL WINAPI VDMTerminateTaskWOW(DWORD processId, WORD task16) {
  const std::string folder = VdmFolder(processId);
  if (folder.empty()) return FALSE;
  bool running = false;
  for (const Task& task : RunningTasks(folder)) running = running || task.task16 == task16;
  AppendCall(EndLine(folder, task16));
  return running;
}
