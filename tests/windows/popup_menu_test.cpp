// The real pop-up menu, driven like a user would: a helper thread waits for the
// menu to open and then types keys into it or clicks beside it. The last test
// opens it for a program's main window.

#include "winsvc/popup_menu.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "real_input.h"
#include "test_window_definition.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

constexpr char kTrayMenu[] = "About|-|Quellix|Quellix + NTVDM|-|Cancel this menu|Exit";

// The system's class of pop-up menu windows.
HWND WaitForOpenMenu() {
  for (int waited = 0; waited < 10000; waited += 20) {
    const HWND menu = ::FindWindowA("#32768", nullptr);
    if (menu && ::IsWindowVisible(menu)) return menu;
    ::Sleep(20);
  }
  return nullptr;
}

void PressKey(HWND menu, WPARAM key) {
  ::PostMessageA(menu, WM_KEYDOWN, key, 0);
  ::PostMessageA(menu, WM_KEYUP, key, 0xC0000000);
}

// What the menu answered, and whether the user found it open.
struct Outcome {
  int choice = -1;
  bool menuOpened = false;
};

// The user's side, on a thread of its own: Win32 threads, since the compiler
// that builds the shipped program has no std::thread.
struct MenuUser {
  std::function<void(HWND)> act;
  bool foundMenu = false;

  static DWORD WINAPI Run(LPVOID self) {
    auto* user = static_cast<MenuUser*>(self);
    const HWND menu = WaitForOpenMenu();
    if (menu) user->act(menu);
    user->foundMenu = menu != nullptr;
    return 0;
  }
};

// Shows the menu while `user` acts on it from another thread.
Outcome RunMenu(const char* menuString, int x, int y, std::function<void(HWND)> user) {
  MenuUser menuUser{std::move(user)};
  const HANDLE thread = ::CreateThread(nullptr, 0, &MenuUser::Run, &menuUser, 0, nullptr);
  Outcome outcome;
  outcome.choice = ShowPopupMenu(menuString, x, y);
  if (thread) {
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
  }
  outcome.menuOpened = menuUser.foundMenu;
  return outcome;
}

std::function<void(HWND)> Keys(std::vector<WPARAM> keys) {
  return [keys](HWND menu) {
    for (WPARAM key : keys) PressKey(menu, key);
  };
}

TEST(PopupMenu, EachTrayItemAnswersItsNumber) {
  for (int item = 1; item <= 5; ++item) {
    std::vector<WPARAM> keys(item, VK_DOWN);
    keys.push_back(VK_RETURN);
    const Outcome outcome = RunMenu(kTrayMenu, 100, 100, Keys(keys));
    ASSERT_TRUE(outcome.menuOpened);
    EXPECT_EQ(outcome.choice, item);
  }
}

TEST(PopupMenu, MovingPastTheLastItemWrapsToTheFirstAndNeverAnswersSix) {
  std::vector<WPARAM> keys(6, VK_DOWN);
  keys.push_back(VK_RETURN);
  const Outcome outcome = RunMenu(kTrayMenu, 100, 100, Keys(keys));
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 1);
}

TEST(PopupMenu, EscapeDismissesWithoutAChoice) {
  const Outcome outcome = RunMenu(kTrayMenu, 100, 100, Keys({VK_DOWN, VK_ESCAPE}));
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 0);
}

TEST(PopupMenu, ItemsOfASubmenuAnswerTheirNumbers) {
  const Outcome outcome =
      RunMenu("A{B|C}|D", 100, 100, Keys({VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}));
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 2);
}

TEST(PopupMenu, OpensAtThePointer) {
  testing::MovePointerTo({200, 150});
  RECT where{};
  const Outcome outcome =
      RunMenu(kTrayMenu, kPointerCoordinate, kPointerCoordinate, [&where](HWND menu) {
        ::GetWindowRect(menu, &where);
        PressKey(menu, VK_ESCAPE);
      });
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 0);
  EXPECT_EQ(where.left, 200);
  EXPECT_EQ(where.top, 150);
}

void ClickBeside(HWND menu) {
  RECT where{};
  ::GetWindowRect(menu, &where);
  testing::ClickAt({where.right + 100, where.bottom + 100});
}

TEST(PopupMenu, AClickBesideTheMenuDismissesIt) {
  const Outcome outcome = RunMenu(kTrayMenu, 100, 100, &ClickBeside);
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 0);
}

// The main window of the program that opens the menu, its null messages counted.
int nullMessages = 0;
WNDPROC servicesProcedure = nullptr;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NULL) ++nullMessages;
  return ::CallWindowProcA(servicesProcedure, window, message, wParam, lParam);
}

void DeliverPending() {
  MSG message;
  while (::PeekMessageA(&message, NativeHandle(), 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

// Without a message of its own after the menu, the program's next tray menu
// could flash and close at once.
TEST(PopupMenu, TheMainWindowGetsABenignMessageAfterEveryMenuHoweverItEnded) {
  OpenMainWindow(test_window::kWindow, nullptr, nullptr);
  ASSERT_NE(NativeHandle(), nullptr);
  servicesProcedure = GetWindowProcedure();
  SetWindowProcedure(&CountingProcedure);
  struct Ending {
    const char* how;
    std::function<void(HWND)> user;
    int choice;
  };
  const Ending endings[] = {{"an item", Keys({VK_DOWN, VK_DOWN, VK_RETURN}), 2},
                            {"no choice", Keys({VK_ESCAPE}), 0},
                            {"a click beside it", &ClickBeside, 0}};
  for (const Ending& ending : endings) {
    DeliverPending();
    nullMessages = 0;
    const Outcome outcome = RunMenu(kTrayMenu, 100, 100, ending.user);
    ASSERT_TRUE(outcome.menuOpened) << ending.how;
    EXPECT_EQ(outcome.choice, ending.choice) << ending.how;
    DeliverPending();
    EXPECT_EQ(nullMessages, 1) << ending.how;
  }
  CloseMainWindow();
}

}  // namespace
}  // namespace quellix
