// The real window services under Wine: event sequences from posted events,
// window messages and real mouse and keyboard input.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include "event_sequence.h"
#include "font_count.h"
#include "real_input.h"
#include "screen_capture.h"
#include "test_window_definition.h"
#include "winsvc/main_window_model.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/font_set.h"
#include "winsvc/win32/user_handles.h"
#include "winsvc/window_definition.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using testing::Expected;
using testing::kOptional;
using testing::MovePointerTo;
using testing::PressKeys;
using testing::RecordEvents;

using namespace test_window;

constexpr EventCode kApplicationEvent = 1025;

// The expected events of each step below. A region under a pointer that rests
// where an earlier test left it may report the pointer when the window shows or
// goes: those entries are optional.
constexpr Expected kAcceptedThenClose[] = {{kEventAccepted, kButton}, {kEventCloseWindow, 0}};
constexpr Expected kCloseWindow[] = {{kEventCloseWindow, 0}};
constexpr Expected kApplicationEventUnchanged[] = {{kApplicationEvent, 77}};
constexpr std::span<const Expected> kNoEvents{};
constexpr Expected kIconizedWhileHidden[] = {{kEventIconized, 0}};
constexpr Expected kShownAndRestored[] = {{kEventRestored, 0},
                                          {kEventPointerEntered, kLeftRegion, kOptional},
                                          {kEventPointerEntered, kRightRegion, kOptional}};
constexpr Expected kIconizedAndHiddenAgain[] = {{kEventPointerLeft, kLeftRegion, kOptional},
                                                {kEventPointerLeft, kRightRegion, kOptional},
                                                {kEventIconized, 0},
                                                {kEventPointerLeft, kLeftRegion, kOptional},
                                                {kEventPointerLeft, kRightRegion, kOptional}};
constexpr Expected kRestoredWhileHidden[] = {{kEventRestored, 0}};
// Iconized before the window is built: the change may be reported before the
// program's own event.
constexpr Expected kFirstEventOfAnIconizedStart[] = {{kEventIconized, 0, kOptional},
                                                     {kApplicationEvent, 1}};
constexpr Expected kPointerOverBothRegions[] = {{kEventPointerEntered, kLeftRegion},
                                                {kEventPointerLeft, kLeftRegion},
                                                {kEventPointerEntered, kRightRegion},
                                                {kEventPointerLeft, kRightRegion}};
// The pointer passes the left region on its way; the top region reports no
// pointer.
constexpr Expected kClicksInRegions[] = {{kEventPointerEntered, kLeftRegion, kOptional},
                                         {kEventAccepted, kLeftRegion},
                                         {kEventPointerLeft, kLeftRegion, kOptional},
                                         {kEventAccepted, kTopRegion}};
// Esc, then Alt+F4: each alerted for the control with the focus, the first
// link; neither closes the window.
constexpr Expected kAlertedEscThenAltF4[] = {{kEventPreAlert, kLeftRegion},
                                             {kEventAlertKey, kLeftRegion},
                                             {kEventPreAlert, kLeftRegion},
                                             {kEventAlertKey, kLeftRegion}};

// Rows of the tests' list, as many as a test sets.
class NumberedRows : public ListSource {
 public:
  std::size_t count = 0;
  std::size_t RowCount() const override { return count; }
  ListField Field(std::size_t row, std::size_t) const override {
    return {.number = static_cast<std::int64_t>(row) + 1, .text = "ROW.EXE"};
  }
};

class WindowServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    option_.Store("C60EE");
    OpenMainWindow(kWindow, &option_, &rows_);
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
    const win32::FontSet fonts(kWindow.fontFace, 8);
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

  // The control with the keyboard focus: its number, 0 for the window itself,
  // -1 for a window that is not this one's.
  ControlNumber Focused() const {
    const HWND focus = ::GetFocus();
    if (focus && focus == window_) return 0;
    return ::IsChild(window_, focus) ? ::GetDlgCtrlID(focus) : -1;
  }

  // The keys, and the events they raised.
  void Type(std::initializer_list<WORD> keys) {
    testing::PressKeys(keys);
    Collect();
  }

  std::vector<Event> collected_;

  NumberedRows rows_;
  OptionText option_;
  HWND window_ = nullptr;
};

TEST_F(WindowServicesTest, EventsPostedInOnePassArriveInOrderAndTheLoopEndsAfterTheClose) {
  PostEvent(kEventAccepted, kButton);
  PostEvent(kEventCloseWindow, 0);
  PostEvent(kEventAccepted, kButton);  // still queued when the loop ends
  std::vector<Event> delivered;
  while (NextEvent()) delivered.push_back({CurrentEvent(), CurrentControl()});
  EXPECT_SEQUENCE(kAcceptedThenClose, delivered);
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
  EXPECT_SEQUENCE(kCloseWindow, RecordEvents(2000));
  EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(WindowServicesTest, AnApplicationEventArrivesUnchanged) {
  PostEvent(kApplicationEvent, 77);
  EXPECT_SEQUENCE(kApplicationEventUnchanged, RecordEvents(300));
}

TEST_F(WindowServicesTest, IconizedAndHiddenThenShownAndRestoredGivesOneRestoredEvent) {
  SetIconized(true);
  EXPECT_FALSE(::IsWindowVisible(window_)) << "iconizing showed the hidden window";
  SetHidden(true);
  EXPECT_SEQUENCE(kIconizedWhileHidden, RecordEvents(300));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(::IsIconic(window_));

  SetHidden(false);
  SetIconized(false);
  EXPECT_SEQUENCE(kShownAndRestored, RecordEvents(300));
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_FALSE(::IsIconic(window_));

  SetIconized(true);
  SetHidden(true);
  SetIconized(true);  // already iconized: nothing
  EXPECT_SEQUENCE(kIconizedAndHiddenAgain, RecordEvents(300));
}

TEST_F(WindowServicesTest, AHiddenWindowIsRestoredWithoutBeingShown) {
  SetIconized(true);
  SetHidden(true);
  RecordEvents(200);
  SetIconized(false);
  EXPECT_SEQUENCE(kRestoredWhileHidden, RecordEvents(300));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_FALSE(::IsIconic(window_));
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  EXPECT_GT(frame.right - frame.left, 100);
}

TEST_F(WindowServicesTest, IconizedAndHiddenFromTheStartItMakesNothingUntilFirstShown) {
  // A program that lives in the tray pays for its controls, their fonts and
  // the common controls behind them only once the user opens the window.
  ASSERT_TRUE(testing::FontCountIsRunning());
  SetIconized(true);
  SetHidden(true);
  PostEvent(kApplicationEvent, 1);
  EXPECT_SEQUENCE(kFirstEventOfAnIconizedStart, RecordEvents(200));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(::IsIconic(window_));
  EXPECT_EQ(::GetWindow(window_, GW_CHILD), nullptr) << "a child window made while hidden";
  EXPECT_EQ(testing::FontsAlive(), 0) << "a font made while hidden";

  // Restored and shown, it has its size, in the middle of the work area.
  SetHidden(false);
  SetIconized(false);
  RecordEvents(200);
  HWND button = ::GetDlgItem(window_, kButton);
  ASSERT_NE(button, nullptr);
  const POINT corner = ScreenPoint(0, 0);
  const POINT farCorner = ScreenPoint(kWindow.width, kWindow.height);
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

TEST_F(WindowServicesTest, WhatChangedBeforeTheFirstShowIsShownAsTheModelHoldsIt) {
  // A kill from the tray rewrites texts and selects in a window never shown.
  SetIconized(true);
  SetHidden(true);
  SetControlText(kButton, "Stop");
  SetFontStyle(kButton, 700 + 8192);
  SelectControl(kTabC, 0);
  SelectControl(kRadioC55EE, 0);
  RedrawControl(kButton);
  RecordEvents(100);
  ASSERT_EQ(::GetDlgItem(window_, kButton), nullptr);

  SetHidden(false);
  SetIconized(false);
  RecordEvents(200);
  HWND button = ::GetDlgItem(window_, kButton);
  ASSERT_NE(button, nullptr);
  char text[16] = {};
  ::GetWindowTextA(button, text, sizeof text);
  EXPECT_STREQ(text, "Stop");
  LOGFONTA look{};
  ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(button, WM_GETFONT, 0, 0)), sizeof look,
               &look);
  EXPECT_EQ(look.lfWeight, 700);
  EXPECT_TRUE(look.lfUnderline);
  EXPECT_EQ(CurrentTab(kSheet), 3);
  EXPECT_FALSE(::IsWindowVisible(button)) << "a control of another page shows";
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window_, kRadioC60EE)));
  EXPECT_EQ(::SendMessageA(::GetDlgItem(window_, kRadioC60EE), BM_GETCHECK, 0, 0), BST_CHECKED)
      << "the bound value, not the focus, picks the radio button";
}

TEST_F(WindowServicesTest, ThePointerEnteringAndLeavingRegionsIsReported) {
  ShowInFront();
  // Below the top region; the left region's point is under its transparent text.
  for (POINT point : {POINT{2, 2}, ScreenPoint(20, 22), ScreenPoint(60, 22),
                      ScreenPoint(120, 22) /* on the page, outside both regions */}) {
    MovePointerTo(point);
    Collect();
  }
  EXPECT_SEQUENCE(kPointerOverBothRegions, collected_);
}

TEST_F(WindowServicesTest, AnyMouseButtonInARegionIsAccepted) {
  ShowInFront();
  MovePointerTo(ScreenPoint(20, 22));
  Collect();
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
  Collect();
  MovePointerTo(ScreenPoint(150, 5));
  Collect();
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
  Collect(300);
  EXPECT_SEQUENCE(kClicksInRegions, collected_);
}

TEST_F(WindowServicesTest, SelectingTheThirdTabMakesItCurrent) {
  EXPECT_EQ(CurrentTab(kSheet), 1);
  SelectControl(kTabC, 0);
  EXPECT_EQ(CurrentTab(kSheet), 3);
}

TEST_F(WindowServicesTest, AlertedEscAndAltF4ChangeNothing) {
  ShowInFront();
  Keys({{VK_ESCAPE, true}, {VK_ESCAPE, false}});
  Collect();
  Keys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
  Collect(300);
  EXPECT_SEQUENCE(kAlertedEscThenAltF4, collected_);
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
  EXPECT_SEQUENCE(kNoEvents, collected_);  // neither key is alerted: no event at all
  EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(WindowServicesTest, ChangingFontStylesLeaksNoFont) {
  // Windows counts a process's GDI objects; Wine's GetGuiResources says 0, so
  // the fonts this program made and has not deleted are counted as well.
  ASSERT_TRUE(testing::FontCountIsRunning());
  ShowInFront();  // the window has its fonts once shown
  const auto gdiObjects = [] { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); };
  for (int i = 0; i < 10; ++i) SetFontStyle(kText, i % 2 ? 8192 : 400);
  const DWORD objectsAfterTen = gdiObjects();
  const int fontsAfterTen = testing::FontsAlive();
  for (int i = 0; i < 1000; ++i) SetFontStyle(kText, i % 2 ? 8192 : 400);
  EXPECT_EQ(gdiObjects(), objectsAfterTen);
  EXPECT_EQ(testing::FontsAlive(), fontsAfterTen);
  EXPECT_GT(fontsAfterTen, 0);
  CloseMainWindow();
  EXPECT_EQ(testing::FontsAlive(), 0);
}

TEST_F(WindowServicesTest, TabAndShiftTabGoRoundTheCurrentPagesControlsInDeclarationOrder) {
  ShowInFront();
  const struct {
    ControlNumber page;
    std::vector<ControlNumber> stops;
  } pages[] = {
      {kTabA, {kLeftRegion, kRightRegion, kButton}},  // links first; the text takes no focus
      {kTabB, {kList, kPageBRegion}},
      {kTabC, {kRadioC60EE}},  // the option group is one stop, its selected radio button
  };
  for (const auto& [page, stops] : pages) {
    SCOPED_TRACE(::testing::Message() << "page " << page);
    SelectControl(page, 0);
    Collect();
    std::vector<ControlNumber> forward{Focused()};
    std::vector<ControlNumber> backward;
    for (std::size_t i = 0; i < stops.size(); ++i) {
      Type({VK_TAB});
      forward.push_back(Focused());
    }
    for (std::size_t i = 0; i < stops.size(); ++i) {
      Type({VK_SHIFT, VK_TAB});
      backward.push_back(Focused());
    }
    std::vector<ControlNumber> round = stops;
    round.push_back(stops.front());
    EXPECT_EQ(forward, round);
    std::vector<ControlNumber> back(stops.rbegin(), stops.rend());
    EXPECT_EQ(backward, back);
  }
}

// Real keys on a window with no pointer over it: a link and a button pressed,
// another edition picked with the arrows, the top region pressed by its key.
TEST_F(WindowServicesTest, KeysPressButtonsAndLinksPickRadioButtonsAndPressTheTopRegion) {
  ShowInFront();
  MovePointerTo({2, 2});
  Collect();
  collected_.clear();
  Type({VK_RETURN});  // on the first link
  Type({VK_TAB});
  Type({VK_TAB});
  Type({VK_SPACE});  // on the button
  Type({VK_RETURN});
  SelectControl(kTabC, 0);
  Type({VK_RIGHT});  // wraps to the first
  EXPECT_EQ(option_.Value(), "C5PE");
  EXPECT_EQ(Focused(), kRadioC5PE);
  EXPECT_EQ(::SendMessageA(::GetDlgItem(window_, kRadioC5PE), BM_GETCHECK, 0, 0), BST_CHECKED);
  Type({VK_DOWN});
  EXPECT_EQ(option_.Value(), "C55EE");
  Type({VK_CONTROL, VK_TAB});
  constexpr Expected kPressed[] = {{kEventAccepted, kLeftRegion}, {kEventAccepted, kButton},
                                   {kEventAccepted, kButton},     {kEventAccepted, kGroup},
                                   {kEventAccepted, kGroup},      {kEventAccepted, kTopRegion}};
  EXPECT_SEQUENCE(kPressed, collected_);
}

// Assistive technology follows a link as Enter does.
TEST_F(WindowServicesTest, ALinkIsReadAsALinkNamedByItsTextAndFollowedByItsDefaultAction) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ShowInFront();
  MovePointerTo({2, 2});
  Collect();
  collected_.clear();
  IAccessible* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(::AccessibleObjectFromWindow(::GetDlgItem(window_, kLeftRegion),
                                                     OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&link))));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{};
  EXPECT_TRUE(SUCCEEDED(link->get_accRole(self, &role)));
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
  BSTR name = nullptr;
  EXPECT_TRUE(SUCCEEDED(link->get_accName(self, &name)));
  EXPECT_STREQ(name, L"Pointer here");
  ::SysFreeString(name);
  VARIANT state{};
  EXPECT_TRUE(SUCCEEDED(link->get_accState(self, &state)));
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_FOCUSED) << "the first link has the focus";
  EXPECT_TRUE(SUCCEEDED(link->accDoDefaultAction(self)));
  link->Release();
  Collect();
  constexpr Expected kFollowed[] = {{kEventAccepted, kLeftRegion}};
  EXPECT_SEQUENCE(kFollowed, collected_);
  ::CoUninitialize();
}

// The kill sequence selects the list's first row in a hidden window: that
// must not take the keyboard from the window the user works in.
TEST_F(WindowServicesTest, AFocusAskedForWhileHiddenTakesNoKeyboardUntilTheWindowIsShown) {
  ShowInFront();
  SetHidden(true);  // not iconized: Wine gives no focus to an iconized window at all
  const win32::OwnedWindow other(::CreateWindowExA(0, "BUTTON", "Another window",
                                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                                   nullptr, nullptr, nullptr, nullptr));
  ::SetForegroundWindow(other.get());
  ::SetFocus(other.get());
  Collect();
  ASSERT_EQ(::GetFocus(), other.get());

  SelectControl(kButton, 0);
  Collect();
  EXPECT_EQ(::GetFocus(), other.get());
  EXPECT_EQ(::GetForegroundWindow(), other.get());
  EXPECT_FALSE(::IsWindowVisible(window_));

  SetHidden(false);
  ::SetForegroundWindow(window_);
  Collect();
  EXPECT_EQ(Focused(), kButton) << "the focus asked for is given once shown";
}

TEST_F(WindowServicesTest, AListScrolledToItsEndShowsRowsWhenItBecomesShorter) {
  rows_.count = 100;
  ShowInFront();
  SelectControl(kTabB, 0);
  Collect();
  const HWND list = ::GetDlgItem(window_, kList);
  ASSERT_EQ(::GetFocus(), list);
  Type({VK_END});
  ASSERT_GT(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 80);

  rows_.count = 3;
  RedrawControl(kList);
  Collect();
  EXPECT_EQ(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0)
      << "a list that fits shows its first row";
  EXPECT_EQ(MainWindowModel()->SelectedRow(kList), 3) << "the selection stays on a row";
  const testing::Capture shown = testing::Capture::Printed(list);
  const int rowHeight = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  for (int row = 0; row < 3; ++row) {
    int ink = 0;
    for (int y = row * rowHeight; y < (row + 1) * rowHeight; ++y) {
      for (int x = 0; x < shown.Width(); ++x) ink += shown.At(x, y) != RGB(0, 0, 0);
    }
    EXPECT_GT(ink, 20) << "row " << row + 1 << " shows nothing";
  }
}

}  // namespace
}  // namespace quellix
