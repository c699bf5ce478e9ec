#pragma once
// The window definition the tests of the window services share: the model and
// headless tests on the simulated platform, and the Windows tests under Wine.

#include <cstdint>
#include <string_view>

#include "winsvc/window_definition.h"

namespace quellix::test_window {

// A window of the tests' own: a sheet of three pages; on the first two
// pointer-reporting regions side by side, a transparent text over the left one
// and a button, on the second a list with columns and a region at the same
// place as the first page's left one, on the third a boxed option group; over
// the top of every page a region without the immediate-events attribute, whose
// lower edge lies over the upper part of the first page's regions, and which
// Ctrl+Tab presses. The regions that report the pointer take the focus, as
// links do.
inline constexpr ControlNumber kSheet = 1;
inline constexpr ControlNumber kTabA = 2;
inline constexpr ControlNumber kLeftRegion = 3;
inline constexpr ControlNumber kRightRegion = 4;
inline constexpr ControlNumber kText = 5;
inline constexpr ControlNumber kButton = 6;
inline constexpr ControlNumber kTabB = 7;
inline constexpr ControlNumber kList = 8;
inline constexpr ControlNumber kPageBRegion = 9;
inline constexpr ControlNumber kTabC = 10;
inline constexpr ControlNumber kGroup = 11;
inline constexpr ControlNumber kRadioC5PE = 12;
inline constexpr ControlNumber kRadioC55EE = 13;
inline constexpr ControlNumber kRadioC60EE = 14;
inline constexpr ControlNumber kTopRegion = 15;

inline constexpr std::int32_t kAlertedKeys[] = {0x1B, 0x73 + kAltKeyFlag};
// Ctrl+Tab presses the top region.
inline constexpr std::int32_t kCtrlTab = 0x09 + kCtrlKeyFlag;
inline constexpr std::int32_t kTopRegionKeys[] = {kCtrlTab};

constexpr ControlDefinition Define(ControlNumber number, std::string_view name, ControlKind kind,
                                   ControlNumber parent, int x = 0, int y = 0,
                                   int width = kNaturalSize, int height = kNaturalSize) {
  ControlDefinition control;
  control.number = number;
  control.name = name;
  control.kind = kind;
  control.parent = parent;
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = height;
  return control;
}

constexpr ControlDefinition Immediate(ControlDefinition control) {
  control.immediateEvents = true;
  return control;
}

constexpr ControlDefinition Texted(ControlDefinition control, std::string_view text,
                                   std::string_view value = {}) {
  control.text = text;
  control.value = value;
  return control;
}

constexpr ControlDefinition Transparent(ControlDefinition control) {
  control.transparent = true;
  return control;
}

constexpr ControlDefinition Boxed(ControlDefinition control) {
  control.boxed = true;
  return control;
}

constexpr ControlDefinition Keyed(ControlDefinition control, std::span<const std::int32_t> keys) {
  control.keys = keys;
  return control;
}

constexpr ControlDefinition Columns(ControlDefinition control, std::string_view listFormat) {
  control.listFormat = listFormat;
  return control;
}

inline constexpr ControlDefinition kControls[] = {
    Define(kSheet, "?SHEET", ControlKind::kSheet, 0, 0, 0, 200, 100),
    Define(kTabA, "?TABA", ControlKind::kTab, kSheet),
    Immediate(Define(kLeftRegion, "?LEFTREGION", ControlKind::kRegion, kTabA, 10, 15, 40, 10)),
    Immediate(Define(kRightRegion, "?RIGHTREGION", ControlKind::kRegion, kTabA, 50, 15, 40, 10)),
    // The pointer over the text is over the region beneath.
    Transparent(Texted(Define(kText, "?TEXT", ControlKind::kText, kTabA, 10, 15), "Pointer here")),
    Texted(Define(kButton, "?BUTTON:GO", ControlKind::kButton, kTabA, 150, 80, 45, 14), "Go"),
    Define(kTabB, "?TABB", ControlKind::kTab, kSheet),
    Columns(Define(kList, "?LIST", ControlKind::kList, kTabB, 1, 30, 190, 60),
            "24R(2)|@N5_B@100L(2)|@s255@"),
    Immediate(Define(kPageBRegion, "?BREGION", ControlKind::kRegion, kTabB, 10, 15, 40, 10)),
    Define(kTabC, "?TABC", ControlKind::kTab, kSheet),
    Boxed(Texted(Define(kGroup, "?GROUP", ControlKind::kOptionGroup, kTabC, 20, 30, 160, 60),
                 " Edition ")),
    Texted(Define(kRadioC5PE, "?GROUP:RADIO1", ControlKind::kRadioButton, kGroup, 30, 44),
           "Clarion 5.0 PE", "C5PE"),
    Texted(Define(kRadioC55EE, "?GROUP:RADIO2", ControlKind::kRadioButton, kGroup, 30, 58),
           "Clarion 5.5 EE", "C55EE"),
    Texted(Define(kRadioC60EE, "?GROUP:RADIO3", ControlKind::kRadioButton, kGroup, 30, 72),
           "Clarion 6.x EE", "C60EE"),
    Keyed(Define(kTopRegion, "?TOPREGION", ControlKind::kRegion, 0, 0, 0, 200, 20), kTopRegionKeys),
};

// With immediateEvents the window reports size changes; only it alerts keys.
// The rest is the look of a real window: centred, with a single border, a font
// face and a text colour of its own, for the Windows tests to build.
constexpr WindowDefinition DefineWindow(bool immediateEvents) {
  WindowDefinition window;
  window.width = 200;
  window.height = 100;
  window.centred = true;
  window.singleBorder = true;
  window.fontFace = "MS Sans Serif";
  window.textColour = {0, 255, 0};
  window.immediateEvents = immediateEvents;
  if (immediateEvents) window.alertedKeys = kAlertedKeys;
  window.controls = kControls;
  return window;
}

inline constexpr WindowDefinition kWindow = DefineWindow(true);
inline constexpr WindowDefinition kQuietWindow = DefineWindow(false);

}  // namespace quellix::test_window
