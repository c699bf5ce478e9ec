#include "ui/main_window_definition.h"

#include <array>

#include "common/product.h"
#include "ui/control_numbers.h"

namespace quellix {
namespace {

using namespace control;
using K = ControlKind;

constexpr Colour kGreen{0, 255, 0};
constexpr Colour kBlack{0, 0, 0};
constexpr FontStyle kTitleStyle = 700 + kFontUnderline;  // 8892: bold, underlined
constexpr int kNatural = kNaturalSize;

constexpr ControlDefinition Text(ControlNumber number, std::string_view name, ControlNumber page,
                                 int x, int y, std::string_view text) {
  return {.number = number,
          .name = name,
          .kind = K::kText,
          .parent = page,
          .x = x,
          .y = y,
          .width = kNatural,
          .height = kNatural,
          .text = text};
}

constexpr ControlDefinition Transparent(ControlDefinition control, FontStyle style = 0) {
  control.transparent = true;
  control.fontStyle = style;
  return control;
}

constexpr ControlDefinition Radio(ControlNumber number, std::string_view name, int x, int y,
                                  std::string_view text, std::string_view value) {
  return {.number = number,
          .name = name,
          .kind = K::kRadioButton,
          .parent = kClarionVersion,
          .x = x,
          .y = y,
          .width = kNatural,
          .height = kNatural,
          .text = text,
          .value = value};
}

constexpr ControlDefinition Button(ControlNumber number, std::string_view name, ControlNumber page,
                                   int x, int y, std::string_view text) {
  return {.number = number,
          .name = name,
          .kind = K::kButton,
          .parent = page,
          .x = x,
          .y = y,
          .width = 45,
          .height = 14,
          .text = text,
          .transparent = true};
}

constexpr ControlDefinition LinkRegion(ControlNumber number, std::string_view name, int y) {
  return {.number = number,
          .name = name,
          .kind = K::kRegion,
          .parent = kTab1,
          .x = 5,
          .y = y,
          .width = 127,
          .height = 10,
          .immediateEvents = true};
}

// The keys that show the next page, as tabbed windows have them.
constexpr std::array<std::int32_t, 2> kNextPageKeys{0x09 + kCtrlKeyFlag,   // Ctrl+Tab
                                                    0x22 + kCtrlKeyFlag};  // Ctrl+Page Down

constexpr std::array<ControlDefinition, 37> kControls{{
    {.number = kCurrentTab,
     .name = "?CURRENTTAB",
     .kind = K::kSheet,
     .x = 0,
     .y = 0,
     .width = 288,
     .height = 128},

    {.number = kTab1, .name = "?TAB1", .kind = K::kTab, .parent = kCurrentTab},
    {.number = kClarionImage,
     .name = "?CLARIONIMAGE",
     .kind = K::kImage,
     .parent = kTab1,
     .x = 1,
     .y = 3,
     .width = kNatural,
     .height = kNatural,
     .text = "Clarion.ico"},
    Transparent(Text(kToolNameString, "?TOOLNAMESTRING", kTab1, 103, 6, "Quellix"), kTitleStyle),
    Text(kVersionString, "?VERSIONSTRING", kTab1, 4, 29, "Version " QUELLIX_VERSION_TEXT),
    Text(kAuthorString, "?AUTHORSTRING", kTab1, 4, 40, "Written by: " QUELLIX_AUTHORS),
    Text(kCopyrightString, "?COPYRIGHTSTRING", kTab1, 4, 50, QUELLIX_COPYRIGHT),
    Text(kWebString, "?WEBSTRING", kTab1, 5, 61, "Web Site: " QUELLIX_WEB_SITE),
    Text(kMailString, "?MAILSTRING", kTab1, 5, 72, "Email: " QUELLIX_MAIL_ADDRESS),
    {.number = kLine1,
     .name = "?LINE1",
     .kind = K::kLine,
     .parent = kTab1,
     .x = 4,
     .y = 87,
     .width = 280,
     .height = 0,
     .hasColour = true,
     .colour = kGreen},
    LinkRegion(kWebRegion, "?WEBREGION", 61),
    LinkRegion(kMailRegion, "?MAILREGION", 72),
    Button(kButtonClose, "?BUTTON:CLOSE", kTab1, 239, 69, "Close"),
    Text(kString9, "?STRING9", kTab1, 4, 89, "Warning: "),
    {.number = kString7,
     .name = "?STRING7",
     .kind = K::kText,
     .parent = kTab1,
     .x = 36,
     .y = 89,
     .width = 214,
     .height = 10,
     .text = ""},
    Text(kString8, "?STRING8", kTab1, 36, 98, ""),
    Text(kString10, "?STRING10", kTab1, 36, 107, ""),
    Text(kString11, "?STRING11", kTab1, 36, 116, ""),

    {.number = kTab2, .name = "?TAB2", .kind = K::kTab, .parent = kCurrentTab},
    Transparent(Text(kTitleString, "?TITLESTRING", kTab2, 103, 6, "Processes running..."),
                kTitleStyle),
    // N and the degree sign of the Windows Latin-1 code page.
    Transparent(Text(kString12, "?STRING12", kTab2, 9, 14, "N\xB0")),
    Transparent(Text(kString13, "?STRING13", kTab2, 51, 14, "ID")),
    Transparent(Text(kString14, "?STRING14", kTab2, 100, 14, "Task16")),
    Transparent(Text(kString15, "?STRING15", kTab2, 171, 14, "AppName")),
    {.number = kProcessList,
     .name = "?PROCESSLIST",
     .kind = K::kList,
     .parent = kTab2,
     .x = 1,
     .y = 24,
     .width = 287,
     .height = 81,
     .listFormat = kProcessListFormat},
    Button(kButtonKill, "?BUTTON:KILL", kTab2, 194, 109, "Quellix"),
    Button(kButtonQuit, "?BUTTON:QUIT", kTab2, 241, 109, "Quit"),

    {.number = kTab3, .name = "?TAB3", .kind = K::kTab, .parent = kCurrentTab},
    Transparent(Text(kSelectClarionVersion, "?SELECTCLARIONVERSION", kTab3, 103, 6,
                     "Select Clarion version"),
                kTitleStyle),
    {.number = kClarionVersion,
     .name = "?CLARIONVERSION",
     .kind = K::kOptionGroup,
     .parent = kTab3,
     .x = 21,
     .y = 34,
     .width = 245,
     .height = 86,
     .text = " Quellix Version ",
     .boxed = true},
    Radio(kOption1Radio1, "?OPTION1:RADIO1", 42, 58, "Clarion 5.0 PE", "C5PE"),
    Radio(kOption1Radio2, "?OPTION1:RADIO2", 174, 58, "Clarion 5.0 EE", "C5EE"),
    Radio(kOption1Radio3, "?OPTION1:RADIO3", 42, 80, "Clarion 5.5 PE", "C55PE"),
    Radio(kOption1Radio4, "?OPTION1:RADIO4", 174, 80, "Clarion 5.5 EE", "C55EE"),
    Radio(kOption1Radio5, "?OPTION1:RADIO5", 42, 102, "Clarion 6.x PE", "C60PE"),
    Radio(kOption1Radio6, "?OPTION1:RADIO6", 174, 102, "Clarion 6.x EE", "C60EE"),

    // After the sheet, so over the top of every page.
    {.number = kTitleRegion,
     .name = "?TITLEREGION",
     .kind = K::kRegion,
     .x = 0,
     .y = 0,
     .width = 288,
     .height = 20,
     .keys = kNextPageKeys},
}};

constexpr std::array<std::int32_t, 2> kAlertedKeys{0x73 + kAltKeyFlag, 0x1B};  // Alt+F4, Esc

constexpr WindowDefinition kMainWindow{
    .width = 288,
    .height = 128,
    .title = "",
    .centred = true,
    .singleBorder = true,
    .resizable = false,
    .maximizeBox = false,
    .fontFace = "MS Sans Serif",
    .fontPoints = 0,
    .textColour = kGreen,
    .background = kBlack,
    .iconName = "CLARION.ICO",
    .immediateEvents = true,
    .alertedKeys = kAlertedKeys,
    .controls = kControls,
};

}  // namespace

const WindowDefinition& MainWindowDefinition() { return kMainWindow; }

}  // namespace quellix
