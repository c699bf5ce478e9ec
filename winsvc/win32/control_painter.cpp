#include "winsvc/win32/control_painter.h"

#include "winsvc/win32/colour_ref.h"
#include "winsvc/win32/control_layout.h"
#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/gdi_handles.h"
#include "winsvc/win32/text_drawing.h"

namespace quellix::win32 {
namespace {

void PaintText(HDC dc, const WindowControl& control, std::string_view text,
               const WindowLook& look) {
  if (!control.definition->transparent) ::FillRect(dc, &control.rect, look.background);
  const Selection font(dc, control.font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, look.text);
  RECT rect = control.rect;
  DrawTextOf(dc, text, TextOrigin::kProgram, rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintLine(HDC dc, const WindowControl& control, const WindowLook& look) {
  const ControlDefinition& definition = *control.definition;
  const Pen pen(
      ::CreatePen(PS_SOLID, 1, definition.hasColour ? ToColorRef(definition.colour) : look.text));
  const Selection selected(dc, pen.get());
  const RECT& r = control.rect;
  ::MoveToEx(dc, r.left, r.top, nullptr);
  ::LineTo(dc, r.right, r.bottom == r.top ? r.top : r.bottom);
}

// A frame whose top line runs through the middle of the caption.
void PaintGroupBox(HDC dc, const WindowControl& control, std::string_view caption,
                   const WindowLook& look) {
  const Selection font(dc, control.font);
  const SIZE extent = TextExtent(control.font, caption, TextOrigin::kProgram);
  const RECT& r = control.rect;
  const int top = r.top + extent.cy / 2;
  const Pen pen(::CreatePen(PS_SOLID, 1, look.text));
  const Selection selected(dc, pen.get());
  const Selection noFill(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, r.left, top, r.right, r.bottom);
  const int captionLeft = r.left + look.units.ToPixelsX(6);
  RECT textRect{captionLeft, r.top, captionLeft + extent.cx, r.top + extent.cy};
  ::FillRect(dc, &textRect, look.background);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, look.text);
  DrawTextOf(dc, caption, TextOrigin::kProgram, textRect,
             DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintImage(HDC dc, const WindowControl& control) {
  if (!control.image) return;
  const RECT& r = control.rect;
  ::DrawIconEx(dc, r.left, r.top, control.image.get(), r.right - r.left, r.bottom - r.top, 0,
               nullptr, DI_NORMAL);
}

}  // namespace

void PaintControl(HDC dc, const WindowControl& control, std::string_view text,
                  const WindowLook& look) {
  switch (control.definition->kind) {
    case ControlKind::kText:
      PaintText(dc, control, text, look);
      break;
    case ControlKind::kLine:
      PaintLine(dc, control, look);
      break;
    case ControlKind::kOptionGroup:
      if (control.definition->boxed) PaintGroupBox(dc, control, text, look);
      break;
    case ControlKind::kImage:
      PaintImage(dc, control);
      break;
    default:
      break;
  }
}

}  // namespace quellix::win32
