// The process scan against the real system, with dummy processes of the test's
// own named like the executables the program looks for.
#include "process/process_scan.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "dummy_processes.h"
#include "process/process_texts.h"

namespace quellix {
namespace {

using testing::DummyFolder;
using testing::DummyProcess;

// The rows of the list whose ID is processId.
std::vector<ProcessRow> RowsWithId(const ProcessList& list, DWORD processId) {
  std::vector<ProcessRow> rows;
  for (const ProcessRow& row : list.Rows()) {
    if (row.ID == static_cast<std::int32_t>(processId)) rows.push_back(row);
  }
  return rows;
}

// The handles this process has open, counted by asking the system about every
// handle value in the range it hands out. (Wine's GetProcessHandleCount reports 0.)
int OpenHandleCount() {
  int count = 0;
  for (std::uintptr_t value = 4; value <= 0x10000; value += 4) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

TEST(ScanProcessesOnWindows, ListsEachDummyByItsExactNameAndRealId) {
  DummyFolder folder;
  const DummyProcess server = folder.Start("C60SRVX.EXE");
  const DummyProcess vdm = folder.Start("NTVDM.EXE");
  const DummyProcess lowerCaseServer = folder.Start("c55srvx.exe");
  ProcessList list;

  const std::int32_t count = ScanProcesses(list);

  EXPECT_GE(count, 4);
  const std::vector<ProcessRow> serverRows = RowsWithId(list, server.Id());
  ASSERT_EQ(serverRows.size(), 1u);
  EXPECT_EQ(serverRows[0].APPPATH.Trimmed(), "C60SRVX.EXE");
  EXPECT_EQ(serverRows[0].TASK16, 0);
  const std::vector<ProcessRow> lowerRows = RowsWithId(list, lowerCaseServer.Id());
  ASSERT_EQ(lowerRows.size(), 1u);
  EXPECT_EQ(lowerRows[0].APPPATH.Trimmed(), "c55srvx.exe");

  const ProcessRow* vdmRow = list.FindByAppPath(kNtvdmName);
  ASSERT_NE(vdmRow, nullptr);
  EXPECT_EQ(vdmRow->ID, static_cast<std::int32_t>(vdm.Id()));
  // Not a real VDM: no task rows follow it, and asking did not end it.
  for (const ProcessRow& row : list.Rows()) {
    if (row.NO == vdmRow->NO) {
      EXPECT_EQ(row.ID, vdmRow->ID);
    }
  }
  EXPECT_TRUE(vdm.IsRunning());
  EXPECT_EQ(static_cast<std::int32_t>(list.Rows().back().NO), count);
}

TEST(ScanProcessesOnWindows, ALowerCaseNtvdmIsStoredInUpperCase) {
  DummyFolder folder;
  const DummyProcess vdm = folder.Start("ntvdm.exe");
  ProcessList list;
  ScanProcesses(list);
  const std::vector<ProcessRow> rows = RowsWithId(list, vdm.Id());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].APPPATH.Trimmed(), "NTVDM.EXE");
  EXPECT_TRUE(vdm.IsRunning());
}

TEST(ScanProcessesOnWindows, AnEndedProcessIsGoneFromTheNextScan) {
  DummyFolder folder;
  DummyProcess server = folder.Start("C60SRVX.EXE");
  ProcessList list;
  ScanProcesses(list);
  ASSERT_NE(list.FindByAppPath("C60SRVX.EXE"), nullptr);
  server.End();
  ScanProcesses(list);
  EXPECT_EQ(list.FindByAppPath("C60SRVX.EXE"), nullptr);
}

TEST(ScanProcessesOnWindows, ManyScansLeaveNoHandleOpen) {
  DummyFolder folder;
  const DummyProcess server = folder.Start("C60SRVX.EXE");
  const DummyProcess vdm = folder.Start("NTVDM.EXE");
  ProcessList list;
  ScanProcesses(list);
  const int afterFirst = OpenHandleCount();
  ASSERT_GT(afterFirst, 0);
  for (int i = 1; i < 1000; ++i) ScanProcesses(list);
  EXPECT_EQ(OpenHandleCount(), afterFirst);
}

}  // namespace
}  // namespace quellix
