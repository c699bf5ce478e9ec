#include <gtest/gtest.h>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app/refresh_and_kill.h"
#include "app_test_fixture.h"
#include "ui/control_numbers.h"

namespace quellix {
namespace {

using namespace control;
using ::testing::ElementsAre;

constexpr DWORD kServer = 40;
constexpr DWORD kVdm = 44;
constexpr WORD kIdeTask = 0x2f;

class KillSequenceTest : public testing::StartedProgramTest {
 protected:
  void AddSystemProcesses() override {
    StartedProgramTest::AddSystemProcesses();
    System().AddProcess(kServer, "C60SRVX.EXE");
    sim::Process& vdm = System().AddProcess(kVdm, "NTVDM.EXE");
    vdm.hostsWow = true;
    vdm.tasks = {{45, 0x1f, "C:\\WINDOWS\\SYSTEM32\\WOWEXEC.EXE"},
                 {46, kIdeTask, "C:\\CLARION6\\BIN\\C60EE.EXE"}};
  }
};

TEST_F(KillSequenceTest, APressBeforeAnyTrayItemEndsTheServerAndTheIdesTask) {
  PressKill();
  EXPECT_THAT(Terminated(), ElementsAre(kServer));
  EXPECT_THAT(System().taskTerminations, ElementsAre(sim::TaskTermination{kVdm, kIdeTask, true}));
  EXPECT_THAT(System().sleeps, ElementsAre(1000u));
  // The second rebuild: the server has gone, the VDM and its other task stay.
  EXPECT_EQ(Model().ControlText(kTitleString), "3 Processes");
  EXPECT_EQ(App().processList.Size(), 4u);
  EXPECT_EQ(Model().SelectedRow(kProcessList), 1);
  EXPECT_EQ(headless::RedrawCount(kProcessList), 1);
  EXPECT_TRUE(headless::IsHidden());
}

TEST_F(KillSequenceTest, TheTrayItemsChooseTheVariantAndTheButtonRepeatsTheLastChoice) {
  headless::ScriptPopupAnswers({3});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_THAT(Terminated(), ElementsAre(kServer, kVdm));
  EXPECT_TRUE(System().taskTerminations.empty());

  System().AddProcess(kServer, "C60SRVX.EXE");
  sim::Process& vdm = System().AddProcess(kVdm + 8, "NTVDM.EXE");
  vdm.hostsWow = true;
  vdm.tasks = {{60, kIdeTask, "C:\\C60EE.EXE"}};
  PressKill();  // the button: again the whole VDM
  EXPECT_THAT(Terminated(), ElementsAre(kServer, kVdm, kServer, kVdm + 8));

  System().AddProcess(kServer, "C60SRVX.EXE");
  headless::ScriptPopupAnswers({2});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_THAT(Terminated(), ElementsAre(kServer, kVdm, kServer, kVdm + 8, kServer));
  EXPECT_TRUE(System().taskTerminations.empty());  // no VDM left to host the IDE

  sim::Process& third = System().AddProcess(kVdm + 16, "NTVDM.EXE");
  third.hostsWow = true;
  third.tasks = {{70, kIdeTask, "C:\\C60EE.EXE"}};
  PressKill();  // the button after Quellix: again only the IDE's task
  EXPECT_THAT(Terminated(), ElementsAre(kServer, kVdm, kServer, kVdm + 8, kServer));
  EXPECT_THAT(System().taskTerminations,
              ElementsAre(sim::TaskTermination{kVdm + 16, kIdeTask, true}));
}

TEST_F(KillSequenceTest, TheTrayItemQuellixLeavesTheWindowHiddenWithTheNewCountInTheTitle) {
  headless::ScriptPopupAnswers({2});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_THAT(Terminated(), ElementsAre(kServer));
  EXPECT_THAT(System().taskTerminations, ElementsAre(sim::TaskTermination{kVdm, kIdeTask, true}));
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_TRUE(IconInTray());
  EXPECT_EQ(Model().ControlText(kTitleString), "3 Processes");
}

TEST_F(KillSequenceTest, QuellixPlusNtvdmWithNoNtvdmRunningEndsOnlyTheServer) {
  System().RemoveProcess(kVdm);
  headless::ScriptPopupAnswers({3});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_THAT(Terminated(), ElementsAre(kServer));
  EXPECT_TRUE(System().taskTerminations.empty());
  EXPECT_THAT(System().sleeps, ElementsAre(1000u));  // the sequence still runs to its end
  EXPECT_EQ(Model().ControlText(kTitleString), "2 Processes");
  EXPECT_TRUE(headless::IsHidden());
}

TEST_F(KillSequenceTest, WithoutAServerOnlyTheSecondPartActs) {
  System().RemoveProcess(kServer);
  PressKill();
  EXPECT_TRUE(Terminated().empty());
  EXPECT_EQ(System().taskTerminations.size(), 1u);
  App().killTarget.Assign("NTVDM.EXE");
  PressKill();
  EXPECT_THAT(Terminated(), ElementsAre(kVdm));
}

TEST_F(KillSequenceTest, AnIdeRunningAsAProcessIsNoTaskToEnd) {
  System().processes[3].tasks.pop_back();
  System().AddProcess(70, "C60EE.EXE");
  PressKill();
  EXPECT_THAT(Terminated(), ElementsAre(kServer));
  EXPECT_TRUE(System().taskTerminations.empty());
  EXPECT_EQ(App().task16Number, 0);
}

TEST_F(KillSequenceTest, OneOfTwoServersIsEndedPerRun) {
  System().AddProcess(80, "C60SRVX.EXE");
  PressKill();
  EXPECT_EQ(Terminated().size(), 1u);
  PressKill();
  EXPECT_EQ(Terminated().size(), 2u);
  EXPECT_EQ(Model().ControlText(kTitleString), "3 Processes");
}

TEST_F(KillSequenceTest, TheTaskHandleGoesToTheVdmTheIdeRunsIn) {
  System().processes[3].tasks.pop_back();  // the first VDM hosts no IDE now
  sim::Process& second = System().AddProcess(90, "NTVDM.EXE");
  second.hostsWow = true;
  second.tasks = {{91, kIdeTask, "C:\\CLARION6\\BIN\\C60EE.EXE"}};
  PressKill();
  EXPECT_THAT(System().taskTerminations, ElementsAre(sim::TaskTermination{90, kIdeTask, true}));
  EXPECT_EQ(App().ntvdmProcessId, 90u);
}

TEST_F(KillSequenceTest, TheChosenEditionsServerIsTheOneEnded) {
  System().AddProcess(96, "C55SRVX.EXE");
  Model().RadioPicked(kOption1Radio4);  // Clarion 5.5 EE
  RunPending();
  PressKill();
  EXPECT_THAT(Terminated(), ElementsAre(96u));
  EXPECT_TRUE(System().taskTerminations.empty());  // no C55EE.EXE task runs
}

TEST_F(KillSequenceTest, NamesMatchOnlyInTheirOwnCase) {
  System().processes[2].name = "c60srvx.exe";
  PressKill();
  EXPECT_TRUE(Terminated().empty());
}

TEST_F(KillSequenceTest, AServerThatCannotBeEndedIsPassedOver) {
  System().processes[2].deniesTerminate = true;
  PressKill();
  EXPECT_TRUE(Terminated().empty());
  EXPECT_EQ(System().taskTerminations.size(), 1u);
  EXPECT_EQ(Model().ControlText(kTitleString), "4 Processes");
}

}  // namespace
}  // namespace quellix
