#include "winsvc/win32/list_control.h"

#include <algorithm>
#include <string>

#include "winsvc/cell_text.h"
#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/gdi_handles.h"
#include "winsvc/win32/text_drawing.h"
#include "winsvc/win32/this_module.h"

namespace quellix::win32 {
namespace {

// What a screen reader reads of a line: its visible cells, in UTF-16.
std::wstring LineName(const std::vector<ListColumn>& columns, const ListSource& rows,
                      std::size_t row) {
  std::wstring name;
  for (const ShownCell& cell : ShownCells(columns, rows, row)) {
    if (!name.empty()) name += L", ";
    name += WideText(cell.text, cell.origin);
  }
  return name;
}

int LineHeight(HFONT font) {
  return std::max<int>(1, TextExtent(font, "", TextOrigin::kProgram).cy);
}

}  // namespace

ListControl::ListControl(HWND parent, const RECT& rect, const ControlDefinition& definition,
                         WindowModel& model, const DialogUnits& units, HFONT font,
                         ListColours colours)
    : definition_(definition),
      model_(model),
      units_(units),
      columns_(ParseListFormat(definition.listFormat)),
      font_(font),
      rowHeight_(LineHeight(font)),
      colours_(colours) {
  // Owner-drawn, so that it draws nothing itself; with strings, which the
  // system reads its lines from.
  window_ = OwnedWindow(::CreateWindowExW(
      0, L"LISTBOX", L"",
      WS_CHILD | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, rect.left,
      rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.number)), ThisModule(), nullptr));
  if (!window_) return;
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listBoxProcedure_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListControl::Procedure)));
  Ask(LB_SETITEMHEIGHT, 0, rowHeight_);
}

void ListControl::SetFont(HFONT font) {
  font_ = font;
  rowHeight_ = LineHeight(font);
  Ask(LB_SETITEMHEIGHT, 0, rowHeight_);
  Refresh();
}

void ListControl::Refresh() {
  if (!window_) return;
  // Straight to the list box: the selection it is given is the model's already.
  const int top = TopRow();
  Ask(WM_SETREDRAW, FALSE);
  Ask(LB_RESETCONTENT);
  if (const ListSource* rows = model_.ListData(definition_.number)) {
    for (std::size_t row = 0; row < rows->RowCount(); ++row) {
      Ask(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LineName(columns_, *rows, row).c_str()));
    }
  }
  model_.KeepSelectionInRows(definition_.number);
  // The list box keeps the top within its lines, and scrolls the selection
  // into view.
  Ask(LB_SETTOPINDEX, static_cast<WPARAM>(top));
  Ask(LB_SETCURSEL, static_cast<WPARAM>(model_.SelectedRow(definition_.number) - 1));
  Ask(WM_SETREDRAW, TRUE);
  ::InvalidateRect(window_.get(), nullptr, FALSE);
}

LRESULT ListControl::Ask(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!listBoxProcedure_) return 0;  // no list box could be made
  return ::CallWindowProcW(listBoxProcedure_, window_.get(), message, wParam, lParam);
}

int ListControl::TopRow() const { return std::max(0, static_cast<int>(Ask(LB_GETTOPINDEX))); }

LRESULT CALLBACK ListControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* list = reinterpret_cast<ListControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (!list) return ::DefWindowProcW(window, message, wParam, lParam);
  return list->OnMessage(message, wParam, lParam);
}

LRESULT ListControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND list = window_.get();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      BufferedPaint paint(list);
      PaintTo(paint.dc(), paint.client());
      return 0;
    }
    case WM_PRINTCLIENT: {
      // Drawing into a caller's context: what a capture asks for, and the
      // same picture as on the screen.
      RECT client{};
      ::GetClientRect(list, &client);
      PaintTo(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    default:
      break;
  }
  // The list box moves its selection and its lines itself (keys, clicks, the
  // wheel), and draws what changed through its owner, which draws nothing:
  // everything is drawn again here.
  const int top = TopRow();
  const LRESULT selectedBefore = Ask(LB_GETCURSEL);
  // With no line selected the list box takes any key to select its caret
  // line, the first; End and Page Down go on from there, as from a selection.
  if (message == WM_KEYDOWN && selectedBefore == LB_ERR &&
      (wParam == VK_END || wParam == VK_NEXT)) {
    Ask(LB_SETCURSEL, 0);
  }
  const LRESULT result = Ask(message, wParam, lParam);
  const LRESULT selected = Ask(LB_GETCURSEL);
  if (selected != selectedBefore) {
    model_.SelectControl(definition_.number, static_cast<int>(selected) + 1);
  }
  if (top != TopRow() || selected != selectedBefore || message == WM_SETFOCUS ||
      message == WM_KILLFOCUS || message == WM_UPDATEUISTATE) {
    ::InvalidateRect(list, nullptr, FALSE);
  }
  return result;
}

void ListControl::PaintTo(HDC dc, const RECT& client) {
  const Brush background(::CreateSolidBrush(colours_.background));
  ::FillRect(dc, &client, background.get());

  const Selection font(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  const int rowHeight = rowHeight_;
  const ListSource* rows = model_.ListData(definition_.number);
  const int count = rows ? static_cast<int>(rows->RowCount()) : 0;
  const int top = TopRow();
  const int selected = model_.SelectedRow(definition_.number);
  const Brush selectedBackground(::CreateSolidBrush(colours_.selectedBackground));

  for (int index = top, y = 0; rows && index < count && y < client.bottom;
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
  // The focus shows once the keyboard is in use, as on every control.
  const bool focusShown = (Ask(WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0;
  if (::GetFocus() == window_.get() && focusShown && selected > 0 && selected - 1 >= top) {
    RECT focus{0, (selected - 1 - top) * rowHeight, client.right, (selected - top) * rowHeight};
    ::SetTextColor(dc, colours_.text);
    ::DrawFocusRect(dc, &focus);
  }
}

}  // namespace quellix::win32
