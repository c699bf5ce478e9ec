#include "process/termination.h"

#include <gtest/gtest.h>

#include "process/process_scan.h"
#include "simulated_system_test.h"

namespace quellix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RowTexts;

class TerminationTest : public testing::SimulatedSystemTest {
 protected:
  void SetUp() override {
    SimulatedSystemTest::SetUp();
    System().AddProcess(8, "SMSS.EXE");
    System().AddProcess(200, "C60SRVX.EXE");
    sim::Process& vdm = System().AddProcess(300, "NTVDM.EXE");
    vdm.hostsWow = true;
    vdm.tasks = {{301, 0x1f, "C:\\WINDOWS\\SYSTEM32\\WOWEXEC.EXE"},
                 {302, 0x2f, "C:\\CLARION6\\BIN\\C60EE.EXE"},
                 {303, 0x3f, "C:\\APPS\\OTHER.EXE"}};
  }

  std::vector<std::string> Scan() {
    ProcessList list;
    ScanProcesses(list);
    return RowTexts(list);
  }

  static constexpr const char* kSmss = "1 8 0 SMSS.EXE";
  static constexpr const char* kServer = "2 200 0 C60SRVX.EXE";
  static constexpr const char* kVdm = "3 300 0 NTVDM.EXE";
  static constexpr const char* kWowExec = "3 301 31 WOWEXEC.EXE";
  static constexpr const char* kIde = "3 302 47 C60EE.EXE";
  static constexpr const char* kOther = "3 303 63 OTHER.EXE";
};

TEST_F(TerminationTest, KillProcessEndsTheProcessWithExitCodeZero) {
  EXPECT_TRUE(KillProcess(200));

  EXPECT_THAT(System().terminations, ElementsAre(sim::Termination{200, 0}));
  EXPECT_THAT(Scan(), ElementsAre(kSmss, "2 300 0 NTVDM.EXE", "2 301 31 WOWEXEC.EXE",
                                  "2 302 47 C60EE.EXE", "2 303 63 OTHER.EXE"));
}

TEST_F(TerminationTest, KillProcessAsksOnlyForTheRightToTerminate) {
  // A process that cannot be inspected may still be ended.
  System().FindProcess(200)->deniesQuery = true;
  EXPECT_TRUE(KillProcess(200));
  EXPECT_EQ(System().HandlesOpenedInAll(), 1);
  EXPECT_EQ(System().FindProcess(200), nullptr);
  // The right to end it and to wait for its end, in a handle no child inherits.
  EXPECT_THAT(System().processOpenings,
              ElementsAre(sim::ProcessOpening{200, PROCESS_TERMINATE | SYNCHRONIZE, FALSE}));
}

TEST_F(TerminationTest, KillProcessOfAProtectedOrAbsentProcessChangesNothing) {
  System().FindProcess(200)->deniesTerminate = true;

  EXPECT_FALSE(KillProcess(200));
  EXPECT_FALSE(KillProcess(404));
  EXPECT_FALSE(KillProcess(0));

  EXPECT_THAT(System().terminations, IsEmpty());
  EXPECT_THAT(Scan(), ElementsAre(kSmss, kServer, kVdm, kWowExec, kIde, kOther));
}

TEST_F(TerminationTest, KillWowTaskEndsOnlyThatTaskAndLeavesTheVdmRunning) {
  EXPECT_TRUE(KillWowTask(300, 0x2f));

  EXPECT_THAT(System().taskTerminations, ElementsAre(sim::TaskTermination{300, 0x2f, true}));
  EXPECT_THAT(System().terminations, IsEmpty());
  EXPECT_THAT(Scan(), ElementsAre(kSmss, kServer, kVdm, kWowExec, kOther));
}

TEST_F(TerminationTest, KillWowTaskOfATaskThatIsNotThereChangesNothing) {
  EXPECT_FALSE(KillWowTask(300, 0x4f));  // no such task
  EXPECT_FALSE(KillWowTask(200, 0x2f));  // not a VDM
  EXPECT_FALSE(KillWowTask(0, 0x2f));    // no NTVDM.EXE was found
  EXPECT_TRUE(KillWowTask(300, 0x2f));
  EXPECT_FALSE(KillWowTask(300, 0x2f));  // already ended

  EXPECT_THAT(Scan(), ElementsAre(kSmss, kServer, kVdm, kWowExec, kOther));
}

}  // namespace
}  // namespace quellix
