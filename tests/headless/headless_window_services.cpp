// The window services over the model alone, for the native tests: the window
// is a set of flags, the handles are fixed tokens, and the pop-up menu answers
// from a script.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>

#include "tests/headless/headless_window.h"
#include "winsvc/main_window_model.h"
#include "winsvc/popup_menu.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix {

namespace {

// Tokens that stand for the handles: non-null, and never dereferenced here.
constexpr std::uintptr_t kWindowToken = 0x00010010;
constexpr std::uintptr_t kModuleToken = 0x00400000;

struct HeadlessWindow {
  std::unique_ptr<WindowModel> model;
  WNDPROC procedure = nullptr;
  bool visible = false;
  // Whether the program chose the visibility before the first NextEvent; if
  // not, that NextEvent shows the window.
  bool visibilityChosen = false;
  bool firstEventAsked = false;
  // The state that leaving the iconized one returns to.
  SizeState restoreTo = SizeState::kNormal;
  bool ranDry = false;
  std::deque<int> popupAnswers;
  std::vector<headless::PopupCall> popupCalls;
  std::map<ControlNumber, int> redraws;
};

HeadlessWindow& Window() {
  static HeadlessWindow window;
  return window;
}

// Outside the window, which each OpenMainWindow makes afresh.
bool windowCreationFails = false;

// The services' own handling of the window's messages: a close request becomes
// an event and is reported as handled; the window is not destroyed.
LRESULT CALLBACK ServicesWindowProcedure(HWND /*window*/, UINT message, WPARAM /*wParam*/,
                                         LPARAM /*lParam*/) {
  if (message == WM_CLOSE) {
    if (WindowModel* model = MainWindowModel()) model->CloseRequested();
  }
  return 0;
}

}  // namespace

void OpenMainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list) {
  HeadlessWindow& window = Window();
  window = HeadlessWindow{};
  if (windowCreationFails) {
    windowCreationFails = false;
    return;
  }
  window.model = std::make_unique<WindowModel>(definition, option, list);
  window.procedure = &ServicesWindowProcedure;
}

bool NextEvent() {
  HeadlessWindow& window = Window();
  window.ranDry = false;
  if (!window.model) return false;
  if (!window.firstEventAsked) {
    window.firstEventAsked = true;
    if (!window.visibilityChosen) window.visible = true;
  }
  const NextResult result = window.model->TakeNextEvent();
  window.ranDry = result == NextResult::kEmpty;
  return result == NextResult::kEvent;
}

EventCode CurrentEvent() {
  const WindowModel* model = MainWindowModel();
  return model ? model->CurrentEvent() : 0;
}

ControlNumber CurrentControl() {
  const WindowModel* model = MainWindowModel();
  return model ? model->CurrentControl() : 0;
}

void PostEvent(EventCode code, ControlNumber control) {
  if (WindowModel* model = MainWindowModel()) model->PostEvent(code, control);
}

void SetControlText(ControlNumber control, std::string_view text) {
  if (WindowModel* model = MainWindowModel()) model->SetControlText(control, text);
}

void SetFontStyle(ControlNumber control, FontStyle style) {
  if (WindowModel* model = MainWindowModel()) model->SetFontStyle(control, style);
}

void SetHidden(bool hidden) {
  HeadlessWindow& window = Window();
  if (!window.model) return;
  window.visible = !hidden;
  window.visibilityChosen = true;
}

void SetIconized(bool iconized) {
  HeadlessWindow& window = Window();
  if (!window.model) return;
  const SizeState state = window.model->RecordedSizeState();
  if ((state == SizeState::kIconized) == iconized) return;
  if (iconized) {
    window.restoreTo = state;
    window.model->SizeStateObserved(SizeState::kIconized);
  } else {
    window.model->SizeStateObserved(window.restoreTo);
  }
}

HWND NativeHandle() { return MainWindowModel() ? reinterpret_cast<HWND>(kWindowToken) : nullptr; }

WNDPROC GetWindowProcedure() { return MainWindowModel() ? Window().procedure : nullptr; }

void SetWindowProcedure(WNDPROC procedure) {
  if (MainWindowModel()) Window().procedure = procedure;
}

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(kModuleToken); }

void SelectControl(ControlNumber control, int position) {
  if (WindowModel* model = MainWindowModel()) model->SelectControl(control, position);
}

void RedrawControl(ControlNumber control) {
  const WindowModel* model = MainWindowModel();
  if (model && model->FindControl(control)) ++Window().redraws[control];
}

int CurrentTab(ControlNumber sheet) {
  const WindowModel* model = MainWindowModel();
  return model ? model->CurrentTab(sheet) : 0;
}

int ShowPopupMenu(std::string_view menuString, int x, int y) {
  HeadlessWindow& window = Window();
  window.popupCalls.push_back({std::string(menuString), x, y});
  if (window.popupAnswers.empty()) return 0;
  const int answer = window.popupAnswers.front();
  window.popupAnswers.pop_front();
  return answer;
}

void CloseMainWindow() {
  HeadlessWindow& window = Window();
  window.model.reset();
  window.procedure = nullptr;
  window.visible = false;
}

WindowModel* MainWindowModel() { return Window().model.get(); }

namespace headless {

WindowModel& Model() {
  WindowModel* model = MainWindowModel();
  if (!model) throw std::logic_error("no main window is open");
  return *model;
}

LRESULT SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC procedure = GetWindowProcedure();
  return procedure ? procedure(NativeHandle(), message, wParam, lParam) : 0;
}

void FailNextWindowCreation() { windowCreationFails = true; }

bool IsHidden() { return !Window().visible; }

bool IsIconized() {
  const WindowModel* model = MainWindowModel();
  return model && model->RecordedSizeState() == SizeState::kIconized;
}

bool RanDry() { return Window().ranDry; }

void ScriptPopupAnswers(std::initializer_list<int> answers) {
  Window().popupAnswers.assign(answers.begin(), answers.end());
}

int RedrawCount(ControlNumber control) {
  const auto found = Window().redraws.find(control);
  return found == Window().redraws.end() ? 0 : found->second;
}

const std::vector<headless::PopupCall>& PopupCalls() { return Window().popupCalls; }

}  // namespace headless

}  // namespace quellix
