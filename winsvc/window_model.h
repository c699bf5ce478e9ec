#pragma once
// The main window as a portable model: the controls built from a window
// definition with their run-time state, the bound program data, the current
// pages, the size state, the event queue and the loop protocol.
//
// Nothing here knows about a real window. A binding (the Win32 one, or the
// headless one of the native tests) creates whatever it shows from the
// definition, turns what happens to its window into the input calls below, and
// reads the state back when it draws. The program reaches the model only
// through the window services.
//
// Positions given to the input calls are in dialog units of the client area,
// the units of the definition.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/events.h"
#include "winsvc/event_queue.h"
#include "winsvc/list_source.h"
#include "winsvc/option_source.h"
#include "winsvc/window_definition.h"

namespace quellix {

enum class SizeState { kNormal, kMaximized, kIconized };

// What one attempt to take the next event found.
enum class NextResult {
  kEvent,  // the oldest pending event is now the current event
  kEmpty,  // nothing pending: the binding waits for window messages and tries again
  kEnded,  // the loop has ended; it stays ended
};

class WindowModel {
 public:
  // The definition, and whatever option and list point to, must outlive the
  // model. option holds the value of the definition's option group; null when
  // the program binds none, and the model then keeps that value itself. list
  // is what the definition's list shows; it may be null.
  WindowModel(const WindowDefinition& definition, OptionSource* option, ListSource* list);
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // ---- The definition ----------------------------------------------------

  const WindowDefinition& Definition() const { return definition_; }
  // Null for a number or name that the definition does not have.
  const ControlDefinition* FindControl(ControlNumber number) const;
  const ControlDefinition* FindControl(std::string_view name) const;

  // ---- Control state -----------------------------------------------------
  // Calls naming a control that the definition does not have do nothing, and
  // the readers then answer as for a control in its initial state ("", 0).

  // Starts as the definition's text.
  void SetControlText(ControlNumber control, std::string_view text);
  std::string_view ControlText(ControlNumber control) const;

  // Starts as the definition's style word.
  void SetFontStyle(ControlNumber control, FontStyle style);
  FontStyle ControlFontStyle(ControlNumber control) const;

  // A tab: its page becomes the current page of its sheet, and the focus moves
  // to that page (see FocusedControl). A list: it takes the focus and row
  // `position` (1-based, 0 for none) becomes its selected row; a row past the
  // end of the list is kept until the list's rows are next read (see
  // KeepSelectionInRows). Any other control that takes the focus: it takes it.
  // A control on a page that is not current takes the focus when its page
  // next becomes current: the focus never rests on a control that is not on
  // the window.
  void SelectControl(ControlNumber control, int position);
  // The selected row of a list (1-based), 0 for none.
  int SelectedRow(ControlNumber list) const;
  // The binding has read the list's rows anew: a selected row past their end
  // becomes the last row (none when there are no rows).
  void KeepSelectionInRows(ControlNumber list);

  // ---- The keyboard focus ------------------------------------------------
  // What takes the focus: buttons, radio buttons, lists and the regions that
  // report the pointer (links, to the keyboard and to assistive technology).
  // The focus is on a control of the window as it stands, or on the window
  // itself (0) when none takes it. Each page keeps the control that had the
  // focus when the page was left and gives it back when the page is current
  // again; a page shown for the first time gives its first control that takes
  // the focus, in declaration order (for an option group, its selected radio
  // button). The binding gives the real keyboard focus accordingly, but only
  // to a window the user is working in.
  ControlNumber FocusedControl() const;
  bool TakesFocus(ControlNumber control) const;
  // The user moved the focus to the control (a click, Tab): it has it now.
  void FocusMoved(ControlNumber control);
  // The text control a region lies over: the first present text whose
  // position is inside the region; 0 when there is none. A link is named by
  // it and shows its focus around it.
  ControlNumber TextUnder(ControlNumber region) const;

  // The 1-based number of the sheet's current tab in the order of its tabs;
  // 0 for a control that is not a sheet with tabs. The first tab is current
  // when the model is built.
  int CurrentTab(ControlNumber sheet) const;

  // Whether the control is on the window as it stands: not hidden, and every
  // tab it lies on (through its parents) is the current tab of its sheet.
  // Controls of the window or of a sheet itself are on every page.
  bool IsPresent(ControlNumber control) const;

  // ---- Bound data --------------------------------------------------------

  // The option group's value.
  std::string_view OptionValue() const { return option_->Value(); }
  // The radio button of the option group shown selected: the first whose value
  // equals the option value, trailing blanks ignored; 0 when none does.
  ControlNumber SelectedRadio(ControlNumber optionGroup) const;
  // What a list shows; null for a control that is not a list or when no list
  // data was bound.
  ListSource* ListData(ControlNumber list) const;

  // ---- Input from the binding --------------------------------------------

  // A button was clicked, or a button or link was pressed from the keyboard
  // or by assistive technology: accepted for it.
  void Pressed(ControlNumber control);
  // The user picked a radio button. When that changes the selection, its value
  // is stored in the option value, and then accepted is queued for its option
  // group; so the value is in place before the event can be taken.
  void RadioPicked(ControlNumber radio);
  // The pointer is at this point of the client area. Regions report the
  // pointer entering and leaving them when they carry the immediate-events
  // attribute: pointer left for the region it was over, then pointer entered
  // for the one it is over now.
  void PointerMoved(int dluX, int dluY);
  // The pointer left the client area.
  void PointerLeftWindow();
  // Any mouse button went down (or double-clicked) at this point: accepted for
  // the region there, with or without the immediate-events attribute.
  void MouseButtonPressed(int dluX, int dluY);
  // The binding saw the window in this size state. With the window's
  // immediate-events attribute a change from the recorded state is queued as
  // 562 (normal), 563 (maximized) or 564 (iconized). The model starts in the
  // normal state, which counts as reported.
  void SizeStateObserved(SizeState state);
  SizeState RecordedSizeState() const { return sizeState_; }
  // The system asked to close the window: close window, control 0. The window
  // stays; the program decides.
  void CloseRequested();
  // A key went down while the window had the focus; keyCode is the virtual
  // key plus kShiftKeyFlag, kCtrlKeyFlag and kAltKeyFlag for the modifiers
  // held. True when the model has taken the key and the binding must suppress
  // its own action; the focus may have moved then. In this order:
  // - a key the definition alerts: the pre-alert event is delivered at once,
  //   ahead of every pending event, and the alert-key event queued, both for
  //   the control with the focus;
  // - a key a present control declares: accepted for that control;
  // - Enter on a focused button or link: accepted for it;
  // - an arrow key on a radio button: the previous (left, up) or next (right,
  //   down) radio button of its group in declaration order, wrapping, takes
  //   the focus and is picked, as a click on it would.
  // Other keys: false, and nothing happens.
  bool KeyPressed(std::int32_t keyCode);

  // ---- Events and the loop -----------------------------------------------

  // Appends the event as it is; false when the queue was full and it was dropped.
  bool PostEvent(EventCode code, ControlNumber control);

  // One attempt of the loop to go on. After the pass that handled a
  // close-window event the loop has ended, whatever is still pending.
  NextResult TakeNextEvent();
  bool LoopEnded() const { return ended_; }
  // The current event: the last one taken; 0, 0 before the first.
  EventCode CurrentEvent() const { return current_.code; }
  ControlNumber CurrentControl() const { return current_.control; }
  std::size_t PendingCount() const { return queue_.Size(); }

  // The immediate-events region under the pointer; 0 when there is none.
  ControlNumber HotRegion() const { return hotRegion_; }

 private:
  struct ControlState {
    std::string text;
    FontStyle fontStyle = 0;
    int selectedRow = 0;
    ControlNumber currentTab = 0;  // a sheet: the number of its current tab
    ControlNumber pageFocus = 0;   // a tab: the control its page gives the focus to
  };

  ControlState* StateOf(ControlNumber control);
  const ControlState* StateOf(ControlNumber control) const;
  // The topmost present region at the point; 0 when there is none.
  ControlNumber RegionAt(int dluX, int dluY) const;
  void TrackPointer();
  // The tab whose page holds the control; 0 for a control on every page.
  ControlNumber PageOf(ControlNumber control) const;
  // Where the focus goes when the control's page becomes current: the
  // control itself, or for a radio button its group's selected one.
  ControlNumber FocusStop(ControlNumber control) const;
  // The first present control that takes the focus, in declaration order.
  ControlNumber FirstFocusable() const;
  void GiveFocus(ControlNumber control);
  void MoveFocusToCurrentPage();
  bool PickNeighbourRadio(bool forward);

  const WindowDefinition& definition_;
  std::span<const ControlDefinition> controls_;
  std::vector<ControlState> states_;  // parallel to controls_
  OptionText ownOption_;
  OptionSource* option_;
  ListSource* list_;

  EventQueue queue_;
  Event current_;
  bool ended_ = false;

  ControlNumber focused_ = kWindowItself;  // where the focus is while its page is current
  SizeState sizeState_ = SizeState::kNormal;
  bool pointerInWindow_ = false;
  int pointerX_ = 0;
  int pointerY_ = 0;
  ControlNumber hotRegion_ = 0;
};

}  // namespace quellix
