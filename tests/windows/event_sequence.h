#pragma once
// Event sequences of the real window services, recorded and compared with an
// expected table; on a mismatch the table and the events are printed side by
// side, entry by entry.

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

// One entry of an expected sequence. An optional entry is an event the step may
// or may not produce at that place; any event the table does not name fails.
struct Expected {
  EventCode code = 0;
  ControlNumber control = 0;
  bool optional = false;
};
inline constexpr bool kOptional = true;

namespace sequence_detail {

inline bool Matches(const Expected& entry, const Event& event) {
  return event.code == entry.code && event.control == entry.control;
}

inline std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

inline std::string EventText(const Event& event) {
  return std::to_string(event.code) + "," + std::to_string(event.control);
}

// One line of the dump: the entry's number, the table's entry, the event set
// against it, and what is wrong with the pair.
inline std::string Line(std::size_t number, const Expected* entry, const Event* event,
                        const char* remark) {
  std::string expected = "-";
  if (entry) {
    expected = EventText({entry->code, entry->control});
    if (entry->optional) expected += " (optional)";
  }
  const std::string actual = event ? EventText(*event) : std::string("-");
  return "  " + Padded(std::to_string(number), 4) + Padded(expected, 20) + Padded(actual, 12) +
         remark + "\n";
}

}  // namespace sequence_detail

// Walks the table and the events together, as Wine's message tests do: an entry
// that matches the next event takes it; an optional one that does not is
// passed over, with nothing set against it, so the events after it stay beside
// their own entries; a required one that does not fails and takes the event
// that stood in its place. Events left over fail too. Used through
// EXPECT_SEQUENCE, which names the table in the failure.
inline ::testing::AssertionResult MatchesSequence(const char* tableName, const char* /*events*/,
                                                  std::span<const Expected> expected,
                                                  const std::vector<Event>& actual) {
  using sequence_detail::Line;
  using sequence_detail::Matches;
  std::string dump;
  bool same = true;
  std::size_t next = 0;
  std::size_t number = 1;
  for (const Expected& entry : expected) {
    const Event* event = next < actual.size() ? &actual[next] : nullptr;
    if (event && Matches(entry, *event)) {
      dump += Line(number, &entry, event, "");
      ++next;
    } else if (entry.optional) {
      dump += Line(number, &entry, nullptr, "left out");
    } else {
      dump += Line(number, &entry, event, event ? "<- differs" : "<- missing");
      same = false;
      if (event) ++next;
    }
    ++number;
  }
  for (; next < actual.size(); ++next, ++number) {
    dump += Line(number, nullptr, &actual[next], "<- not in the table");
    same = false;
  }
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the events do not match " << tableName << " (code,control):\n"
         << "  " << sequence_detail::Padded("#", 4) << sequence_detail::Padded("expected", 20)
         << sequence_detail::Padded("actual", 12) << "\n"
         << dump;
}

}  // namespace quellix::testing

// Expects the events to match the named table; a mismatch prints both.
#define EXPECT_SEQUENCE(table, events) \
  EXPECT_PRED_FORMAT2(::quellix::testing::MatchesSequence, table, events)
