// The real window services under Wine: event sequences from posted events,
// window messages and real mouse and keyboard input.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "event_sequence.h"
#include "font_count.h"
#include "real_input.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/font_set.h"
#include "winsvc/window_definition.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using testing::Expected;
using testing::kOptional;
using testing::MatchesSequence;
using testing::MovePointerTo;
using testing::RecordEvents;
using testing::SameEvents;

constexpr ControlNumber kSheet = 1;
constexpr ControlNumber kRegionA = 3;
constexpr ControlNumber kRegionB = 4;
constexpr ControlNumber kButton = 6;
constexpr ControlNumber kThirdTab = 9;
constexpr ControlNumber kTopRegion = 13;
constexpr EventCode kApplicationEvent = 1025;

constexpr std::array<ControlDefinition, 13> kControls{{
    {.number = 1, .name = "?SHEET", .kind = ControlKind::kSheet, .width = 200, .height = 100},
    {.number = 2, .name = "?TAB1", .kind = ControlKind::kTab, .parent = 1},
    {.number = 3,
     .name = "?REGIONA",
     .kind = ControlKind::kRegion,
     .parent = 2,
     .x = 10,
     .y = 20,
     .width = 40,
     .height = 12,
     .immediateEvents = true},
    {.number = 4,
     .name = "?REGIONB",
     .kind = ControlKind::kRegion,
     .parent = 2,
     .x = 50,
     .y = 20,
     .width = 40,
     .height = 12,
     .immediateEvents = true},
    {.number = 5,
     .name = "?TEXT",
     .kind = ControlKind::kText,
     .parent = 2,
     .x = 10,
     .y = 20,
     .text = "Pointer here",
     .transparent = true},
    {.number = 6,
     .name = "?BUTTON",
     .kind = ControlKind::kButton,
     .parent = 2,
     .x = 10,
     .y = 60,
     .width = 45,
     .height = 14,
     .text = "Press"},
    {.number = 7, .name = "?TAB2", .kind = ControlKind::kTab, .parent = 1},
    {.number = 8,
     .name = "?LIST",
     .kind = ControlKind::kList,
     .parent = 7,
     .x = 1,
     .y = 24,
     .width = 150,
     .height = 60,
     .listFormat = "24R(2)|@N5_B@100L(2)|@s255@"},
    {.number = 9, .name = "?TAB3", .kind = ControlKind::kTab, .parent = 1},
    {.number = 10,
     .name = "?GROUP",
     .kind = ControlKind::kOptionGroup,
     .parent = 9,
     .x = 10,
     .y = 20,
     .width = 150,
     .height = 50,
     .text = " Group ",
     .boxed = true},
    {.number = 11,
     .name = "?RADIO1",
     .kind = ControlKind::kRadioButton,
     .parent = 10,
     .x = 20,
     .y = 35,
     .text = "One",
     .value = "ONE"},
    {.number = 12,
     .name = "?RADIO2",
     .kind = ControlKind::kRadioButton,
     .parent = 10,
     .x = 80,
     .y = 35,
     .text = "Two",
     .value = "TWO"},
    {.number = 13, .name = "?TOPREGION", .kind = ControlKind::kRegion, .width = 200, .height = 10},
}};

constexpr std::array<std::int32_t, 2> kAlertedKeys{0x1B, 0x73 + kAltKeyFlag};

constexpr WindowDefinition kDefinition{
    .width = 200,
    .height = 100,
    .centred = true,
    .singleBorder = true,
    .fontFace = "MS Sans Serif",
    .textColour = {0, 255, 0},
    .immediateEvents = true,
    .alertedKeys = kAlertedKeys,
    .controls = kControls,
};

// The expected events of each step below. A region under a pointer that rests
// where an earlier test left it may report the pointer when the window shows or
// goes: those entries are optional.
constexpr Expected kIconizedWhileHidden[] = {{kEventIconized, 0}};
constexpr Expected kShownAndRestored[] = {{kEventRestored, 0},
                                          {kEventPointerEntered, kRegionA, kOptional},
                                          {kEventPointerEntered, kRegionB, kOptional}};
constexpr Expected kIconizedAndHiddenAgain[] = {{kEventPointerLeft, kRegionA, kOptional},
                                                {kEventPointerLeft, kRegionB, kOptional},
                                                {kEventIconized, 0},
                                                {kEventPointerLeft, kRegionA, kOptional},
                                                {kEventPointerLeft, kRegionB, kOptional}};
constexpr Expected kRestoredWhileHidden[] = {{kEventRestored, 0}};
// Iconized before the window is built: the change may be reported before the
// program's own event.
constexpr Expected kFirstEventOfAnIconizedStart[] = {{kEventIconized, 0, kOptional},
                                                     {kApplicationEvent, 1}};
constexpr Expected kPointerOverBothRegions[] = {{kEventPointerEntered, kRegionA},
                                                {kEventPointerLeft, kRegionA},
                                                {kEventPointerEntered, kRegionB},
                                                {kEventPointerLeft, kRegionB}};
// The pointer passes region A on its way; the top region reports no pointer.
constexpr Expected kClicksInRegions[] = {{kEventPointerEntered, kRegionA, kOptional},
                                         {kEventAccepted, kRegionA},
                                         {kEventPointerLeft, kRegionA, kOptional},
                                         {kEventAccepted, kTopRegion}};
// Esc, then Alt+F4: each alerted, neither closes the window.
constexpr Expected kAlertedEscThenAltF4[] = {
    {kEventPreAlert, 0}, {kEventAlertKey, 0}, {kEventPreAlert, 0}, {kEventAlertKey, 0}};

class WindowServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    option_.Store("ONE");
    OpenMainWindow(kDefinition, &option_, nullptr);
    window_ = NativeHandle();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { CloseMainWindow(); }

  void ShowInFront() {
    SetHidden(false);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    RecordEvents(300);
    collected_.clear();
  }

  // The screen point at dialog units (x, y) of the client area.
  POINT ScreenPoint(int x, int y) const {
    const win32::FontSet fonts("MS Sans Serif", 8);
    const win32::DialogUnits units(fonts.Base());
    POINT point{units.ToPixelsX(x), units.ToPixelsY(y)};
    ::ClientToScreen(window_, &point);
    return point;
  }

  static void Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
  }

  static void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    for (const auto& [key, down] : strokes) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
      ::SendInput(1, &input, sizeof input);
    }
  }

  // Runs the loop for a while, so that input reaches the window before the
  // next (the system merges pointer moves that wait in the queue), and keeps
  // what it delivered.
  void Collect(UINT milliseconds = 150) {
    const std::vector<Event> events = RecordEvents(milliseconds);
    collected_.insert(collected_.end(), events.begin(), events.end());
  }

  std::vector<Event> collected_;

  OptionText option_;
  HWND window_ = nullptr;
};

TEST_F(WindowServicesTest, EventsPostedInOnePassArriveInOrderAndTheLoopEndsAfterTheClose) {
  PostEvent(kEventAccepted, kButton);
  PostEvent(kEventCloseWindow, 0);
  PostEvent(kEventAccepted, kButton);  // still queued when the loop ends
  std::vector<Event> delivered;
  while (NextEvent()) delivered.push_back({CurrentEvent(), CurrentControl()});
  EXPECT_TRUE(SameEvents({{kEventAccepted, kButton}, {kEventCloseWindow, 0}}, delivered));
  EXPECT_FALSE(NextEvent());
}

TEST_F(WindowServicesTest, ACloseWhileHiddenEndsTheLoop) {
  SetHidden(true);
  PostEvent(kEventCloseWindow, 0);
  ASSERT_TRUE(NextEvent());
  EXPECT_EQ(CurrentEvent(), kEventCloseWindow);
  EXPECT_FALSE(NextEvent());
  EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(WindowServicesTest, TheSystemsCloseRequestBecomesAnEventAndTheWindowStays) {
  ::PostMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(SameEvents({{kEventCloseWindow, 0}}, RecordEvents(2000)));
  EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(WindowServicesTest, AnApplicationEventArrivesUnchanged) {
  PostEvent(kApplicationEvent, 77);
  EXPECT_TRUE(SameEvents({{kApplicationEvent, 77}}, RecordEvents(300)));
}

TEST_F(WindowServicesTest, IconizedAndHiddenThenShownAndRestoredGivesOneRestoredEvent) {
  SetIconized(true);
  EXPECT_FALSE(::IsWindowVisible(window_)) << "iconizing showed the hidden window";
  SetHidden(true);
  EXPECT_TRUE(MatchesSequence(kIconizedWhileHidden, RecordEvents(300)));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(::IsIconic(window_));

  SetHidden(false);
  SetIconized(false);
  EXPECT_TRUE(MatchesSequence(kShownAndRestored, RecordEvents(300)));
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_FALSE(::IsIconic(window_));

  SetIconized(true);
  SetHidden(true);
  SetIconized(true);  // already iconized: nothing
  EXPECT_TRUE(MatchesSequence(kIconizedAndHiddenAgain, RecordEvents(300)));
}

TEST_F(WindowServicesTest, AHiddenWindowIsRestoredWithoutBeingShown) {
  SetIconized(true);
  SetHidden(true);
  RecordEvents(200);
  SetIconized(false);
  EXPECT_TRUE(MatchesSequence(kRestoredWhileHidden, RecordEvents(300)));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_FALSE(::IsIconic(window_));
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  EXPECT_GT(frame.right - frame.left, 100);
}

TEST_F(WindowServicesTest, IconizedAndHiddenFromTheStartItIsMadeWholeBeforeTheFirstEvent) {
  SetIconized(true);
  SetHidden(true);
  PostEvent(kApplicationEvent, 1);
  EXPECT_TRUE(MatchesSequence(kFirstEventOfAnIconizedStart, RecordEvents(200)));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(::IsIconic(window_));
  HWND button = ::GetDlgItem(window_, kButton);
  ASSERT_NE(button, nullptr);

  // Restored and shown, it has its size, in the middle of the work area.
  SetHidden(false);
  SetIconized(false);
  RecordEvents(200);
  const POINT corner = ScreenPoint(0, 0);
  const POINT farCorner = ScreenPoint(200, 100);
  RECT client{};
  ::GetClientRect(window_, &client);
  EXPECT_EQ(client.right, farCorner.x - corner.x);
  EXPECT_EQ(client.bottom, farCorner.y - corner.y);
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  RECT workArea{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  EXPECT_NEAR(frame.left - workArea.left, workArea.right - frame.right, 1);
  EXPECT_NEAR(frame.top - workArea.top, workArea.bottom - frame.bottom, 1);
  EXPECT_TRUE(::IsWindowVisible(button));
}

TEST_F(WindowServicesTest, ThePointerEnteringAndLeavingRegionsIsReported) {
  ShowInFront();
  for (POINT point : {POINT{2, 2}, ScreenPoint(20, 25), ScreenPoint(60, 25),
                      ScreenPoint(120, 25) /* on the page, outside both regions */}) {
    MovePointerTo(point);
    Collect();
  }
  EXPECT_TRUE(MatchesSequence(kPointerOverBothRegions, collected_));
}

TEST_F(WindowServicesTest, AnyMouseButtonInARegionIsAccepted) {
  ShowInFront();
  MovePointerTo(ScreenPoint(20, 25));
  Collect();
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
  Collect();
  MovePointerTo(ScreenPoint(150, 5));
  Collect();
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
  Collect(300);
  EXPECT_TRUE(MatchesSequence(kClicksInRegions, collected_));
}

TEST_F(WindowServicesTest, SelectingTheThirdTabMakesItCurrent) {
  EXPECT_EQ(CurrentTab(kSheet), 1);
  SelectControl(kThirdTab, 0);
  EXPECT_EQ(CurrentTab(kSheet), 3);
}

TEST_F(WindowServicesTest, AlertedEscAndAltF4ChangeNothing) {
  ShowInFront();
  Keys({{VK_ESCAPE, true}, {VK_ESCAPE, false}});
  Collect();
  Keys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
  Collect(300);
  EXPECT_TRUE(MatchesSequence(kAlertedEscThenAltF4, collected_));
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_TRUE(::IsWindowVisible(window_));
}

// Watches, on a thread of its own, for a menu to open within a second. A menu
// that opens is closed again, by Esc and by cancelling the window's modes, so
// that the loop it runs returns and the test fails rather than hangs.
class MenuWatch {
 public:
  explicit MenuWatch(HWND window)
      : window_(window), thread_(::CreateThread(nullptr, 0, &MenuWatch::Run, this, 0, nullptr)) {}
  ~MenuWatch() { Wait(); }
  MenuWatch(const MenuWatch&) = delete;
  MenuWatch& operator=(const MenuWatch&) = delete;

  bool SawMenu() {
    Wait();
    return sawMenu_;
  }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    auto* watch = static_cast<MenuWatch*>(self);
    for (int waited = 0; waited < 1000; waited += 20) {
      const HWND menu = ::FindWindowA("#32768", nullptr);
      if (menu && ::IsWindowVisible(menu)) {
        watch->sawMenu_ = true;
        ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(menu, WM_KEYUP, VK_ESCAPE, 0xC0000000);
        ::PostMessageA(watch->window_, WM_CANCELMODE, 0, 0);
      }
      ::Sleep(20);
    }
    return 0;
  }
  void Wait() {
    if (!thread_) return;
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    thread_ = nullptr;
  }

  bool sawMenu_ = false;
  HWND window_;
  HANDLE thread_;
};

// A system menu would offer Close, which the program never does on its own.
TEST_F(WindowServicesTest, AltSpaceOpensNoSystemMenu) {
  ShowInFront();
  MenuWatch watch(window_);
  Keys({{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}});
  Collect(1200);
  EXPECT_FALSE(watch.SawMenu());
  EXPECT_TRUE(MatchesSequence({}, collected_));  // neither key is alerted: no event at all
  EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(WindowServicesTest, ChangingFontStylesLeaksNoFont) {
  // Windows counts a process's GDI objects; Wine's GetGuiResources says 0, so
  // the fonts this program made and has not deleted are counted as well.
  ASSERT_TRUE(testing::FontCountIsRunning());
  const auto gdiObjects = [] { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); };
  for (int i = 0; i < 10; ++i) SetFontStyle(5, i % 2 ? 8192 : 400);
  const DWORD objectsAfterTen = gdiObjects();
  const int fontsAfterTen = testing::FontsAlive();
  for (int i = 0; i < 1000; ++i) SetFontStyle(5, i % 2 ? 8192 : 400);
  EXPECT_EQ(gdiObjects(), objectsAfterTen);
  EXPECT_EQ(testing::FontsAlive(), fontsAfterTen);
  EXPECT_GT(fontsAfterTen, 0);
  CloseMainWindow();
  EXPECT_EQ(testing::FontsAlive(), 0);
}

}  // namespace
}  // namespace quellix
