#pragma once
// The headless main window behind the window services on Linux, as the native
// tests see it: no real window, but the model, the window procedure, the
// visibility and size flags and a scripted pop-up menu.
//
// OpenMainWindow starts all of this afresh: no scripted answers, no recorded
// menus or redraws, the services' own window procedure.

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "winsvc/window_model.h"

namespace quellix::headless {

// The open window's model; throws std::logic_error when no window is open.
WindowModel& Model();

// The next OpenMainWindow makes no window, as when the system has no room left
// for one or the session is being logged off.
void FailNextWindowCreation();

// Delivers a message to the window through its current window procedure, as
// the system would, and returns the procedure's result; 0 when no window is open.
LRESULT SendWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Whether the window is off the screen. It is until the first NextEvent shows
// it, unless the program has called SetHidden before.
bool IsHidden();
bool IsIconized();

// Whether the last NextEvent returned false because nothing was pending, where
// a real window would wait for messages, rather than because the loop had ended.
bool RanDry();

// How often the program asked to redraw the control from its data since the
// window was opened; the redrawing that a new text or style implies is not
// counted.
int RedrawCount(ControlNumber control);

// The pop-up menu's answers, taken one per ShowPopupMenu in order; 0 (dismissed)
// once they are used up. Replaces any answers not yet taken.
void ScriptPopupAnswers(std::initializer_list<int> answers);

struct PopupCall {
  std::string menuString;
  int x = 0;
  int y = 0;
};
// Every ShowPopupMenu since the window was opened, in order.
const std::vector<PopupCall>& PopupCalls();

}  // namespace quellix::headless
