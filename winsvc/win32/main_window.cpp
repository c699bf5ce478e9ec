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

Icon LoadIcon(std::string_view fileName, int width, int height) {
  const std::string resource = ResourceNameOf(fileName);
  return Icon(static_cast<HICON>(
      ::LoadImageA(ThisModule(), resource.c_str(), IMAGE_ICON, width, height, 0)));
}

DWORD WindowStyleOf(const WindowDefinition& definition) {
  // No caption without a title. The minimize box lets the taskbar iconize the
  // shown window. No system menu: even without a caption, Alt+Space would open
  // it, and its Close would end the program behind the program's back.
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
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

}  // namespace

MainWindow::MainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list)
    : model_(definition, option, list) {
  RegisterWindowClass(kClassName, &MainWindow::Procedure, CS_DBLCLKS,
                      ::LoadCursor(nullptr, IDC_ARROW));
  const std::string title(definition.title);
  ::CreateWindowExA(0, kClassName, title.c_str(), WindowStyleOf(definition), 0, 0, 0, 0, nullptr,
                    nullptr, ThisModule(), this);
  visibility_.Attach(window_);
  ObserveSizeState();
}

MainWindow::~MainWindow() {
  if (window_ && ::IsWindow(window_)) {
    ::DestroyWindow(window_);
  }
  if (fonts_) {
    for (const WindowControl& control : controls_) fonts_->Release(control.style);
  }
  controls_.clear();
}

void MainWindow::Place() {
  if (units_) return;
  const WindowDefinition& definition = model_.Definition();
  fonts_.emplace(definition.fontFace, definition.fontPoints);
  units_.emplace(fonts_->Base());
  PlaceWindow();
}

void MainWindow::Build() {
  if (built_) return;
  Place();
  built_ = true;
  backgroundBrush_ = Brush(::CreateSolidBrush(ToColorRef(model_.Definition().background)));
  LoadWindowIcons();
  CreateControls();
  SyncRadioButtons();
  SyncPresence();
  // Whatever happened while the window was being made is not news.
  ObserveSizeState();
}

void MainWindow::PlaceWindow() {
  const WindowDefinition& definition = model_.Definition();
  RECT frame{0, 0, units_->ToPixelsX(definition.width), units_->ToPixelsY(definition.height)};
  ::AdjustWindowRectEx(&frame, WindowStyleOf(definition), FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT workArea{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  // Centred on the work area, or at its top left corner.
  const int x = definition.centred ? (workArea.right - workArea.left - width) / 2 : 0;
  const int y = definition.centred ? (workArea.bottom - workArea.top - height) / 2 : 0;
  // The window is hidden until built, and may be iconized: its placement
  // takes the place it shows at (or is restored to), in workspace
  // coordinates, and keeps it hidden.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(window_, &placement);
  placement.rcNormalPosition = RECT{x, y, x + width, y + height};
  visibility_.PlaceHidden(placement);
}

void MainWindow::LoadWindowIcons() {
  const std::string_view iconName = model_.Definition().iconName;
  if (iconName.empty()) return;
  windowIcon_ =
      LoadIcon(iconName, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  bigWindowIcon_ = LoadIcon(iconName, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
  ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_.get()));
  ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigWindowIcon_.get()));
}

void MainWindow::CreateControls() {
  const WindowDefinition& definition = model_.Definition();
  controls_.reserve(definition.controls.size());
  for (const ControlDefinition& control : definition.controls) {
    WindowControl made{.definition = &control};
    // As the model holds it now: the program may have changed it while the
    // window had not yet been shown.
    made.style = model_.ControlFontStyle(control.number);
    made.font = fonts_->Acquire(made.style);
    const std::string_view text = model_.ControlText(control.number);
    made.rect = ControlRect(control, text, made.font, *units_);
    if (IsChildKind(control.kind)) {
      made.child = CreateChildControl(window_, control, text, made.rect, made.font);
    } else if (control.kind == ControlKind::kList) {
      made.list = std::make_unique<ListControl>(window_, made.rect, control, model_, *units_,
                                                made.font, ListColoursOf(definition));
      made.child = made.list->Hwnd();
      made.list->Refresh();  // scrolled to the row the model has selected
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
  ::InvalidateRect(window_, nullptr, FALSE);
}

void MainWindow::SyncRadioButtons() {
  for (const WindowControl& control : controls_) {
    if (control.definition->kind != ControlKind::kRadioButton) continue;
    const bool selected =
        model_.SelectedRadio(control.definition->parent) == control.definition->number;
    ::SendMessageA(control.child, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void MainWindow::Invalidate(const RECT& rect) { ::InvalidateRect(window_, &rect, FALSE); }

void MainWindow::ObserveSizeState() {
  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  model_.SizeStateObserved((style & WS_MAXIMIZE)   ? SizeState::kMaximized
                           : (style & WS_MINIMIZE) ? SizeState::kIconized
                                                   : SizeState::kNormal);
}

void MainWindow::WakeLoop() { ::PostMessageA(window_, WM_NULL, 0, 0); }

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = BoundOwner<MainWindow>(window, message, lParam);
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) self->window_ = window;
  // An event that arises while NextEvent waits inside GetMessage (a message
  // sent from elsewhere is handled there without GetMessage returning) must
  // wake it.
  const std::size_t pendingBefore = self->model_.PendingCount();
  const LRESULT result = self->OnMessage(message, wParam, lParam);
  if (self->model_.PendingCount() > pendingBefore) self->WakeLoop();
  return result;
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing is on the window to point at before it is built (and the window
  // is hidden until then): such a message can only come from elsewhere.
  if (!units_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    return ::DefWindowProcA(window_, message, wParam, lParam);
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
    case WM_COMMAND: {
      if (lParam == 0 || HIWORD(wParam) != BN_CLICKED) break;
      const ControlNumber number = LOWORD(wParam);
      const ControlDefinition* control = model_.FindControl(number);
      if (!control) break;
      if (control->kind == ControlKind::kButton) model_.ButtonClicked(number);
      if (control->kind == ControlKind::kRadioButton) {
        model_.RadioPicked(number);
        SyncRadioButtons();
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!trackingPointer_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_, 0};
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
      ::ScreenToClient(window_, &pointer);
      const HWND under = ::ChildWindowFromPointEx(window_, pointer, CWP_SKIPINVISIBLE);
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
  return ::DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::Paint() {
  BufferedPaint paint(window_);
  ::FillRect(paint.dc(), &paint.client(), backgroundBrush_.get());
  const WindowLook look{ToColorRef(model_.Definition().textColour), backgroundBrush_.get(),
                        *units_};
  for (const WindowControl& control : controls_) {
    const ControlNumber number = control.definition->number;
    if (!control.child && model_.IsPresent(number)) {
      PaintControl(paint.dc(), control, model_.ControlText(number), look);
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
    if (TakeAlertedKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool MainWindow::TakeAlertedKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  const bool alt = (HIWORD(message.lParam) & KF_ALTDOWN) != 0;
  return model_.KeyPressed(static_cast<std::int32_t>(message.wParam) + (alt ? kAltKeyFlag : 0));
}

void MainWindow::PostEvent(EventCode code, ControlNumber control) {
  model_.PostEvent(code, control);
  WakeLoop();
}

void MainWindow::SetControlText(ControlNumber number, std::string_view text) {
  model_.SetControlText(number, text);
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is made with the model's text
  if (control->child) {
    if (control->list) return;
    SetChildText(control->child, text);
    return;
  }
  Relayout(*control);
}

void MainWindow::Relayout(WindowControl& control) {
  Invalidate(control.rect);
  control.rect = ControlRect(*control.definition, model_.ControlText(control.definition->number),
                             control.font, *units_);
  Invalidate(control.rect);
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
  } else if (control->child) {
    ::SendMessageA(control->child, WM_SETFONT, reinterpret_cast<WPARAM>(control->font), TRUE);
    return;
  }
  Relayout(*control);
}

void MainWindow::SelectControl(ControlNumber number, int position) {
  model_.SelectControl(number, position);
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is made as the model says
  if (control->definition->kind == ControlKind::kTab) {
    SyncPresence();
    return;
  }
  if (control->list) control->list->Refresh();
  if (control->child) ::SetFocus(control->child);
}

void MainWindow::RedrawControl(ControlNumber number) {
  WindowControl* control = Find(number);
  if (!control) return;  // or not made yet: it is drawn from the data when made
  if (control->list) {
    control->list->Refresh();
  } else if (control->child) {
    ::InvalidateRect(control->child, nullptr, TRUE);
  } else {
    Invalidate(control->rect);
  }
}

void MainWindow::SetHidden(bool hidden) {
  if (!hidden) Build();
  visibility_.SetHidden(hidden);
}

void MainWindow::SetIconized(bool iconized) {
  // Restored while hidden, the window takes its normal place and size, which
  // it has once placed; iconizing needs none of it.
  if (!iconized) Place();
  visibility_.SetIconized(iconized);
}

}  // namespace quellix::win32
