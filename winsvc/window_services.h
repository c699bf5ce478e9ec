#pragma once
// The window services: the operations the program performs on its one main
// window, and its event loop. All of them act on the main window and are called
// on the thread that opened it. Before OpenMainWindow and after
// CloseMainWindow they do nothing and answer 0, false or null.
//
// Order of use: OpenMainWindow; any setting operations; while NextEvent() is
// true, read CurrentEvent and CurrentControl and act; then CloseMainWindow.
//
// Two implementations exist behind these declarations: the Win32 binding, and
// the headless one of the native tests (tests/headless). Both drive the same
// WindowModel.

#include <string_view>

#include "common/events.h"
#include "common/font_style.h"
#include "platform/win_types.h"
#include "winsvc/list_source.h"
#include "winsvc/option_source.h"
#include "winsvc/window_definition.h"

namespace quellix {

// Builds the window and its controls from the definition, without making it
// visible; the first tab of each sheet is current. The option group shows and
// stores *option, the list shows *list; both must outlive the window. When the
// system cannot make the window, none is open: NativeHandle is null, and the
// operations behave as before OpenMainWindow.
void OpenMainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list);

// Waits until an event is pending and makes it the current event. True while
// the loop goes on; false from the call after the pass that handled a
// close-window event, whatever is still queued.
bool NextEvent();
EventCode CurrentEvent();
ControlNumber CurrentControl();

// Appends an event to the queue, dropped when 4095 are pending. Safe to call
// from a window procedure during message processing: the waiting NextEvent
// wakes and takes it on its next pass.
void PostEvent(EventCode code, ControlNumber control);

void SetControlText(ControlNumber control, std::string_view text);
// The control is redrawn in its font with this weight and these flags.
void SetFontStyle(ControlNumber control, FontStyle style);

// Hides the window, or shows it in its current size state.
void SetHidden(bool hidden);
// Puts the window into the iconized size state, or back into the normal one
// (the maximized one if it was maximized before); nothing when it is already
// in the requested state. A hidden window stays hidden.
void SetIconized(bool iconized);

HWND NativeHandle();
// The window procedure in force. The services' own handling of the window's
// messages lives in the procedure that was in force before a replacement: a
// replacement must pass every message it does not consume on to it
// (os::CallWindowProcA), or the window stops producing events for them.
WNDPROC GetWindowProcedure();
void SetWindowProcedure(WNDPROC procedure);
HINSTANCE ModuleInstance();

// A tab: its page becomes current, and the focus goes to that page's control
// that had it last (its first that takes it, the first time). A list: it
// takes the focus and row `position` (1-based, 0 for none) is selected. Any
// other control that takes the focus: it takes it. A control of a page that is
// not current takes it when its page becomes current; and the keyboard focus
// moves only within a window that has the keyboard already: asked for while
// the window is hidden, it is given when the window is shown.
void SelectControl(ControlNumber control, int position);
// Redraws the control from the data it shows.
void RedrawControl(ControlNumber control);
// 1-based number of the sheet's current tab, in the order of its tabs.
int CurrentTab(ControlNumber sheet);

// Closes and destroys the window once the loop has ended.
void CloseMainWindow();

}  // namespace quellix
