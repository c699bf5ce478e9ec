// The program worked by keyboard alone, from the About page the tray menu
// shows, with the keys a user presses: the pages, the Tab order of each, an
// edition picked with the arrows, Space on Quellix and Enter on Close.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>

#include "app/app_state.h"
#include "program_in_process.h"
#include "real_input.h"
#include "ui/control_numbers.h"
#include "winsvc/main_window_model.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using namespace control;
using testing::DummyFolder;
using testing::DummyProcess;

// The control with the keyboard focus: its number, 0 for the window itself,
// -1 for a window that is not the program's.
ControlNumber Focused() {
  const HWND focus = ::GetFocus();
  if (focus && focus == NativeHandle()) return 0;
  return ::IsChild(NativeHandle(), focus) ? ::GetDlgCtrlID(focus) : -1;
}

using KeyboardTest = testing::ProgramTest;

TEST_F(KeyboardTest, EveryPageIsWorkedByKeyboardAlone) {
  DummyFolder folder;
  const DummyProcess c55Server = testing::StartListed(folder, "C55SRVX.EXE");
  const DummyProcess c60Server = testing::StartListed(folder, "C60SRVX.EXE");
  testing::ShowWindowFromTray();

  const struct {
    std::initializer_list<WORD> keys;
    int page;
    ControlNumber focus;
  } steps[] = {
      {{}, 1, kWebRegion},  // as the window comes up
      {{VK_TAB}, 1, kMailRegion},
      {{VK_TAB}, 1, kButtonClose},
      {{VK_TAB}, 1, kWebRegion},
      {{VK_SHIFT, VK_TAB}, 1, kButtonClose},
      {{VK_CONTROL, VK_TAB}, 2, kProcessList},
      {{VK_TAB}, 2, kButtonKill},
      {{VK_TAB}, 2, kButtonQuit},
      {{VK_TAB}, 2, kProcessList},
      {{VK_SHIFT, VK_TAB}, 2, kButtonQuit},
      {{VK_CONTROL, VK_NEXT}, 3, kOption1Radio6},  // the edition chosen, "C60EE"
      {{VK_TAB}, 3, kOption1Radio6},               // the options are one stop
      {{VK_UP}, 3, kOption1Radio5},
      {{VK_UP}, 3, kOption1Radio4},             // Clarion 5.5 EE
      {{VK_CONTROL, VK_TAB}, 1, kButtonClose},  // each page gives back its focus
      {{VK_CONTROL, VK_TAB}, 2, kButtonQuit},
      {{VK_SHIFT, VK_TAB}, 2, kButtonKill},
  };
  int step = 0;
  for (const auto& [keys, page, focus] : steps) {
    SCOPED_TRACE(::testing::Message() << "step " << step++);
    const std::string titleBefore(MainWindowModel()->ControlText(kTitleString));
    testing::PressKeys(keys);
    testing::RunUntilIdle();
    ASSERT_EQ(CurrentTab(kCurrentTab), page);
    EXPECT_EQ(Focused(), focus);
    EXPECT_TRUE(MainWindowModel()->IsPresent(Focused())) << "the focus is on another page";
    if (page == 2 && titleBefore == "Processes running...") {
      EXPECT_EQ(MainWindowModel()->ControlText(kTitleString),
                std::to_string(App().processCount) + " Processes");
    }
  }
  EXPECT_EQ(App().versionCode.Trimmed(), "C55EE");
  EXPECT_EQ(App().serverName.Trimmed(), "C55SRVX.EXE");

  testing::PressKeys({VK_SPACE});
  testing::RunUntilIdle();
  EXPECT_TRUE(testing::EndsWithin(c55Server, 10000)) << "Space on Quellix left the server running";
  EXPECT_TRUE(c60Server.IsRunning()) << "another edition's server was ended";

  testing::PressKeys({VK_CONTROL, VK_TAB});
  testing::PressKeys({VK_CONTROL, VK_TAB});
  testing::RunUntilIdle();
  ASSERT_EQ(CurrentTab(kCurrentTab), 1);
  ASSERT_EQ(Focused(), kButtonClose);
  testing::PressKeys({VK_RETURN});
  testing::RunUntilIdle();
  EXPECT_FALSE(::IsWindowVisible(NativeHandle())) << "Enter on Close left the window shown";
  EXPECT_TRUE(App().inTray);
}

}  // namespace
}  // namespace quellix
