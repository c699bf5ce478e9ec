#include "winsvc/window_model.h"

#include <algorithm>

#include "common/fixed_text.h"

namespace quellix {

namespace {

bool Contains(const ControlDefinition& control, int x, int y) {
  // A natural size is not known here; such a control is never hit.
  if (control.width <= 0 || control.height <= 0) return false;
  return x >= control.x && x < control.x + control.width && y >= control.y &&
         y < control.y + control.height;
}

}  // namespace

WindowModel::WindowModel(const WindowDefinition& definition, OptionSource* option, ListSource* list)
    : definition_(definition),
      controls_(definition.controls),
      states_(definition.controls.size()),
      option_(option ? option : &ownOption_),
      list_(list) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    states_[i].text = std::string(controls_[i].text);
    states_[i].fontStyle = controls_[i].fontStyle;
  }
  for (const ControlDefinition& control : controls_) {
    if (control.kind != ControlKind::kTab) continue;
    ControlState* sheet = StateOf(control.parent);
    if (sheet && sheet->currentTab == 0) sheet->currentTab = control.number;
  }
}

const ControlDefinition* WindowModel::FindControl(ControlNumber number) const {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(),
                   [number](const ControlDefinition& c) { return c.number == number; });
  return found == controls_.end() ? nullptr : &*found;
}

const ControlDefinition* WindowModel::FindControl(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [name](const ControlDefinition& c) { return c.name == name; });
  return found == controls_.end() ? nullptr : &*found;
}

WindowModel::ControlState* WindowModel::StateOf(ControlNumber control) {
  const ControlDefinition* found = FindControl(control);
  return found ? &states_[static_cast<std::size_t>(found - controls_.data())] : nullptr;
}

const WindowModel::ControlState* WindowModel::StateOf(ControlNumber control) const {
  const ControlDefinition* found = FindControl(control);
  return found ? &states_[static_cast<std::size_t>(found - controls_.data())] : nullptr;
}

void WindowModel::SetControlText(ControlNumber control, std::string_view text) {
  if (ControlState* state = StateOf(control)) state->text = std::string(text);
}

std::string_view WindowModel::ControlText(ControlNumber control) const {
  const ControlState* state = StateOf(control);
  return state ? std::string_view(state->text) : std::string_view();
}

void WindowModel::SetFontStyle(ControlNumber control, FontStyle style) {
  if (ControlState* state = StateOf(control)) state->fontStyle = style;
}

FontStyle WindowModel::ControlFontStyle(ControlNumber control) const {
  const ControlState* state = StateOf(control);
  return state ? state->fontStyle : 0;
}

void WindowModel::SelectControl(ControlNumber control, int position) {
  const ControlDefinition* definition = FindControl(control);
  if (!definition) return;
  switch (definition->kind) {
    case ControlKind::kTab:
      if (ControlState* sheet = StateOf(definition->parent)) {
        sheet->currentTab = control;
        // The page under a resting pointer changed, and with it the region there.
        TrackPointer();
      }
      break;
    case ControlKind::kList:
      focused_ = control;
      StateOf(control)->selectedRow = std::max(position, 0);
      break;
    default:
      focused_ = control;
      break;
  }
}

int WindowModel::SelectedRow(ControlNumber list) const {
  const ControlState* state = StateOf(list);
  return state ? state->selectedRow : 0;
}

int WindowModel::CurrentTab(ControlNumber sheet) const {
  const ControlState* state = StateOf(sheet);
  if (!state || state->currentTab == 0) return 0;
  int position = 0;
  for (const ControlDefinition& control : controls_) {
    if (control.kind != ControlKind::kTab || control.parent != sheet) continue;
    ++position;
    if (control.number == state->currentTab) return position;
  }
  return 0;
}

bool WindowModel::IsPresent(ControlNumber control) const {
  const ControlDefinition* at = FindControl(control);
  // The step limit keeps a definition whose parents form a cycle from looping.
  for (std::size_t steps = 0; at && steps <= controls_.size(); ++steps) {
    if (at->hidden) return false;
    if (at->kind == ControlKind::kTab) {
      const ControlState* sheet = StateOf(at->parent);
      if (!sheet || sheet->currentTab != at->number) return false;
    }
    if (at->parent == kWindowItself) return true;
    at = FindControl(at->parent);
  }
  return false;
}

ControlNumber WindowModel::SelectedRadio(ControlNumber optionGroup) const {
  for (const ControlDefinition& control : controls_) {
    if (control.kind == ControlKind::kRadioButton && control.parent == optionGroup &&
        PaddedEqual(control.value, option_->Value())) {
      return control.number;
    }
  }
  return 0;
}

ListSource* WindowModel::ListData(ControlNumber list) const {
  const ControlDefinition* control = FindControl(list);
  return control && control->kind == ControlKind::kList ? list_ : nullptr;
}

void WindowModel::ButtonClicked(ControlNumber button) { PostEvent(kEventAccepted, button); }

void WindowModel::RadioPicked(ControlNumber radio) {
  const ControlDefinition* control = FindControl(radio);
  if (!control || control->kind != ControlKind::kRadioButton) return;
  if (PaddedEqual(control->value, option_->Value())) return;
  option_->Store(control->value);
  PostEvent(kEventAccepted, control->parent);
}

void WindowModel::PointerMoved(int dluX, int dluY) {
  pointerInWindow_ = true;
  pointerX_ = dluX;
  pointerY_ = dluY;
  TrackPointer();
}

void WindowModel::PointerLeftWindow() {
  pointerInWindow_ = false;
  TrackPointer();
}

void WindowModel::MouseButtonPressed(int dluX, int dluY) {
  const ControlNumber region = RegionAt(dluX, dluY);
  if (region != 0) PostEvent(kEventAccepted, region);
}

void WindowModel::SizeStateObserved(SizeState state) {
  if (state == sizeState_) return;
  sizeState_ = state;
  if (!definition_.immediateEvents) return;
  switch (state) {
    case SizeState::kNormal:
      PostEvent(kEventRestored, kWindowItself);
      break;
    case SizeState::kMaximized:
      PostEvent(kEventMaximized, kWindowItself);
      break;
    case SizeState::kIconized:
      PostEvent(kEventIconized, kWindowItself);
      break;
  }
}

void WindowModel::CloseRequested() { PostEvent(kEventCloseWindow, kWindowItself); }

bool WindowModel::KeyPressed(std::int32_t keyCode) {
  const auto& keys = definition_.alertedKeys;
  if (std::find(keys.begin(), keys.end(), keyCode) == keys.end()) return false;
  queue_.PostAtFront({kEventPreAlert, focused_});
  PostEvent(kEventAlertKey, focused_);
  return true;
}

bool WindowModel::PostEvent(EventCode code, ControlNumber control) {
  return queue_.Post({code, control});
}

NextResult WindowModel::TakeNextEvent() {
  if (ended_) return NextResult::kEnded;
  if (current_.code == kEventCloseWindow) {
    ended_ = true;
    return NextResult::kEnded;
  }
  const std::optional<Event> next = queue_.Take();
  if (!next) return NextResult::kEmpty;
  current_ = *next;
  return NextResult::kEvent;
}

ControlNumber WindowModel::RegionAt(int dluX, int dluY) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (it->kind == ControlKind::kRegion && Contains(*it, dluX, dluY) && IsPresent(it->number)) {
      return it->number;
    }
  }
  return 0;
}

void WindowModel::TrackPointer() {
  ControlNumber now = 0;
  if (pointerInWindow_) {
    const ControlNumber region = RegionAt(pointerX_, pointerY_);
    if (region != 0 && FindControl(region)->immediateEvents) now = region;
  }
  if (now == hotRegion_) return;
  if (hotRegion_ != 0) PostEvent(kEventPointerLeft, hotRegion_);
  if (now != 0) PostEvent(kEventPointerEntered, now);
  hotRegion_ = now;
}

}  // namespace quellix
