#pragma once
// Event sequences of the real window services, recorded and compared with an
// expected table; on a mismatch both are printed side by side.

#include <gtest/gtest.h>
#include <windows.h>

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

// The events of `events` whose codes are among `codes`.
inline std::vector<Event> Only(const std::vector<Event>& events, std::vector<EventCode> codes) {
  std::vector<Event> kept;
  for (const Event& event : events) {
    for (EventCode code : codes) {
      if (event.code == code) kept.push_back(event);
    }
  }
  return kept;
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

}  // namespace quellix::testing
