#pragma once
// The real main window: built from its definition, it turns window messages
// into calls on the window model and draws what the model holds. Buttons, the
// radio buttons and the list are child windows; texts, the line, the option
// group's box and the image are drawn by the window itself, over its
// background; the sheet, its tabs and the regions exist only in the model.

#include <windows.h>

#include <optional>
#include <vector>

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
  // its size and place (centred on the screen when the definition says so)
  // follow when it is first restored or shown, its fonts, brush, icons and
  // controls when it is first shown. Until then every operation on a control
  // changes only the model, from which the controls are made. So a program
  // that lives hidden in the tray costs no more than its bare window until
  // the user first opens it: no child window, no font, and no common
  // controls library with its visual styles.
  MainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Hwnd() const { return window_; }
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
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Gives the window its fonts' dialog units and its normal place, once.
  void Place();
  // Makes everything else a shown window needs, once, from the model as it
  // is then.
  void Build();
  void PlaceWindow();
  void LoadWindowIcons();
  void CreateControls();
  WindowControl* Find(ControlNumber number);
  void Paint();
  // Shows each child as the model says; the window's own drawing follows at
  // the next paint.
  void SyncPresence();
  void SyncRadioButtons();
  void Invalidate(const RECT& rect);
  // A control that draws on the window takes the size of its new text or font.
  void Relayout(WindowControl& control);
  // Reports the size state the window is in now to the model.
  void ObserveSizeState();
  // Whether the message is an alerted key the model has taken.
  bool TakeAlertedKey(const MSG& message);
  void WakeLoop();

  WindowModel model_;
  std::optional<FontSet> fonts_;      // from the placing on
  std::optional<DialogUnits> units_;  // from the placing on
  bool built_ = false;
  Brush backgroundBrush_;
  Icon windowIcon_;
  Icon bigWindowIcon_;
  HWND window_ = nullptr;
  std::vector<WindowControl> controls_;
  WindowVisibility visibility_;
  bool trackingPointer_ = false;
};

}  // namespace quellix::win32
