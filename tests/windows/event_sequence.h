#pragma once
// Event sequences of the real window services, recorded and compared with an
// expected table; on a mismatch both are printed side by side.

#include <gtest/gtest.h>
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "winsvc/event_queue.h"
#include "winsvc/window_services.h"

namespace quellix::testing {

// Posted by a timer to end a recording; never produced by the services.
inline constexpr EventCode kEndOfRecording = 4000;

// Runs the loop, handling window messages and real input, until the
// recording ends after `milliseconds`, and returns every event it delivered.
// Stops early if the loop ends.
inline void CALLBACK EndRecording(HWND, UINT, UINT_PTR, DWORD) { PostEvent(kEndOfRecording, 0); }

inline std::vector<Event> RecordEvents(UINT milliseconds) {
  const UINT_PTR timer = ::SetTimer(nullptr, 0, milliseconds, &EndRecording);
  std::vector<Event> events;
  while (NextEvent()) {
    if (CurrentEvent() == kEndOfRecording) break;
    events.push_back({CurrentEvent(), CurrentControl()});
  }
  ::KillTimer(nullptr, timer);
  return events;
}

inline ::testing::AssertionResult SameEvents(const std::vector<Event>& expected,
                                             const std::vector<Event>& actual) {
  bool same = expected.size() == actual.size();
  for (std::size_t i = 0; same && i < expected.size(); ++i) {
    same = expected[i].code == actual[i].code && expected[i].control == actual[i].control;
  }
  if (same) return ::testing::AssertionSuccess();
  std::string table = "\n  expected        actual\n";
  for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    const auto cell = [](const std::vector<Event>& events, std::size_t index) {
      if (index >= events.size()) return std::string("-");
      return std::to_string(events[index].code) + "," + std::to_string(events[index].control);
    };
    std::string left = cell(expected, i);
    left.resize(16, ' ');
    table += "  " + left + cell(actual, i) + "\n";
  }
  return ::testing::AssertionFailure() << table;
}

// One entry of an expected sequence. An optional entry is an event the step may
// or may not produce at that place; any event the table does not name fails.
struct Expected {
  EventCode code = 0;
  ControlNumber control = 0;
  bool optional = false;
};
inline constexpr bool kOptional = true;

// Walks the table and the events together: an entry that matches the next event
// takes it, an optional one that does not is passed over, a required one that
// does not fails. Events left over fail too.
inline ::testing::AssertionResult MatchesSequence(std::span<const Expected> expected,
                                                  const std::vector<Event>& actual) {
  std::size_t next = 0;
  bool same = true;
  for (const Expected& entry : expected) {
    if (next < actual.size() && actual[next].code == entry.code &&
        actual[next].control == entry.control) {
      ++next;
    } else if (!entry.optional) {
      same = false;
      break;
    }
  }
  if (same && next == actual.size()) return ::testing::AssertionSuccess();
  std::vector<Event> table;
  for (const Expected& entry : expected) table.push_back({entry.code, entry.control});
  return SameEvents(table, actual) << "  (optional entries: those the step may leave out)\n";
}

}  // namespace quellix::testing
