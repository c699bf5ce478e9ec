#include "process/process_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/process_texts.h"
#include "simulated_system_test.h"

namespace quellix {
namespace {

using ::testing::ElementsAre;
using ScanProcessesTest = testing::SimulatedSystemTest;
using testing::RowTexts;

TEST_F(ScanProcessesTest, ListsEachProcessOnceAndTheTasksRightAfterTheirHost) {
  for (DWORD i = 0; i < 40; ++i) System().AddProcess(100 + 4 * i, "P" + std::to_string(i) + ".EXE");
  sim::Process& vdm = System().processes[9];
  vdm.name = "NTVDM.EXE";
  vdm.hostsWow = true;
  vdm.tasks = {{501, 0x1f, "C:\\CLARION6\\BIN\\C60EE.EXE"},
               {502, 0x2f, "C:\\WINDOWS\\SYSTEM32\\WOWEXEC.EXE"},
               {503, 0x3f, "C:\\APPS\\OTHER.EXE"}};
  ProcessList list;

  EXPECT_EQ(ScanProcesses(list), 40);

  ASSERT_EQ(list.Size(), 43u);
  const std::vector<std::string> rows = RowTexts(list);
  EXPECT_EQ(rows[8], "9 132 0 P8.EXE");
  EXPECT_EQ(rows[9], "10 136 0 NTVDM.EXE");
  EXPECT_EQ(rows[10], "10 501 31 C60EE.EXE");
  EXPECT_EQ(rows[11], "10 502 47 WOWEXEC.EXE");
  EXPECT_EQ(rows[12], "10 503 63 OTHER.EXE");
  EXPECT_EQ(rows[13], "11 140 0 P10.EXE");
  EXPECT_EQ(rows[42], "40 256 0 P39.EXE");
  EXPECT_TRUE(System().messageBoxes.empty());
}

TEST_F(ScanProcessesTest, ProcessIdZeroIsAnUnknownRowAtItsPosition) {
  System().AddProcess(8, "SMSS.EXE");
  System().AddProcess(0, "System Idle Process");
  ProcessList list;
  EXPECT_EQ(ScanProcesses(list), 2);
  EXPECT_THAT(RowTexts(list), ElementsAre("1 8 0 SMSS.EXE", "2 0 0 <unknown>"));
}

TEST_F(ScanProcessesTest, AFailingEnumerationIsShownOnceAndLeavesTheListEmpty) {
  System().AddProcess(4, "SYSTEM");
  ProcessList list;
  ScanProcesses(list);
  ASSERT_EQ(list.Size(), 1u);
  System().enumProcessesFailsWithBytes = 0;

  EXPECT_EQ(ScanProcesses(list), 0);

  EXPECT_EQ(list.Size(), 0u);
  ASSERT_EQ(System().messageBoxes.size(), 1u);
  EXPECT_EQ(System().messageBoxes[0].caption, "EnumProcesses Failed");
  EXPECT_EQ(System().messageBoxes[0].text, "0");
}

TEST_F(ScanProcessesTest, AFailureClaimingMoreBytesThanTheArrayHoldsIsReadNoFurther) {
  System().enumProcessesFailsWithBytes = 1024 * 4 + 400;
  ProcessList list;
  EXPECT_EQ(ScanProcesses(list), 1024);
  EXPECT_EQ(list.Size(), 1024u);
  ASSERT_EQ(System().messageBoxes.size(), 1u);
  EXPECT_EQ(System().messageBoxes[0].text, "4496");
  // Nothing was enumerated, so the zeroed array gives id-0 rows.
  EXPECT_EQ(testing::RowText(list.Rows().back()), "1024 0 0 <unknown>");
}

TEST_F(ScanProcessesTest, ProcessesThatCannotBeInspectedAreUnknownWithTheirRealIds) {
  System().AddProcess(12, "LSASS.EXE").deniesQuery = true;
  System().AddProcess(16, "CSRSS.EXE").moduleEnumFails = true;
  System().AddProcess(20, "WINLOGON.EXE").baseNameFails = true;
  System().AddProcess(24, "NTVDM.EXE").deniesQuery = true;
  System().processes.back().hostsWow = true;
  System().processes.back().tasks = {{700, 7, "C:\\C60EE.EXE"}};
  ProcessList list;

  EXPECT_EQ(ScanProcesses(list), 4);

  EXPECT_THAT(RowTexts(list), ElementsAre("1 12 0 <unknown>", "2 16 0 <unknown>",
                                          "3 20 0 <unknown>", "4 24 0 <unknown>"));
  EXPECT_TRUE(System().taskEnumerations.empty());
  EXPECT_EQ(System().HandlesOpenedInAll(), 2);  // the two that deny access yield none
  // Each process is opened once, to read only, with a handle no child inherits.
  constexpr DWORD kInspect = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
  EXPECT_THAT(System().processOpenings, ElementsAre(sim::ProcessOpening{12, kInspect, FALSE},
                                                    sim::ProcessOpening{16, kInspect, FALSE},
                                                    sim::ProcessOpening{20, kInspect, FALSE},
                                                    sim::ProcessOpening{24, kInspect, FALSE}));
}

TEST_F(ScanProcessesTest, OnlyNtvdmIsCaseFoldedAndOnlyItsTasksAreListed) {
  sim::Process& vdm = System().AddProcess(40, "ntvdm.exe");
  vdm.hostsWow = true;
  vdm.tasks = {{41, 9, "c:\\clarion\\c55ee.exe"}};
  System().AddProcess(44, "c60srvx.exe");
  sim::Process& lookalike = System().AddProcess(48, "NTVDM.EXE.BAK");
  lookalike.hostsWow = true;
  lookalike.tasks = {{49, 10, "C:\\C60EE.EXE"}};
  System().AddProcess(52, "Ntvdm.Exe  ").hostsWow = true;
  ProcessList list;

  ScanProcesses(list);

  EXPECT_THAT(RowTexts(list),
              ElementsAre("1 40 0 NTVDM.EXE", "1 41 9 c55ee.exe", "2 44 0 c60srvx.exe",
                          "3 48 0 NTVDM.EXE.BAK", "4 52 0 NTVDM.EXE"));
  EXPECT_THAT(System().taskEnumerations, ElementsAre(40u, 52u));
}

TEST_F(ScanProcessesTest, EachVdmsTasksCarryThatVdmsNumber) {
  for (DWORD id : {60u, 64u}) {
    sim::Process& vdm = System().AddProcess(id, "NTVDM.EXE");
    vdm.hostsWow = true;
    vdm.tasks = {{id + 1, static_cast<WORD>(id), "C:\\WOW\\TASK.EXE"}};
  }
  System().AddProcess(68, "NTVDM.EXE").hostsWow = true;  // a VDM without tasks
  ProcessList list;

  EXPECT_EQ(ScanProcesses(list), 3);

  EXPECT_THAT(RowTexts(list),
              ElementsAre("1 60 0 NTVDM.EXE", "1 61 60 TASK.EXE", "2 64 0 NTVDM.EXE",
                          "2 65 64 TASK.EXE", "3 68 0 NTVDM.EXE"));
}

TEST_F(ScanProcessesTest, TaskPathsAreCutToTheirFirst255CharactersBeforeTheFileNameIsTaken) {
  const std::string directory = "C:\\" + std::string(240, 'D') + "\\";  // 244 characters
  const std::string longName = std::string(20, 'N') + ".EXE";
  sim::Process& vdm = System().AddProcess(80, "NTVDM.EXE");
  vdm.hostsWow = true;
  vdm.tasks = {{81, 1, directory + longName},
               {82, 2, "C60EE.EXE"},
               {83, 3, "C:\\DIR\\NAME WITH BLANKS.EXE   "},
               {84, 4, "C:\\DIR\\"},
               {85, 5, std::string(300, 'X')}};
  ProcessList list;

  ScanProcesses(list);

  ASSERT_EQ(list.Size(), 6u);
  EXPECT_EQ(list.Rows()[1].APPPATH.Trimmed(), std::string(11, 'N'));
  EXPECT_EQ(list.Rows()[2].APPPATH.Trimmed(), "C60EE.EXE");
  EXPECT_EQ(list.Rows()[3].APPPATH.Trimmed(), "NAME WITH BLANKS.EXE");
  EXPECT_EQ(list.Rows()[4].APPPATH.Trimmed(), "");
  EXPECT_EQ(list.Rows()[5].APPPATH.Trimmed(), std::string(255, 'X'));
}

// On a Japanese system: the folder "ソフト" and the file "試験ソ.EXE" in code page
// 932, where the second byte of ソ (0x83 0x5C) is the backslash's.
TEST_F(ScanProcessesTest, ATaskPathIsReadACharacterAtATimeInTheSystemsCodePage) {
  System().ansiCodePage = 932;
  const std::string so = "\x83\x5C";
  const std::string name = "\x8E\x8E\x8C\xB1" + so + ".EXE";
  sim::Process& vdm = System().AddProcess(80, "NTVDM.EXE");
  vdm.hostsWow = true;
  // A path whose 255 bytes end in the first byte of a character.
  const std::string cut = "C:\\" + std::string(250, 'D') + "\\" + so;
  vdm.tasks = {{81, 1, "C:\\" + so + "\x83\x74\x83\x67\\" + name}, {82, 2, cut}};
  ProcessList list;

  ScanProcesses(list);

  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.Rows()[1].APPPATH.Trimmed(), name);
  EXPECT_EQ(list.Rows()[2].APPPATH.Trimmed(), "") << "half a character kept";
}

TEST_F(ScanProcessesTest, LongProcessNamesAreBoundedTo255Characters) {
  System().AddProcess(90, std::string(400, 'L'));
  System().AddProcess(94, "");
  ProcessList list;
  ScanProcesses(list);
  EXPECT_EQ(list.Rows()[0].APPPATH.Trimmed(), std::string(255, 'L'));
  EXPECT_EQ(list.Rows()[1].APPPATH.Trimmed(), "");
}

TEST_F(ScanProcessesTest, MoreThan1024ProcessesAreListedUpToTheArraysSize) {
  for (DWORD i = 1; i <= 1100; ++i) System().AddProcess(4 * i, "P.EXE");
  ProcessList list;
  EXPECT_EQ(ScanProcesses(list), 1024);
  EXPECT_EQ(list.Size(), 1024u);
  EXPECT_EQ(list.Rows().back().ID, 4096);
}

TEST_F(ScanProcessesTest, TwoScansWithoutChangeGiveTheSameRows) {
  System().AddProcess(4, "SYSTEM");
  sim::Process& vdm = System().AddProcess(8, "NTVDM.EXE");
  vdm.hostsWow = true;
  vdm.tasks = {{9, 1, "C:\\A.EXE"}};
  ProcessList list;
  ScanProcesses(list);
  const std::vector<std::string> first = RowTexts(list);
  ScanProcesses(list);
  EXPECT_EQ(RowTexts(list), first);
  EXPECT_EQ(first.size(), 3u);
}

TEST_F(ScanProcessesTest, AnEndedProcessDisappearsFromTheNextScan) {
  System().AddProcess(4, "SYSTEM");
  System().AddProcess(8, "C60SRVX.EXE");
  ProcessList list;
  ScanProcesses(list);
  System().processes.pop_back();
  EXPECT_EQ(ScanProcesses(list), 1);
  EXPECT_EQ(list.FindByAppPath("C60SRVX.EXE"), nullptr);
}

}  // namespace
}  // namespace quellix
