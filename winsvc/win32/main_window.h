#pragma once
// The real main window: built from its definition, it turns window messages
// into calls on the window model and draws what the model holds. Every
// control that shows or takes the keyboard is a window of its own, so that
// the keyboard moves through them as in any dialog and assistive technology
// reads them: buttons, radio buttons and the list draw themselves; the window
// draws the texts, the line, the option group's box and the image over its
// background, under the see-through windows of the texts, the box and the
// links. The sheet, its tabs and the other regions exist only in the model.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/user32_calls.h"
#include "winsvc/win32/com_apartment.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/font_set.h"
#include "winsvc/win32/gdi_handles.h"
#include "winsvc/win32/user_handles.h"
#include "winsvc/win32/window_control.h"
#include "winsvc/win32/window_visibility.h"
#include "winsvc/window_model.h"

namespace quellix::win32 {

class MainWindow {
 public:
  // Creates the window hidden and in the normal size state, and nothing more:
  // its fonts, size and place (centred on the screen when the definition says
  // so), brush, icons and controls follow when it is first restored or shown.
  // Until then every operation on a control changes only the model, from which
  // the controls are made. So a program that lives hidden in the tray costs
  // no more than its bare window until the user first opens it: no child
  // window, no font, and no common controls library with its visual styles.
  MainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Hwnd() const { return window_.get(); }
  WindowModel& Model() { return model_; }

  bool NextEvent();
  void PostEvent(EventCode code, ControlNumber control);
  void SetControlText(ControlNumber control, std::string_view text);
  void SetFontStyle(ControlNumber control, FontStyle style);
  void SelectControl(ControlNumber control, int position);
  void RedrawControl(ControlNumber control);
  void SetHidden(bool hidden);
  void SetIconized(bool iconized);

  // The services' own window procedure: the one a replacement forwards to.
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // The screen a placement was made for.
  struct Screen {
    RECT workArea{};
    int width = 0;
    int height = 0;
    bool operator==(const Screen& other) const;
  };
  static Screen CurrentScreen();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Makes everything a shown window needs, once, from the model as it is
  // then: fonts and dialog units, its place, brush, icons and controls.
  void Build();
  // Gives the hidden window its normal place for the screen as it is now.
  void Place();
  void LoadWindowIcons();
  void CreateControls();
  WindowControl* Find(ControlNumber number);
  void Paint();
  // Shows each child as the model says; the window's own drawing follows at
  // the next paint.
  void SyncPresence();
  void SyncRadioButtons();
  // Each list on the window as it stands reads its rows anew.
  void RefreshPresentLists();
  void Invalidate(const RECT& rect);
  // A control that draws on the window takes the size of its new text or font.
  void Relayout(WindowControl& control);
  // A link is named by the text it lies over, as it is now.
  void RenameLinksOver(ControlNumber text);
  // Reports the size state the window is in now to the model.
  void ObserveSizeState();
  // Whether the message is a key the model has taken.
  bool TakeKey(const MSG& message);
  // The control of the window that has the keyboard focus, or a window in
  // it; 0 for none.
  ControlNumber ControlWithFocus() const;
  // The model learns where the user has put the keyboard focus.
  void NoteFocus();
  // The keyboard focus goes where the model has it, if the user works in this
  // window: never to a hidden one or one behind another program's.
  void ApplyFocus();
  void WakeLoop();

  WindowModel model_;
  std::optional<FontSet> fonts_;      // from the first show on
  std::optional<DialogUnits> units_;  // from the first show on
  bool built_ = false;
  Screen placedFor_;
  Brush backgroundBrush_;
  os::OwnedIcon windowIcon_;
  os::OwnedIcon bigWindowIcon_;
  std::vector<WindowControl> controls_;
  WindowVisibility visibility_;
  bool trackingPointer_ = false;
  ComApartment apartment_;
  // Last, so it goes first, with its children, while all they use is there.
  OwnedWindow window_;
};

}  // namespace quellix::win32
