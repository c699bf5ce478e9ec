// The real pop-up menu, driven like a user would: a helper thread waits for the
// menu to open and then types keys into it or clicks beside it.

#include "winsvc/popup_menu.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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
  ASSERT_TRUE(::SetCursorPos(200, 150));
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

TEST(PopupMenu, AClickBesideTheMenuDismissesIt) {
  const Outcome outcome = RunMenu(kTrayMenu, 100, 100, [](HWND menu) {
    RECT where{};
    ::GetWindowRect(menu, &where);
    ::SetCursorPos(where.right + 100, where.bottom + 100);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, clicks, sizeof(INPUT));
  });
  ASSERT_TRUE(outcome.menuOpened);
  EXPECT_EQ(outcome.choice, 0);
}

}  // namespace
}  // namespace quellix
