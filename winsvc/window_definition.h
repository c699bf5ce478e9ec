#pragma once
// A window described as data: the window's own attributes and its controls, in
// declaration order. The window services build the window from it.

#include <cstdint>
#include <span>
#include <string_view>

#include "common/events.h"
#include "common/font_style.h"

namespace quellix {

enum class ControlKind {
  kSheet,  // holds the pages; its tabs are its pages, switched by the program:
           // it shows neither a tab strip nor a frame
  kTab,    // one page of a sheet
  kImage,
  kText,
  kLine,
  kRegion,  // an invisible area that reports the pointer and clicks
  kButton,
  kList,
  kOptionGroup,  // a group of radio buttons with one value
  kRadioButton,
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  constexpr bool operator==(const Colour&) const = default;
};

// A width or height that the control takes from its content.
inline constexpr int kNaturalSize = -1;

struct ControlDefinition {
  ControlNumber number = 0;  // 1, 2, 3 ... in declaration order
  std::string_view name;     // "?BUTTON:KILL"
  ControlKind kind = ControlKind::kText;
  // The control this one belongs to: the tab whose page holds it, the sheet of a
  // tab, the option group of a radio button; 0 for a control of the window.
  ControlNumber parent = 0;
  // Position and size in dialog units, from the client area's top left corner.
  int x = 0;
  int y = 0;
  int width = kNaturalSize;
  int height = kNaturalSize;
  std::string_view text;         // caption, label, or the image's name
  FontStyle fontStyle = 0;       // 0: the window's font as it is
  bool immediateEvents = false;  // regions: report the pointer entering and leaving
  bool transparent = false;      // paints no background of its own
  bool hidden = false;
  bool boxed = false;      // option group: drawn in a frame with its caption
  bool hasColour = false;  // colour below applies (a line's colour)
  Colour colour;
  std::string_view value;       // radio button: the value it gives its option group
  std::string_view listFormat;  // list: the column format
  // Key codes that press the control while its page is current, as a click on
  // it would: the key's own action does not take place.
  std::span<const std::int32_t> keys;
};

struct WindowDefinition {
  int width = 0;  // client area, in dialog units
  int height = 0;
  std::string_view title;  // empty: no caption bar
  bool centred = false;    // on the work area; otherwise at its top left corner
  bool singleBorder = false;
  bool resizable = false;
  bool maximizeBox = false;
  std::string_view fontFace;
  int fontPoints = 0;  // 0: the window services' default of 8 points
  Colour textColour;
  Colour background;
  std::string_view iconName;     // a file name, looked up as a resource: "A.ICO" is A_ICO
  bool immediateEvents = false;  // reports its size-state changes
  std::span<const std::int32_t> alertedKeys;  // key codes: virtual key + 0x400 for Alt
  std::span<const ControlDefinition> controls;
};

// Key codes (of alerted keys and of a control's keys): a virtual-key code,
// plus these for the modifier keys held down.
inline constexpr std::int32_t kShiftKeyFlag = 0x100;
inline constexpr std::int32_t kCtrlKeyFlag = 0x200;
inline constexpr std::int32_t kAltKeyFlag = 0x400;

}  // namespace quellix
