#pragma once
// The list control: a system list box, so that the keyboard moves in it as in
// any list and assistive technology reads its lines, each named by its
// visible cells; every pixel of it is drawn here, from the rows of a
// ListSource in the columns of a column format. It declares no scroll bars;
// the arrow, page, Home and End keys and the mouse wheel reach the lines below
// the visible area.

#include <windows.h>

#include <vector>

#include "winsvc/list_format.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/user_handles.h"
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
  // Creates the control, hidden, as a child of parent at rect (pixels). The
  // columns are read from the definition's column format; model gives the
  // rows and the selected row.
  ListControl(HWND parent, const RECT& rect, const ControlDefinition& definition,
              WindowModel& model, const DialogUnits& units, HFONT font, ListColours colours);
  ListControl(const ListControl&) = delete;
  ListControl& operator=(const ListControl&) = delete;

  HWND Hwnd() const { return window_.get(); }
  void SetFont(HFONT font);
  // Reads the rows anew and shows them with the model's selection, scrolled
  // into view. The first line shown stays within the rows: a list that has
  // become shorter shows its last page, one that fits shows from its first row.
  void Refresh();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintTo(HDC dc, const RECT& client);
  // A message to the list box's own procedure, past this one: what it
  // changes is the model's already, or is drawn by whoever asked.
  LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int TopRow() const;

  const ControlDefinition& definition_;
  WindowModel& model_;
  const DialogUnits& units_;
  std::vector<ListColumn> columns_;
  HFONT font_;
  int rowHeight_ = 1;
  ListColours colours_;
  WNDPROC listBoxProcedure_ = nullptr;
  OwnedWindow window_;
};

}  // namespace quellix::win32
