#include "winsvc/win32/list_control.h"

#include <algorithm>
#include <string>

#include "winsvc/cell_text.h"
#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/gdi_handles.h"
#include "winsvc/win32/text_drawing.h"
#include "winsvc/win32/this_module.h"
#include "winsvc/win32/window_class.h"

namespace quellix::win32 {
namespace {
constexpr char kClassName[] = "QuellixList";
constexpr int kWheelDelta = 120;
constexpr int kRowsPerWheelNotch = 3;
}  // namespace

ListControl::ListControl(HWND parent, const RECT& rect, const ControlDefinition& definition,
                         WindowModel& model, const DialogUnits& units, HFONT font,
                         ListColours colours)
    : definition_(definition),
      model_(model),
      units_(units),
      columns_(ParseListFormat(definition.listFormat)),
      font_(font),
      colours_(colours) {
  RegisterWindowClass(kClassName, &ListControl::Procedure, CS_DBLCLKS,
                      ::LoadCursor(nullptr, IDC_ARROW));
  window_ = ::CreateWindowExA(0, kClassName, "", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.number)),
                              ThisModule(), this);
}

ListControl::~ListControl() {
  if (window_ && ::IsWindow(window_)) {
    Unbind(window_);
    ::DestroyWindow(window_);
  }
}

void ListControl::SetFont(HFONT font) {
  font_ = font;
  Refresh();
}

void ListControl::Refresh() {
  EnsureVisible(model_.SelectedRow(definition_.number));
  ScrollTo(topRow_);
  ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK ListControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* list = BoundOwner<ListControl>(window, message, lParam);
  if (!list) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCCREATE) list->window_ = window;
  return list->OnMessage(message, wParam, lParam);
}

LRESULT ListControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      BufferedPaint paint(window_);
      PaintTo(paint.dc(), paint.client());
      return 0;
    }
    case WM_PRINTCLIENT: {
      // Drawing into a caller's context: what a screen reader or a capture
      // asks for, and the same picture as on the screen.
      RECT client{};
      ::GetClientRect(window_, &client);
      PaintTo(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      ::SetFocus(window_);
      const int y = static_cast<short>(HIWORD(lParam));
      const int row = topRow_ + y / RowHeight();
      if (row < RowCount()) Select(row + 1);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      wheelRemainder_ += static_cast<short>(HIWORD(wParam));
      const int notches = wheelRemainder_ / kWheelDelta;
      wheelRemainder_ -= notches * kWheelDelta;
      ScrollTo(topRow_ - notches * kRowsPerWheelNotch);
      return 0;
    }
    case WM_KEYDOWN: {
      const int count = RowCount();
      if (count == 0) break;
      const int selected = model_.SelectedRow(definition_.number);
      const int page = std::max(1, VisibleRows() - 1);
      int target = selected;
      switch (wParam) {
        case VK_UP:
          target = selected - 1;
          break;
        case VK_DOWN:
          target = selected + 1;
          break;
        case VK_PRIOR:
          target = selected - page;
          break;
        case VK_NEXT:
          target = selected + page;
          break;
        case VK_HOME:
          target = 1;
          break;
        case VK_END:
          target = count;
          break;
        default:
          return ::DefWindowProcA(window_, message, wParam, lParam);
      }
      Select(std::clamp(target, 1, count));
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wParam, lParam);
}

int ListControl::RowCount() const {
  const ListSource* rows = model_.ListData(definition_.number);
  return rows ? static_cast<int>(rows->RowCount()) : 0;
}

int ListControl::RowHeight() const {
  WindowDc dc(window_);
  const Selection selected(dc.get(), font_);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc.get(), &metrics);
  return std::max<int>(1, metrics.tmHeight);
}

int ListControl::VisibleRows() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return std::max(1, static_cast<int>(client.bottom) / RowHeight());
}

void ListControl::ScrollTo(int topRow) {
  const int last = std::max(0, RowCount() - VisibleRows());
  const int clamped = std::clamp(topRow, 0, last);
  if (clamped != topRow_) {
    topRow_ = clamped;
    ::InvalidateRect(window_, nullptr, FALSE);
  }
}

void ListControl::EnsureVisible(int row) {
  if (row <= 0) return;
  const int index = row - 1;
  if (index < topRow_)
    ScrollTo(index);
  else if (index >= topRow_ + VisibleRows())
    ScrollTo(index - VisibleRows() + 1);
}

void ListControl::Select(int row) {
  model_.SelectControl(definition_.number, row);
  EnsureVisible(row);
  ::InvalidateRect(window_, nullptr, FALSE);
}

void ListControl::PaintTo(HDC dc, const RECT& client) {
  const Brush background(::CreateSolidBrush(colours_.background));
  ::FillRect(dc, &client, background.get());

  const Selection font(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  const int rowHeight = RowHeight();
  const ListSource* rows = model_.ListData(definition_.number);
  const int count = RowCount();
  const int selected = model_.SelectedRow(definition_.number);
  const Brush selectedBackground(::CreateSolidBrush(colours_.selectedBackground));

  for (int index = topRow_, y = 0; rows && index < count && y < client.bottom;
       ++index, y += rowHeight) {
    const bool isSelected = index + 1 == selected;
    if (isSelected) {
      const RECT line{0, y, client.right, y + rowHeight};
      ::FillRect(dc, &line, selectedBackground.get());
    }
    ::SetTextColor(dc, isSelected ? colours_.selectedText : colours_.text);
    for (std::size_t field = 0; field < columns_.size(); ++field) {
      const ListColumn& column = columns_[field];
      const ListField shown = rows->Field(static_cast<std::size_t>(index), field);
      const std::string text = CellText(column.picture, shown);
      if (text.empty()) continue;
      const HorizontalSpan clip = CellClip(column);
      const int anchor = units_.ToPixelsX(CellTextAnchor(column));
      const bool right = column.alignment == ColumnAlignment::kRight;
      RECT cell{right ? units_.ToPixelsX(clip.left) : anchor, y,
                right ? anchor : units_.ToPixelsX(clip.right), y + rowHeight};
      const int saved = ::SaveDC(dc);
      ::IntersectClipRect(dc, units_.ToPixelsX(clip.left), y, units_.ToPixelsX(clip.right),
                          y + rowHeight);
      DrawTextOf(dc, text, shown.origin, cell,
                 (right ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
      ::RestoreDC(dc, saved);
    }
  }

  // Over the full height, rows or not.
  const Brush separator(::CreateSolidBrush(colours_.separator));
  const int border = std::max(1, ::GetSystemMetrics(SM_CXBORDER));
  for (int x : SeparatorPositions(columns_)) {
    const int right = units_.ToPixelsX(x);
    const RECT line{right - border, 0, right, client.bottom};
    ::FillRect(dc, &line, separator.get());
  }
  if (::GetFocus() == window_ && selected > 0 && selected - 1 >= topRow_) {
    RECT focus{0, (selected - 1 - topRow_) * rowHeight, client.right,
               (selected - topRow_) * rowHeight};
    ::SetTextColor(dc, colours_.text);
    ::DrawFocusRect(dc, &focus);
  }
}

}  // namespace quellix::win32
