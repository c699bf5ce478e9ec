// The window services on Windows: each operation on the one real main window.
#include "winsvc/window_services.h"

#include <memory>

#include "winsvc/main_window_model.h"
#include "winsvc/win32/main_window.h"
#include "winsvc/win32/this_module.h"

namespace quellix {
namespace {
std::unique_ptr<win32::MainWindow> mainWindow;
}  // namespace

void OpenMainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list) {
  mainWindow.reset();
  mainWindow = std::make_unique<win32::MainWindow>(definition, option, list);
  if (!mainWindow->Hwnd()) mainWindow.reset();  // neither the window nor its class could be made
}

bool NextEvent() { return mainWindow && mainWindow->NextEvent(); }
EventCode CurrentEvent() { return mainWindow ? mainWindow->Model().CurrentEvent() : 0; }
ControlNumber CurrentControl() { return mainWindow ? mainWindow->Model().CurrentControl() : 0; }

void PostEvent(EventCode code, ControlNumber control) {
  if (mainWindow) mainWindow->PostEvent(code, control);
}

void SetControlText(ControlNumber control, std::string_view text) {
  if (mainWindow) mainWindow->SetControlText(control, text);
}

void SetFontStyle(ControlNumber control, FontStyle style) {
  if (mainWindow) mainWindow->SetFontStyle(control, style);
}

void SetHidden(bool hidden) {
  if (mainWindow) mainWindow->SetHidden(hidden);
}

void SetIconized(bool iconized) {
  if (mainWindow) mainWindow->SetIconized(iconized);
}

HWND NativeHandle() { return mainWindow ? mainWindow->Hwnd() : nullptr; }

WNDPROC GetWindowProcedure() {
  return mainWindow
             ? reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(mainWindow->Hwnd(), GWLP_WNDPROC))
             : nullptr;
}

void SetWindowProcedure(WNDPROC procedure) {
  if (mainWindow) {
    ::SetWindowLongPtrA(mainWindow->Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  }
}

HINSTANCE ModuleInstance() { return win32::ThisModule(); }

void SelectControl(ControlNumber control, int position) {
  if (mainWindow) mainWindow->SelectControl(control, position);
}

void RedrawControl(ControlNumber control) {
  if (mainWindow) mainWindow->RedrawControl(control);
}

int CurrentTab(ControlNumber sheet) {
  return mainWindow ? mainWindow->Model().CurrentTab(sheet) : 0;
}

void CloseMainWindow() { mainWindow.reset(); }

WindowModel* MainWindowModel() { return mainWindow ? &mainWindow->Model() : nullptr; }

}  // namespace quellix
