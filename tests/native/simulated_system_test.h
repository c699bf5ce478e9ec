#pragma once
// A test that runs against a fresh simulated Windows and, when it ends, checks
// that every handle the code under test opened has been closed again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/simulated_windows.h"
#include "process/process_list.h"

namespace quellix::testing {

class SimulatedSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
  void TearDown() override { EXPECT_EQ(sim::System().OpenHandleCount(), 0) << "handles left open"; }
  sim::SimulatedWindows& System() { return sim::System(); }
};

// One row as "NO ID TASK16 APPPATH", so a mismatch prints readably.
inline std::string RowText(const ProcessRow& row) {
  return std::to_string(row.NO) + " " + std::to_string(row.ID) + " " + std::to_string(row.TASK16) +
         " " + std::string(row.APPPATH.Trimmed());
}

inline std::vector<std::string> RowTexts(const ProcessList& list) {
  std::vector<std::string> texts;
  for (const ProcessRow& row : list.Rows()) texts.push_back(RowText(row));
  return texts;
}

}  // namespace quellix::testing
