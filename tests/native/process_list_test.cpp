#include "process/process_list.h"

#include <gtest/gtest.h>

#include "simulated_system_test.h"

namespace quellix {
namespace {

void Add(ProcessList& list, std::int32_t no, std::int32_t id, const char* name) {
  list.record = ProcessRow{no, id, 0, Text256(name)};
  list.Append();
}

TEST(ProcessList, SortByNoKeepsRowsOfEqualNumberInTheirOrder) {
  ProcessList list;
  Add(list, 3, 30, "C");
  Add(list, 1, 10, "NTVDM.EXE");
  Add(list, 1, 11, "TASK1");
  Add(list, 2, 20, "B");
  Add(list, 1, 12, "TASK2");
  list.SortByNo();
  EXPECT_THAT(testing::RowTexts(list),
              ::testing::ElementsAre("1 10 0 NTVDM.EXE", "1 11 0 TASK1", "1 12 0 TASK2", "2 20 0 B",
                                     "3 30 0 C"));
}

TEST(ProcessList, FindByAppPathIsCaseSensitiveTakesTheFirstAndLeavesItInTheRecord) {
  ProcessList list;
  Add(list, 1, 10, "c60srvx.exe");
  Add(list, 2, 20, "C60SRVX.EXE");
  Add(list, 3, 30, "C60SRVX.EXE");
  Add(list, 4, 40, "OTHER");

  const ProcessRow* found = list.FindByAppPath(Text256("C60SRVX.EXE").View());
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->ID, 20);
  EXPECT_EQ(list.record.ID, 20);

  EXPECT_EQ(list.FindByAppPath("C60SRVX"), nullptr);
  EXPECT_EQ(list.FindByAppPath(" OTHER"), nullptr);
  EXPECT_EQ(list.record.ID, 20);  // a miss leaves the record alone
}

TEST(ProcessList, EmptyRemovesTheRowsButKeepsTheRecord) {
  ProcessList list;
  Add(list, 1, 10, "A");
  list.Empty();
  EXPECT_EQ(list.Size(), 0u);
  EXPECT_EQ(list.record.ID, 10);
  EXPECT_EQ(list.FindByAppPath("A"), nullptr);
}

}  // namespace
}  // namespace quellix
