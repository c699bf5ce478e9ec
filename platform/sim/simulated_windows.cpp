#include "platform/sim/simulated_windows.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace quellix::sim {
namespace {
std::unique_ptr<SimulatedWindows> current = std::make_unique<SimulatedWindows>();
}  // namespace

SimulatedWindows& System() { return *current; }

void Reset() { current = std::make_unique<SimulatedWindows>(); }

bool SimulatedWindows::Calling(Call call) {
  const CallMade made{call, ++callsMade[call]};
  if (beforeCall) beforeCall(made);
  return failing == made;
}

Process& SimulatedWindows::AddProcess(DWORD id, std::string name) {
  Process process;
  process.id = id;
  process.name = std::move(name);
  processes.push_back(std::move(process));
  return processes.back();
}

Process* SimulatedWindows::FindProcess(DWORD id) {
  const auto indexed = [&]() -> Process* {
    const auto found = processIndex_.find(id);
    if (found == processIndex_.end() || found->second >= processes.size()) return nullptr;
    Process& process = processes[found->second];
    return process.id == id ? &process : nullptr;
  };
  if (Process* process = indexed()) return process;
  processIndex_.clear();
  for (std::size_t i = 0; i < processes.size(); ++i) processIndex_.try_emplace(processes[i].id, i);
  return indexed();
}

HANDLE SimulatedWindows::AddHandle(OpenHandleInfo info) {
  nextHandle_ += 4;
  openHandles_[nextHandle_] = std::move(info);
  ++handlesOpened_;
  return reinterpret_cast<HANDLE>(nextHandle_);
}

HANDLE SimulatedWindows::OpenHandle(DWORD processId, DWORD access) {
  return AddHandle({.processId = processId, .access = access});
}

HANDLE SimulatedWindows::OpenSemaphoreHandle(std::string name) {
  return AddHandle({.isSemaphore = true, .semaphoreName = std::move(name)});
}

bool SimulatedWindows::SemaphoreExists(const std::string& name) const {
  return std::any_of(openHandles_.begin(), openHandles_.end(), [&](const auto& entry) {
    return entry.second.isSemaphore && entry.second.semaphoreName == name;
  });
}

bool SimulatedWindows::CloseHandle(HANDLE handle) {
  return openHandles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
}

Process* SimulatedWindows::ProcessOf(HANDLE handle, DWORD neededAccess) {
  const auto found = openHandles_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (found == openHandles_.end() || found->second.isSemaphore) return nullptr;
  if ((found->second.access & neededAccess) != neededAccess) return nullptr;
  return FindProcess(found->second.processId);
}

void SimulatedWindows::RemoveProcess(DWORD id) {
  std::erase_if(processes, [id](const Process& process) { return process.id == id; });
}

}  // namespace quellix::sim
