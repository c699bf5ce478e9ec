#include "winsvc/win32/control_layout.h"

#include <algorithm>

#include "winsvc/win32/text_drawing.h"

namespace quellix::win32 {
namespace {

// The size a control takes from its content: its text, its check box, its
// icon.
SIZE NaturalSize(const ControlDefinition& definition, std::string_view text, HFONT font,
                 const DialogUnits& units) {
  switch (definition.kind) {
    case ControlKind::kImage:
      return {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
    case ControlKind::kRadioButton: {
      const SIZE label = TextExtent(font, text, TextOrigin::kProgram);
      const int box = ::GetSystemMetrics(SM_CXMENUCHECK);
      return {box + units.ToPixelsX(4) + label.cx, std::max<LONG>(box, label.cy)};
    }
    case ControlKind::kButton: {
      const SIZE label = TextExtent(font, text, TextOrigin::kProgram);
      return {label.cx + units.ToPixelsX(8), label.cy + units.ToPixelsY(6)};
    }
    default:
      return TextExtent(font, text, TextOrigin::kProgram);
  }
}

}  // namespace

RECT ControlRect(const ControlDefinition& definition, std::string_view text, HFONT font,
                 const DialogUnits& units) {
  const int x = units.ToPixelsX(definition.x);
  const int y = units.ToPixelsY(definition.y);
  // Most controls have a fixed size: measuring their text would be wasted
  // work on the way to the first event.
  const bool fixed = definition.width != kNaturalSize && definition.height != kNaturalSize;
  const SIZE natural = fixed ? SIZE{} : NaturalSize(definition, text, font, units);
  // A fixed size is placed by its far corner, as dialog templates are: the
  // sum of two rounded values could overshoot it by a pixel and clip a control
  // that ends at the window's edge.
  const int right = definition.width == kNaturalSize
                        ? x + natural.cx
                        : units.ToPixelsX(definition.x + definition.width);
  const int bottom = definition.height == kNaturalSize
                         ? y + natural.cy
                         : units.ToPixelsY(definition.y + definition.height);
  return RECT{x, y, right, bottom};
}

}  // namespace quellix::win32
