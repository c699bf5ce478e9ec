#include "winsvc/window_model.h"

#include <algorithm>

#include "common/fixed_text.h"

namespace quellix {

namespace {

// Virtual-key codes of the keys the model acts on itself.
constexpr std::int32_t kKeyEnter = 0x0D;
constexpr std::int32_t kKeyLeft = 0x25;
constexpr std::int32_t kKeyUp = 0x26;
constexpr std::int32_t kKeyRight = 0x27;
constexpr std::int32_t kKeyDown = 0x28;

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
  GiveFocus(FirstFocusable());
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
  if (definition->kind == ControlKind::kTab) {
    ControlState* sheet = StateOf(definition->parent);
    if (!sheet) return;
    sheet->currentTab = control;
    // The page under a resting pointer changed, and with it the region there.
    TrackPointer();
    MoveFocusToCurrentPage();
    return;
  }
  if (definition->kind == ControlKind::kList) {
    StateOf(control)->selectedRow = std::max(position, 0);
  }
  if (!TakesFocus(control)) return;
  if (IsPresent(control)) {
    GiveFocus(control);
  } else if (ControlState* page = StateOf(PageOf(control))) {
    page->pageFocus = control;  // taken when its page is next current
  }
}

int WindowModel::SelectedRow(ControlNumber list) const {
  const ControlState* state = StateOf(list);
  return state ? state->selectedRow : 0;
}

void WindowModel::KeepSelectionInRows(ControlNumber list) {
  const ListSource* rows = ListData(list);
  if (!rows) return;
  int& selected = StateOf(list)->selectedRow;
  selected =
      static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(selected), rows->RowCount()));
}

ControlNumber WindowModel::FocusedControl() const { return focused_; }

bool WindowModel::TakesFocus(ControlNumber control) const {
  const ControlDefinition* definition = FindControl(control);
  if (!definition || definition->hidden) return false;
  switch (definition->kind) {
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
    case ControlKind::kList:
      return true;
    case ControlKind::kRegion:
      return definition->immediateEvents;
    default:
      return false;
  }
}

void WindowModel::FocusMoved(ControlNumber control) {
  if (TakesFocus(control) && IsPresent(control)) GiveFocus(control);
}

ControlNumber WindowModel::TextUnder(ControlNumber region) const {
  const ControlDefinition* area = FindControl(region);
  if (!area || area->kind != ControlKind::kRegion) return 0;
  const ControlNumber page = PageOf(region);
  for (const ControlDefinition& control : controls_) {
    if (control.kind == ControlKind::kText && !control.hidden && PageOf(control.number) == page &&
        Contains(*area, control.x, control.y)) {
      return control.number;
    }
  }
  return 0;
}

ControlNumber WindowModel::PageOf(ControlNumber control) const {
  const ControlDefinition* at = FindControl(control);
  for (std::size_t steps = 0; at && steps <= controls_.size(); ++steps) {
    if (at->kind == ControlKind::kTab) return at->number;
    at = FindControl(at->parent);
  }
  return 0;
}

ControlNumber WindowModel::FocusStop(ControlNumber control) const {
  const ControlDefinition* definition = FindControl(control);
  if (definition && definition->kind == ControlKind::kRadioButton) {
    const ControlNumber selected = SelectedRadio(definition->parent);
    if (selected != 0) return selected;
  }
  return control;
}

ControlNumber WindowModel::FirstFocusable() const {
  for (const ControlDefinition& control : controls_) {
    if (TakesFocus(control.number) && IsPresent(control.number)) return FocusStop(control.number);
  }
  return 0;
}

void WindowModel::GiveFocus(ControlNumber control) {
  focused_ = control;
  if (ControlState* page = StateOf(PageOf(control))) page->pageFocus = control;
}

void WindowModel::MoveFocusToCurrentPage() {
  // The control the current page kept, if it is still there to take it.
  for (const ControlDefinition& tab : controls_) {
    if (tab.kind != ControlKind::kTab || !IsPresent(tab.number)) continue;
    const ControlNumber kept = StateOf(tab.number)->pageFocus;
    if (kept != 0 && IsPresent(kept)) {
      GiveFocus(FocusStop(kept));
      return;
    }
  }
  GiveFocus(FirstFocusable());
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

void WindowModel::Pressed(ControlNumber control) { PostEvent(kEventAccepted, control); }

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
  const auto& alerted = definition_.alertedKeys;
  if (std::find(alerted.begin(), alerted.end(), keyCode) != alerted.end()) {
    queue_.PostAtFront({kEventPreAlert, focused_});
    PostEvent(kEventAlertKey, focused_);
    return true;
  }
  for (const ControlDefinition& control : controls_) {
    if (std::find(control.keys.begin(), control.keys.end(), keyCode) != control.keys.end() &&
        IsPresent(control.number)) {
      Pressed(control.number);
      return true;
    }
  }
  const ControlDefinition* focused = FindControl(focused_);
  if (!focused) return false;
  switch (keyCode) {
    case kKeyEnter:
      if (focused->kind != ControlKind::kButton && focused->kind != ControlKind::kRegion) {
        return false;
      }
      Pressed(focused_);
      return true;
    case kKeyLeft:
    case kKeyUp:
      return PickNeighbourRadio(false);
    case kKeyRight:
    case kKeyDown:
      return PickNeighbourRadio(true);
    default:
      return false;
  }
}

bool WindowModel::PickNeighbourRadio(bool forward) {
  const ControlDefinition* focused = FindControl(focused_);
  if (!focused || focused->kind != ControlKind::kRadioButton) return false;
  std::vector<ControlNumber> group;
  for (const ControlDefinition& control : controls_) {
    if (control.kind == ControlKind::kRadioButton && control.parent == focused->parent &&
        IsPresent(control.number)) {
      group.push_back(control.number);
    }
  }
  const auto at = std::find(group.begin(), group.end(), focused_);
  if (at == group.end()) return false;
  const std::size_t index = static_cast<std::size_t>(at - group.begin());
  const std::size_t count = group.size();
  const ControlNumber next = group[(index + (forward ? 1 : count - 1)) % count];
  GiveFocus(next);
  RadioPicked(next);
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
