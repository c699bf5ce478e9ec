#pragma once
// The list control: the rows of a ListSource in the columns of a column format,
// drawn by the window services. It declares no scroll bars; the arrow, page,
// Home and End keys and the mouse wheel reach the lines below the visible area.

#include <windows.h>

#include <vector>

#include "winsvc/list_format.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/window_model.h"

namespace quellix::win32 {

struct ListColours {
  COLORREF text;
  COLORREF background;
  COLORREF selectedText;
  COLORREF selectedBackground;
  COLORREF separator;
};

class ListControl {
 public:
  // Creates the control as a child of parent at rect (pixels). The columns are
  // read from the definition's column format; model gives the rows and the
  // selected row.
  ListControl(HWND parent, const RECT& rect, const ControlDefinition& definition,
              WindowModel& model, const DialogUnits& units, HFONT font, ListColours colours);
  ~ListControl();
  ListControl(const ListControl&) = delete;
  ListControl& operator=(const ListControl&) = delete;

  HWND Hwnd() const { return window_; }
  void SetFont(HFONT font);
  // Shows the data and the selection as they are now; the selected row is
  // scrolled into view.
  void Refresh();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintTo(HDC dc, const RECT& client);
  int RowCount() const;
  int RowHeight() const;
  int VisibleRows() const;
  void ScrollTo(int topRow);
  void Select(int row);  // 1-based; scrolled into view
  void EnsureVisible(int row);

  HWND window_ = nullptr;
  const ControlDefinition& definition_;
  WindowModel& model_;
  const DialogUnits& units_;
  std::vector<ListColumn> columns_;
  HFONT font_;
  ListColours colours_;
  int topRow_ = 0;  // 0-based index of the first visible row
  int wheelRemainder_ = 0;
};

}  // namespace quellix::win32
