#include "winsvc/win32/main_window.h"

#include <algorithm>
#include <string>

#include "common/resource_name.h"
#include "winsvc/win32/child_controls.h"
#include "winsvc/win32/colour_ref.h"
#include "winsvc/win32/control_layout.h"
#include "winsvc/win32/control_painter.h"
#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/this_module.h"
#include "winsvc/win32/window_class.h"

namespace quellix::win32 {
namespace {

constexpr char kClassName[] = "QuellixMainWindow";

os::OwnedIcon LoadIcon(std::string_view fileName, int width, int height) {
  const std::string resource = ResourceNameOf(fileName);
  return os::OwnedIcon(static_cast<HICON>(
      ::LoadImageA(ThisModule(), resource.c_str(), IMAGE_ICON, width, height, 0)));
}

DWORD WindowStyleOf(const WindowDefinition& definition) {
  // No caption without a title. The minimize box lets the taskbar iconize the
  // shown window. No system menu: even without a caption, Alt+Space would open
  // it, and its Close would end the program behind the program's back. No
  // WS_CLIPCHILDREN: the window draws under its see-through children, and
  // leaves out by itself the children that draw themselves.
  DWORD style = WS_POPUP | WS_MINIMIZEBOX;
  if (!definition.title.empty()) style |= WS_CAPTION;
  if (definition.singleBorder) style |= WS_BORDER;
  if (definition.resizable) style |= WS_THICKFRAME;
  if (definition.maximizeBox) style |= WS_MAXIMIZEBOX;
  return style;
}

// A list draws in the window's colours, its selected row inverted so that it
// stands out, and its separator lines in the text colour.
ListColours ListColoursOf(const WindowDefinition& definition) {
  const COLORREF text = ToColorRef(definition.textColour);
  const COLORREF background = ToColorRef(definition.background);
  return ListColours{.text = text,
                     .background = background,
                     .selectedText = background,
                     .selectedBackground = text,
                     .separator = text};
}

// The key code of a key message: the virtual key and the modifiers held.
std::int32_t KeyCodeOf(const MSG& message) {
  std::int32_t code = static_cast<std::int32_t>(message.wParam);
  if (HIWORD(message.lParam) & KF_ALTDOWN) code += kAltKeyFlag;
  if (::GetKeyState(VK_CONTROL) < 0) code += kCtrlKeyFlag;
  if (::GetKeyState(VK_SHIFT) < 0) code += kShiftKeyFlag;
  return code;
}

}  // namespace

bool MainWindow::Screen::operator==(const Screen& other) const {
  return ::EqualRect(&workArea, &other.workArea) && width == other.width && height == other.height;
}

MainWindow::Screen MainWindow::CurrentScreen() {
  Screen screen;
  screen.width = ::GetSystemMetrics(SM_CXSCREEN);
  screen.height = ::GetSystemMetrics(SM_CYSCREEN);
  // The primary monitor's work area, within the monitor: a shell that has not
  // caught up with a smaller screen yet (Wine's never does) reports the old
  // work area, which reaches past it.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoA(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    ::IntersectRect(&screen.workArea, &monitor.rcWork, &monitor.rcMonitor);
  } else {
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT whole{0, 0, screen.width, screen.height};
    ::IntersectRect(&screen.workArea, &workArea, &whole);
  }
  return screen;
}

MainWindow::MainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list)
    : model_(definition, option, list) {
  RegisterWindowClass(kClassName, &MainWindow::Procedure, CS_DBLCLKS,
                      ::LoadCursor(nullptr, IDC_ARROW));
  const std::string title(definition.title);
  // The window is owned from WM_NCCREATE on; one the system then gave up is none.
  if (!::CreateWindowExA(0, kClassName, title.c_str(), WindowStyleOf(definition), 0, 0, 0, 0,
                         nullptr, nullptr, ThisModule(), this)) {
    window_ = OwnedWindow();
  }
  visibility_.Attach(window_.get());
  ObserveSizeState();
}

void MainWindow::Build() {
  if (built_) return;
  built_ = true;
  const WindowDefinition& definition = model_.Definition();
  fonts_.emplace(definition.fontFace, definition.fontPoints);
  units_.emplace(fonts_->Base());
  Place();
  backgroundBrush_ = Brush(::CreateSolidBrush(ToColorRef(definition.background)));
  LoadWindowIcons();
  CreateControls();
  SyncRadioButtons();
  SyncPresence();
  // Whatever happened while the window was being made is not news.
  ObserveSizeState();
}

void MainWindow::Place() {
  const WindowDefinition& definition = model_.Definition();
  RECT frame{0, 0, units_->ToPixelsX(definition.width), units_->ToPixelsY(definition.height)};
  ::AdjustWindowRectEx(&frame, WindowStyleOf(definition), FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  placedFor_ = CurrentScreen();
  const RECT& workArea = placedFor_.workArea;
  // Centred on the work area, or at its top left corner.
  const int x = definition.centred ? (workArea.right - workArea.left - width) / 2 : 0;
  const int y = definition.centred ? (workArea.bottom - workArea.top - height) / 2 : 0;
  // The window is hidden here, and may be iconized: its placement takes the
  // place it shows at (or is restored to), in workspace coordinates, and
  // keeps it hidden.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(window_.get(), &placement);
  placement.rcNormalPosition = RECT{x, y, x + width, y + height};
  visibility_.PlaceHidden(placement);
}

void MainWindow::LoadWindowIcons() {
  const std::string_view iconName = model_.Definition().iconName;
  if (iconName.empty()) return;
  windowIcon_ =
      LoadIcon(iconName, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  bigWindowIcon_ = LoadIcon(iconName, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
  ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(windowIcon_.get()));
  ::SendMessageA(window_.get(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(bigWindowIcon_.get()));
}

void MainWindow::CreateControls() {
  const WindowDefinition& definition = model_.Definition();
  controls_.reserve(definition.controls.size());
  // In declaration order, which is the order Tab moves in.
  for (const ControlDefinition& control : definition.controls) {
    WindowControl made{.definition = &control};
    // As the model holds it now: the program may have changed it while the
    // window had not yet been shown.
    made.style = model_.ControlFontStyle(control.number);
    made.font = fonts_->Acquire(made.style);
    const std::string_view text = model_.ControlText(control.number);
    made.rect = ControlRect(control, text, made.font, *units_);
    if (control.kind == ControlKind::kList) {
      made.list = std::make_unique<ListControl>(window_.get(), made.rect, control, model_, *units_,
                                                made.font, ListColoursOf(definition));
      made.child = made.list->Hwnd();  // its rows are read when its page shows
    } else if (IsChildKind(control)) {
      const ControlNumber under = model_.TextUnder(control.number);
      made.child =
          CreateChildControl(window_.get(), control, under != 0 ? model_.ControlText(under) : text,
                             made.rect, made.font, &apartment_);
    } else if (control.kind == ControlKind::kImage) {
      made.image = LoadIcon(control.text, made.rect.right - made.rect.left,
                            made.rect.bottom - made.rect.top);
    }
    controls_.push_back(std::move(made));
  }
}

WindowControl* MainWindow::Find(ControlNumber number) {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(),
                   [number](const WindowControl& c) { return c.definition->number == number; });
  return found == controls_.end() ? nullptr : &*found;
}

void MainWindow::SyncPresence() {
  for (const WindowControl& control : controls_) {
    if (!control.child) continue;
    const bool present = model_.IsPresent(control.definition->number);
    if (present != (::IsWindowVisible(control.child) != FALSE) ||
        present != ((::GetWindowLongA(control.child, GWL_STYLE) & WS_VISIBLE) != 0)) {
      ::ShowWindow(control.child, present ? SW_SHOWNA : SW_HIDE);
    }
  }
  ::InvalidateRect(window_.get(), nullptr, FALSE);
}

void MainWindow::SyncRadioButtons() {
  for (const WindowControl& control : controls_) {
    if (control.definition->kind != ControlKind::kRadioButton) continue;
    const bool selected =
        model_.SelectedRadio(control.definition->parent) == control.definition->number;
    // A radio button's check also makes it its group's tab stop, or not.
    ::SendMessageA(control.child, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void MainWindow::Invalidate(const RECT& rect) { ::InvalidateRect(window_.get(), &rect, FALSE); }

void MainWindow::ObserveSizeState() {
  const LONG style = ::GetWindowLongA(window_.get(), GWL_STYLE);
  model_.SizeStateObserved((style & WS_MAXIMIZE)   ? SizeState::kMaximized
                           : (style & WS_MINIMIZE) ? SizeState::kIconized
                                                   : SizeState::kNormal);
}

void MainWindow::WakeLoop() { ::PostMessageA(window_.get(), WM_NULL, 0, 0); }

ControlNumber MainWindow::ControlWithFocus() const {
  const HWND window = window_.get();
  HWND focus = ::GetFocus();
  if (!::IsChild(window, focus)) return 0;
  while (::GetParent(focus) != window) focus = ::GetParent(focus);
  return ::GetDlgCtrlID(focus);
}

void MainWindow::NoteFocus() {
  if (const ControlNumber focused = ControlWithFocus()) model_.FocusMoved(focused);
}

void MainWindow::ApplyFocus() {
  const HWND window = window_.get();
  const HWND focus = ::GetFocus();
  // Only within the window that has the keyboard already: focusing a control
  // of another would activate it, and take the keyboard from the program the
  // user works in.
  if (!built_ || !::IsWindowVisible(window) || (focus != window && !::IsChild(window, focus))) {
    return;
  }
  const WindowControl* control = Find(model_.FocusedControl());
  const HWND target = control && control->child ? control->child : window;
  if (focus != target) ::SetFocus(target);
}

void MainWindow::RefreshPresentLists() {
  for (WindowControl& control : controls_) {
    if (control.list && model_.IsPresent(control.definition->number)) control.list->Refresh();
  }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = BoundOwner<MainWindow>(window, message, lParam);
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = OwnedWindow(window);
  // An event that arises while NextEvent waits inside GetMessage (a message
  // sent from elsewhere is handled there without GetMessage returning) must
  // wake it.
  const std::size_t pendingBefore = self->model_.PendingCount();
  const LRESULT result = self->OnMessage(message, wParam, lParam);
  if (self->model_.PendingCount() > pendingBefore) self->WakeLoop();
  return result;
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  // Nothing is on the window to point at before it is built (and the window
  // is hidden until then): such a message can only come from elsewhere.
  if (!units_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  const auto pointX = [&] { return units_->ToUnitsX(static_cast<short>(LOWORD(lParam))); };
  const auto pointY = [&] { return units_->ToUnitsY(static_cast<short>(HIWORD(lParam))); };
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      if (!built_) break;  // nothing to draw yet; the default validates
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, ToColorRef(model_.Definition().textColour));
      ::SetBkColor(dc, ToColorRef(model_.Definition().background));
      ::SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(backgroundBrush_.get());
    }
    case WM_DRAWITEM:
      return TRUE;  // the list draws itself whole, in its own paint
    case WM_COMMAND: {
      if (lParam == 0 || HIWORD(wParam) != BN_CLICKED) break;
      const ControlNumber number = LOWORD(wParam);
      const ControlDefinition* control = model_.FindControl(number);
      if (!control) break;
      // A button clicked, or a link followed by assistive technology.
      if (control->kind == ControlKind::kButton || control->kind == ControlKind::kRegion) {
        model_.Pressed(number);
      }
      if (control->kind == ControlKind::kRadioButton) {
        model_.RadioPicked(number);
        SyncRadioButtons();
      }
      return 0;
    }
    case WM_SETFOCUS:
      // Activated: the focus goes on to the control that has it in the model.
      ApplyFocus();
      return 0;
    case WM_UPDATEUISTATE:
      // Focus rectangles shown or hidden: a link's is drawn here.
      ::InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) NoteFocus();
      break;
    case WM_MOUSEMOVE:
      if (!trackingPointer_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
        trackingPointer_ = ::TrackMouseEvent(&track) != FALSE;
      }
      model_.PointerMoved(pointX(), pointY());
      return 0;
    case WM_MOUSELEAVE:
      trackingPointer_ = false;
      model_.PointerLeftWindow();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      model_.MouseButtonPressed(pointX(), pointY());
      return 0;
    case WM_MOUSEWHEEL: {
      // The wheel reaches the window with the focus; a list under the pointer
      // scrolls as well, focused or not.
      POINT pointer{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ScreenToClient(window, &pointer);
      const HWND under = ::ChildWindowFromPointEx(window, pointer, CWP_SKIPINVISIBLE);
      const WindowControl* control = under ? Find(::GetDlgCtrlID(under)) : nullptr;
      if (control && control->list) return ::SendMessageA(under, message, wParam, lParam);
      break;
    }
    case WM_WINDOWPOSCHANGING:
      visibility_.Filter(*reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED:
      ObserveSizeState();
      break;
    case WM_CLOSE:
      model_.CloseRequested();  // the window stays; the program decides
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void MainWindow::Paint() {
  const HWND window = window_.get();
  BufferedPaint paint(window);
  // The children that draw themselves are left to them.
  for (const WindowControl& control : controls_) {
    if (control.child && DrawsItself(control.definition->kind) &&
        ::IsWindowVisible(control.child)) {
      const RECT& r = control.rect;
      ::ExcludeClipRect(paint.windowDc(), r.left, r.top, r.right, r.bottom);
    }
  }
  ::FillRect(paint.dc(), &paint.client(), backgroundBrush_.get());
  const WindowLook look{ToColorRef(model_.Definition().textColour), backgroundBrush_.get(),
                        *units_};
  for (const WindowControl& control : controls_) {
    const ControlNumber number = control.definition->number;
    if (!DrawsItself(control.definition->kind) && model_.IsPresent(number)) {
      PaintControl(paint.dc(), control, model_.ControlText(number), look);
    }
  }
  // A link with the focus shows it around its text, once the keyboard is in use.
  const bool focusShown = (::SendMessageA(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
  const ControlNumber focusNumber = ControlWithFocus();
  const ControlDefinition* focused = model_.FindControl(focusNumber);
  if (focusShown && focused && focused->kind == ControlKind::kRegion) {
    if (const WindowControl* text = Find(model_.TextUnder(focusNumber))) {
      ::SetTextColor(paint.dc(), look.text);
      ::SetBkColor(paint.dc(), ToColorRef(model_.Definition().background));
      ::DrawFocusRect(paint.dc(), &text->rect);
    }
  }
}

bool MainWindow::NextEvent() {
  for (;;) {
    switch (model_.TakeNextEvent()) {
      case NextResult::kEvent:
        return true;
      case NextResult::kEnded:
        return false;
      case NextResult::kEmpty:
        break;
    }
    MSG message;
    if (::GetMessageA(&message, nullptr, 0, 0) <= 0) {
      // WM_QUIT, or a failing queue: nothing more will come, so end as if closed.
      model_.CloseRequested();
      continue;
    }
    if (TakeKey(message)) continue;
    // The keyboard of a dialog: Tab, Shift+Tab, Space on a button, the list's
    // own keys.
    if (built_ && ::IsDialogMessageA(window_.get(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool MainWindow::TakeKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  const HWND window = window_.get();
  if (message.hwnd != window && !::IsChild(window, message.hwnd)) return false;
  // The keyboard is in use: focus rectangles show from now on.
  ::SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  NoteFocus();
  const ControlNumber focusBefore = model_.FocusedControl();
  if (!model_.KeyPressed(KeyCodeOf(message))) return false;
  if (model_.FocusedControl() != focusBefore) {
    SyncRadioButtons();  // an arrow picked another radio button
    ApplyFocus();
  }
  return true;
}

void MainWindow::PostEvent(EventCode code, ControlNumber control) {
  model_.PostEvent(code, control);
  WakeLoop();
}

void MainWindow::SetControlText(ControlNumber number, std::string_view text) {
  model_.SetControlText(number, text);
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is made with the model's text
  if (control->list) return;
  if (control->child) SetChildText(control->child, text);
  if (!DrawsItself(control->definition->kind)) {
    Relayout(*control);
    RenameLinksOver(number);
  }
}

void MainWindow::RenameLinksOver(ControlNumber text) {
  for (const WindowControl& control : controls_) {
    if (control.child && model_.TextUnder(control.definition->number) == text) {
      SetChildText(control.child, model_.ControlText(text));
    }
  }
}

void MainWindow::Relayout(WindowControl& control) {
  Invalidate(control.rect);
  control.rect = ControlRect(*control.definition, model_.ControlText(control.definition->number),
                             control.font, *units_);
  Invalidate(control.rect);
  if (control.child) {
    const RECT& r = control.rect;
    ::MoveWindow(control.child, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
  }
}

void MainWindow::SetFontStyle(ControlNumber number, FontStyle style) {
  model_.SetFontStyle(number, style);
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is made with the model's style
  if (style != control->style) {
    HFONT font = fonts_->Acquire(style);
    fonts_->Release(control->style);
    control->style = style;
    control->font = font;
  }
  if (control->list) {
    control->list->SetFont(control->font);
  } else if (control->child && DrawsItself(control->definition->kind)) {
    ::SendMessageA(control->child, WM_SETFONT, reinterpret_cast<WPARAM>(control->font), TRUE);
    return;
  }
  Relayout(*control);
}

void MainWindow::SelectControl(ControlNumber number, int position) {
  const ControlDefinition* definition = model_.FindControl(number);
  if (!definition) return;
  const bool page = definition->kind == ControlKind::kTab;
  // The page that is left keeps the control the user left the focus on.
  if (page) NoteFocus();
  model_.SelectControl(number, position);
  if (!built_) return;  // the controls are made as the model says
  if (page) {
    SyncPresence();
    RefreshPresentLists();  // the rows may have changed while they were not seen
  } else if (WindowControl* control = Find(number); control && control->list) {
    control->list->Refresh();
  }
  ApplyFocus();
}

void MainWindow::RedrawControl(ControlNumber number) {
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is drawn from the data when made
  if (control->list) {
    control->list->Refresh();
  } else if (control->child && DrawsItself(control->definition->kind)) {
    ::InvalidateRect(control->child, nullptr, TRUE);
  } else {
    Invalidate(control->rect);
  }
}

void MainWindow::SetHidden(bool hidden) {
  if (hidden) {
    NoteFocus();
    visibility_.SetHidden(true);
    return;
  }
  Build();
  const HWND window = window_.get();
  if (!::IsWindowVisible(window)) {
    // The screen may have changed while the window was hidden (a resolution
    // changed, a laptop undocked): it comes up whole, centred anew.
    if (placedFor_ != CurrentScreen()) Place();
    RefreshPresentLists();
    // As a dialog is shown: focus rectangles once the keyboard is used.
    ::SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  }
  visibility_.SetHidden(false);
}

void MainWindow::SetIconized(bool iconized) {
  // Restored while hidden, the window takes its normal place and size, which
  // it has once built; iconizing needs none of it.
  if (!iconized) Build();
  visibility_.SetIconized(iconized);
}

}  // namespace quellix::win32
