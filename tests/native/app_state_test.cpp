#include "app/app_state.h"

#include <gtest/gtest.h>

#include "platform/sim/simulated_windows.h"

namespace quellix {
namespace {

// A program started again in the same process (as every test starts it) must
// begin from the start values, whatever the last run left behind, with the
// main window's views still on the state's own fields.
TEST(AppState, ResetGivesEveryFieldItsStartValueAndKeepsTheViewsOnTheFields) {
  sim::Reset();
  AppState& app = App();
  app.versionCode.Assign("C5PE");
  app.serverName.Assign("C5SRVX.EXE");
  app.ideName.Assign("C5PE.EXE");
  app.processList.record = ProcessRow{3, 9, 7, Text256("NTVDM.EXE")};
  app.processList.Append();
  app.processList.currentVdmNumber = 3;
  app.killTarget.Assign("NTVDM.EXE");
  app.singleInstanceName[0] = 'Q';
  app.singleInstance = reinterpret_cast<HANDLE>(4);
  app.iconResourceName[0] = 'C';
  app.icon = os::OwnedIcon(
      static_cast<HICON>(os::LoadImageA(nullptr, "CLARION_ICO", IMAGE_ICON, 16, 16, 0)));
  app.trayRecord.uID = 100;
  app.previousWindowProcedure = reinterpret_cast<WNDPROC>(12);
  app.processCount = 5;
  app.task16Number = 7;
  app.ntvdmProcessId = 9;
  app.inTray = true;
  app.taskbarCreatedMessage = 0xC0DE;
  app.comTried = true;
  app.comStarted = true;

  ResetAppState();

  EXPECT_EQ(app.versionCode.View(), std::string(12, ' '));
  EXPECT_EQ(app.serverName.View(), std::string(12, ' '));
  EXPECT_EQ(app.ideName.View(), std::string(12, ' '));
  EXPECT_EQ(app.processList.Size(), 0u);
  EXPECT_EQ(app.processList.record.NO, 0);
  EXPECT_EQ(app.processList.record.TASK16, 0);
  EXPECT_EQ(app.processList.record.APPPATH.Trimmed(), "");
  EXPECT_EQ(app.processList.currentVdmNumber, 0);
  EXPECT_EQ(app.killTarget.View(), std::string(256, ' '));
  EXPECT_EQ(app.singleInstanceName[0], '\0');
  EXPECT_EQ(app.singleInstance, nullptr);
  EXPECT_EQ(app.iconResourceName[0], '\0');
  EXPECT_FALSE(app.icon);
  EXPECT_EQ(sim::System().destroyedIcons.size(), 1u) << "the icon was not released";
  EXPECT_EQ(app.trayRecord.uID, 0u);
  EXPECT_EQ(app.previousWindowProcedure, nullptr);
  EXPECT_EQ(app.processCount, 0);
  EXPECT_EQ(app.task16Number, 0);
  EXPECT_EQ(app.ntvdmProcessId, 0u);
  EXPECT_FALSE(app.inTray);
  EXPECT_EQ(app.taskbarCreatedMessage, 0u);
  EXPECT_FALSE(app.comTried);
  EXPECT_FALSE(app.comStarted);

  app.versionOption.Store("C55EE");
  EXPECT_EQ(app.versionCode.Trimmed(), "C55EE");
  app.processList.Append();
  EXPECT_EQ(app.processListView.RowCount(), 1u);
  ResetAppState();
}

}  // namespace
}  // namespace quellix
