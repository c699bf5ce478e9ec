#include "winsvc/event_queue.h"

namespace quellix {

bool EventQueue::Post(Event event) {
  if (events_.size() >= kCapacity) return false;
  events_.push_back(event);
  return true;
}

void EventQueue::PostAtFront(Event event) { events_.push_front(event); }

std::optional<Event> EventQueue::Take() {
  if (events_.empty()) return std::nullopt;
  const Event event = events_.front();
  events_.pop_front();
  return event;
}

}  // namespace quellix
