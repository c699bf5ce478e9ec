#pragma once
// The main window's controls, numbered 1 to 37 in declaration order, by the
// names the program knows them by (?BUTTON:KILL is kButtonKill).

#include "common/events.h"

namespace quellix::control {

inline constexpr ControlNumber kCurrentTab = 1;
inline constexpr ControlNumber kTab1 = 2;
inline constexpr ControlNumber kClarionImage = 3;
inline constexpr ControlNumber kToolNameString = 4;
inline constexpr ControlNumber kVersionString = 5;
inline constexpr ControlNumber kAuthorString = 6;
inline constexpr ControlNumber kCopyrightString = 7;
inline constexpr ControlNumber kWebString = 8;
inline constexpr ControlNumber kMailString = 9;
inline constexpr ControlNumber kLine1 = 10;
inline constexpr ControlNumber kWebRegion = 11;
inline constexpr ControlNumber kMailRegion = 12;
inline constexpr ControlNumber kButtonClose = 13;
inline constexpr ControlNumber kString9 = 14;
inline constexpr ControlNumber kString7 = 15;
inline constexpr ControlNumber kString8 = 16;
inline constexpr ControlNumber kString10 = 17;
inline constexpr ControlNumber kString11 = 18;
inline constexpr ControlNumber kTab2 = 19;
inline constexpr ControlNumber kTitleString = 20;
inline constexpr ControlNumber kString12 = 21;
inline constexpr ControlNumber kString13 = 22;
inline constexpr ControlNumber kString14 = 23;
inline constexpr ControlNumber kString15 = 24;
inline constexpr ControlNumber kProcessList = 25;
inline constexpr ControlNumber kButtonKill = 26;
inline constexpr ControlNumber kButtonQuit = 27;
inline constexpr ControlNumber kTab3 = 28;
inline constexpr ControlNumber kSelectClarionVersion = 29;
inline constexpr ControlNumber kClarionVersion = 30;
inline constexpr ControlNumber kOption1Radio1 = 31;
inline constexpr ControlNumber kOption1Radio2 = 32;
inline constexpr ControlNumber kOption1Radio3 = 33;
inline constexpr ControlNumber kOption1Radio4 = 34;
inline constexpr ControlNumber kOption1Radio5 = 35;
inline constexpr ControlNumber kOption1Radio6 = 36;
inline constexpr ControlNumber kTitleRegion = 37;

}  // namespace quellix::control
