#pragma once
// A window's queue of pending events, oldest first.

#include <cstddef>
#include <deque>
#include <optional>

#include "common/events.h"

namespace quellix {

struct Event {
  EventCode code = 0;
  ControlNumber control = kWindowItself;
  constexpr bool operator==(const Event&) const = default;
};

class EventQueue {
 public:
  // Pending events beyond this are dropped: a window that nobody serves must not
  // grow without bound.
  static constexpr std::size_t kCapacity = 4095;

  // Appends the event; false, and nothing queued, when kCapacity are pending.
  bool Post(Event event);
  // Puts the event ahead of every pending one. It is meant for an event that is
  // delivered at once rather than queued (the pre-alert of a key), so the
  // capacity does not refuse it.
  void PostAtFront(Event event);
  // Removes and returns the oldest event; nothing when none is pending.
  std::optional<Event> Take();

  std::size_t Size() const { return events_.size(); }
  bool Empty() const { return events_.empty(); }

 private:
  std::deque<Event> events_;
};

}  // namespace quellix
