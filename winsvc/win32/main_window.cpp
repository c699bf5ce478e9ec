#include "winsvc/win32/main_window.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/win32/system_functions.h"

namespace quellix::win32 {
namespace {

constexpr char kClassName[] = "QuellixMainWindow";

COLORREF ToColorRef(const Colour& colour) { return RGB(colour.red, colour.green, colour.blue); }

// "CLARION.ICO" names the resource CLARION_ICO.
std::string ResourceNameOf(std::string_view fileName) {
  std::string name(fileName);
  for (char& c : name) {
    c = c == '.' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return name;
}

HINSTANCE ThisModule() { return ::GetModuleHandleA(nullptr); }

void RegisterMainWindowClass() {
  WNDCLASSA windowClass{};
  if (::GetClassInfoA(ThisModule(), kClassName, &windowClass)) return;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &MainWindow::Procedure;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassA(&windowClass);
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

SIZE TextExtent(HFONT font, std::string_view text) {
  WindowDc screen(nullptr);
  const Selection selected(screen.get(), font);
  SIZE extent{};
  if (!text.empty()) {
    ::GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &extent);
  } else {
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen.get(), &metrics);
    extent.cy = metrics.tmHeight;
  }
  return extent;
}

// Buttons and radio buttons are the system's own; everything else that shows is
// drawn by the window over its background, the option group's box included, so
// that nothing stale can stay behind a frame that paints no background.
bool IsChildKind(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kRadioButton;
}

// Themed radio buttons draw their text in the theme's colour,
// not the window's; plain ones honour WM_CTLCOLORSTATIC. A system without
// themes has no SetWindowTheme, and its buttons are plain already.
void DrawUnthemed(HWND child) {
  const auto setWindowTheme = os::win32::System().SetWindowTheme;
  if (setWindowTheme) setWindowTheme(child, L"", L"");
}

}  // namespace

MainWindow::MainWindow(const WindowDefinition& definition, OptionSource* option, ListSource* list)
    : model_(definition, option, list) {
  RegisterMainWindowClass();
  const std::string title(definition.title);
  ::CreateWindowExA(0, kClassName, title.c_str(), WindowStyleOf(definition), 0, 0, 0, 0, nullptr,
                    nullptr, ThisModule(), this);
  ObserveSizeState();
}

void MainWindow::Build() {
  if (units_) return;
  const WindowDefinition& definition = model_.Definition();
  fonts_.emplace(definition.fontFace, definition.fontPoints);
  units_.emplace(fonts_->Base());
  backgroundBrush_ = Brush(::CreateSolidBrush(ToColorRef(definition.background)));

  const DWORD style = WindowStyleOf(definition);
  RECT frame{0, 0, units_->ToPixelsX(definition.width), units_->ToPixelsY(definition.height)};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT workArea{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  const int x = workArea.left + (workArea.right - workArea.left - width) / 2;
  const int y = workArea.top + (workArea.bottom - workArea.top - height) / 2;
  // The window is hidden until built, and may be iconized: its placement
  // takes the place it shows at (or is restored to), in workspace
  // coordinates, and keeps it hidden.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(window_, &placement);
  placement.rcNormalPosition = RECT{x - workArea.left, y - workArea.top, x - workArea.left + width,
                                    y - workArea.top + height};
  placement.showCmd = SW_HIDE;
  keepHidden_ = true;
  ::SetWindowPlacement(window_, &placement);
  keepHidden_ = false;

  if (!definition.iconName.empty()) {
    const std::string resource = ResourceNameOf(definition.iconName);
    windowIcon_ = Icon(static_cast<HICON>(::LoadImageA(ThisModule(), resource.c_str(), IMAGE_ICON,
                                                       ::GetSystemMetrics(SM_CXSMICON),
                                                       ::GetSystemMetrics(SM_CYSMICON), 0)));
    bigWindowIcon_ = Icon(static_cast<HICON>(::LoadImageA(ThisModule(), resource.c_str(),
                                                          IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                          ::GetSystemMetrics(SM_CYICON), 0)));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_.get()));
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigWindowIcon_.get()));
  }
  CreateControls();
  SyncRadioButtons();
  SyncPresence();
  // Whatever happened while the window was being made is not news.
  ObserveSizeState();
}

MainWindow::~MainWindow() {
  if (window_ && ::IsWindow(window_)) {
    ::DestroyWindow(window_);
  }
  lists_.clear();
  if (fonts_) {
    for (const Control& control : controls_) fonts_->Release(control.style);
  }
}

MainWindow::Control* MainWindow::Find(ControlNumber number) {
  const auto found = std::find_if(controls_.begin(), controls_.end(), [number](const Control& c) {
    return c.definition->number == number;
  });
  return found == controls_.end() ? nullptr : &*found;
}

RECT MainWindow::RectOf(const ControlDefinition& definition, HFONT font) const {
  const int x = units_->ToPixelsX(definition.x);
  const int y = units_->ToPixelsY(definition.y);
  SIZE natural{};
  const std::string_view text = model_.ControlText(definition.number);
  switch (definition.kind) {
    case ControlKind::kImage:
      natural = {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
      break;
    case ControlKind::kRadioButton: {
      const SIZE label = TextExtent(font, text);
      const int box = ::GetSystemMetrics(SM_CXMENUCHECK);
      natural = {box + units_->ToPixelsX(4) + label.cx, std::max<LONG>(box, label.cy)};
      break;
    }
    case ControlKind::kButton: {
      const SIZE label = TextExtent(font, text);
      natural = {label.cx + units_->ToPixelsX(8), label.cy + units_->ToPixelsY(6)};
      break;
    }
    default:
      natural = TextExtent(font, text);
      break;
  }
  // A fixed size is placed by its far corner, as dialog templates are: the
  // sum of two rounded values could overshoot it by a pixel and clip a control
  // that ends at the window's edge.
  const int right = definition.width == kNaturalSize
                        ? x + natural.cx
                        : units_->ToPixelsX(definition.x + definition.width);
  const int bottom = definition.height == kNaturalSize
                         ? y + natural.cy
                         : units_->ToPixelsY(definition.y + definition.height);
  return RECT{x, y, right, bottom};
}

void MainWindow::CreateControls() {
  const WindowDefinition& definition = model_.Definition();
  const ListColours listColours{
      ToColorRef(definition.textColour), ToColorRef(definition.background),
      ToColorRef(definition.background), ToColorRef(definition.textColour),
      ToColorRef(definition.textColour)};
  controls_.reserve(definition.controls.size());
  for (const ControlDefinition& control : definition.controls) {
    Control made{&control};
    made.style = control.fontStyle;
    made.font = fonts_->Acquire(made.style);
    made.rect = RectOf(control, made.font);
    if (IsChildKind(control.kind)) {
      made.child = CreateChild(made);
    } else if (control.kind == ControlKind::kList) {
      lists_.push_back(std::make_unique<ListControl>(window_, made.rect, control, model_, *units_,
                                                     made.font, listColours));
      made.child = lists_.back()->Handle();
    } else if (control.kind == ControlKind::kImage) {
      const std::string resource = ResourceNameOf(control.text);
      images_.emplace_back(static_cast<HICON>(
          ::LoadImageA(ThisModule(), resource.c_str(), IMAGE_ICON, made.rect.right - made.rect.left,
                       made.rect.bottom - made.rect.top, 0)));
    }
    controls_.push_back(made);
  }
}

HWND MainWindow::CreateChild(const Control& control) {
  const ControlDefinition& definition = *control.definition;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  switch (definition.kind) {
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kRadioButton:
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    default:
      break;
  }
  const std::string text(model_.ControlText(definition.number));
  const RECT& r = control.rect;
  HWND child = ::CreateWindowExA(
      0, "BUTTON", text.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.number)), ThisModule(), nullptr);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
  if (definition.kind == ControlKind::kRadioButton) DrawUnthemed(child);
  return child;
}

void MainWindow::SyncPresence() {
  for (const Control& control : controls_) {
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
  for (const Control& control : controls_) {
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
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongA(window, GWL_USERDATA, reinterpret_cast<LONG>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongA(window, GWL_USERDATA));
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  // An event that arises while NextEvent waits inside GetMessage (a message
  // sent from elsewhere is handled there without GetMessage returning) must
  // wake it.
  const std::size_t pendingBefore = self->model_.PendingCount();
  const LRESULT result = self->Handle(message, wParam, lParam);
  if (self->model_.PendingCount() > pendingBefore) self->WakeLoop();
  return result;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
      HWND under = ::ChildWindowFromPointEx(window_, pointer, CWP_SKIPINVISIBLE);
      for (const auto& list : lists_) {
        if (list->Handle() == under) return ::SendMessageA(under, message, wParam, lParam);
      }
      break;
    }
    case WM_WINDOWPOSCHANGING:
      if (keepHidden_) {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->flags = (position->flags & ~SWP_SHOWWINDOW) | SWP_NOACTIVATE;
      }
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
  for (const Control& control : controls_) {
    if (!control.child && model_.IsPresent(control.definition->number)) {
      PaintControl(paint.dc(), control);
    }
  }
}

void MainWindow::PaintControl(HDC dc, const Control& control) {
  const ControlDefinition& definition = *control.definition;
  const WindowDefinition& window = model_.Definition();
  switch (definition.kind) {
    case ControlKind::kText: {
      if (!definition.transparent) ::FillRect(dc, &control.rect, backgroundBrush_.get());
      const Selection font(dc, control.font);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ToColorRef(window.textColour));
      const std::string_view text = model_.ControlText(definition.number);
      RECT rect = control.rect;
      ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
    case ControlKind::kLine: {
      const Pen pen(::CreatePen(
          PS_SOLID, 1, ToColorRef(definition.hasColour ? definition.colour : window.textColour)));
      const Selection selected(dc, pen.get());
      ::MoveToEx(dc, control.rect.left, control.rect.top, nullptr);
      ::LineTo(dc, control.rect.right,
               control.rect.bottom == control.rect.top ? control.rect.top : control.rect.bottom);
      break;
    }
    case ControlKind::kOptionGroup: {
      if (!definition.boxed) break;
      // A frame whose top line runs through the middle of the caption.
      const Selection font(dc, control.font);
      const std::string_view caption = model_.ControlText(definition.number);
      const SIZE extent = TextExtent(control.font, caption);
      const RECT& r = control.rect;
      const int top = r.top + extent.cy / 2;
      const Pen pen(::CreatePen(PS_SOLID, 1, ToColorRef(window.textColour)));
      const Selection selected(dc, pen.get());
      const Selection noFill(dc, ::GetStockObject(NULL_BRUSH));
      ::Rectangle(dc, r.left, top, r.right, r.bottom);
      RECT text{r.left + units_->ToPixelsX(6), r.top, r.left + units_->ToPixelsX(6) + extent.cx,
                r.top + extent.cy};
      ::FillRect(dc, &text, backgroundBrush_.get());
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ToColorRef(window.textColour));
      ::DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
    case ControlKind::kImage: {
      std::size_t index = 0;
      for (const Control& other : controls_) {
        if (&other == &control) break;
        if (other.definition->kind == ControlKind::kImage) ++index;
      }
      if (index < images_.size() && images_[index].get()) {
        ::DrawIconEx(dc, control.rect.left, control.rect.top, images_[index].get(),
                     control.rect.right - control.rect.left, control.rect.bottom - control.rect.top,
                     0, nullptr, DI_NORMAL);
      }
      break;
    }
    default:
      break;  // sheets, tabs and regions show nothing of their own
  }
}

bool MainWindow::NextEvent() {
  Build();
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
  Build();
  Control* control = Find(number);
  if (!control) return;
  model_.SetControlText(number, text);
  if (control->child) {
    if (control->definition->kind == ControlKind::kList) return;
    const std::string copy(text);
    ::SetWindowTextA(control->child, copy.c_str());
    return;
  }
  Relayout(*control);
}

void MainWindow::Relayout(Control& control) {
  Invalidate(control.rect);
  control.rect = RectOf(*control.definition, control.font);
  Invalidate(control.rect);
}

void MainWindow::SetFontStyle(ControlNumber number, FontStyle style) {
  Build();
  Control* control = Find(number);
  if (!control) return;
  model_.SetFontStyle(number, style);
  if (style != control->style) {
    HFONT font = fonts_->Acquire(style);
    fonts_->Release(control->style);
    control->style = style;
    control->font = font;
  }
  if (control->definition->kind == ControlKind::kList) {
    for (const auto& list : lists_) {
      if (list->Handle() == control->child) list->SetFont(control->font);
    }
  } else if (control->child) {
    ::SendMessageA(control->child, WM_SETFONT, reinterpret_cast<WPARAM>(control->font), TRUE);
    return;
  }
  Relayout(*control);
}

void MainWindow::SelectControl(ControlNumber number, int position) {
  Build();
  Control* control = Find(number);
  if (!control) return;
  model_.SelectControl(number, position);
  switch (control->definition->kind) {
    case ControlKind::kTab:
      SyncPresence();
      break;
    case ControlKind::kList:
      for (const auto& list : lists_) {
        if (list->Handle() == control->child) list->Refresh();
      }
      ::SetFocus(control->child);
      break;
    default:
      if (control->child) ::SetFocus(control->child);
      break;
  }
}

void MainWindow::RedrawControl(ControlNumber number) {
  Build();
  Control* control = Find(number);
  if (!control) return;
  model_.RedrawControl(number);
  if (control->definition->kind == ControlKind::kList) {
    for (const auto& list : lists_) {
      if (list->Handle() == control->child) list->Refresh();
    }
  } else if (control->child) {
    ::InvalidateRect(control->child, nullptr, TRUE);
  } else {
    Invalidate(control->rect);
  }
}

void MainWindow::SetHidden(bool hidden) {
  if (hidden) {
    ::ShowWindow(window_, SW_HIDE);
    return;
  }
  Build();
  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  ::ShowWindow(window_, (style & WS_MINIMIZE)   ? SW_SHOWMINNOACTIVE
                        : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                : SW_SHOW);
}

void MainWindow::SetIconized(bool iconized) {
  const bool isIconized = (::GetWindowLongA(window_, GWL_STYLE) & WS_MINIMIZE) != 0;
  if (iconized == isIconized) return;
  if (::IsWindowVisible(window_)) {
    ::ShowWindow(window_, iconized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    return;
  }
  // A hidden window is iconized with SC_MINIMIZE and restored to its normal
  // placement (or to the maximized state it had before) with a restoring
  // ShowWindow, both of which would also show it; the window keeps itself
  // hidden meanwhile by taking the show flag out of every position change.
  // (Clearing WS_MINIMIZE with SetWindowLong is not honoured by every system.)
  keepHidden_ = true;
  if (iconized) {
    ::SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  keepHidden_ = false;
}

}  // namespace quellix::win32
