#include "winsvc/menu_string.h"

#include <utility>

#include "common/fixed_text.h"

namespace quellix {
namespace {

bool Consume(std::string_view& text, char marker) {
  if (text.empty() || text.front() != marker) return false;
  text.remove_prefix(1);
  return true;
}

// An item or a heading: its markers and its caption.
MenuEntry ReadMarkedEntry(std::string_view text, MenuEntryKind kind) {
  MenuEntry entry;
  entry.kind = kind;
  entry.disabled = Consume(text, '~');
  entry.checked = Consume(text, '+');
  if (!entry.checked) Consume(text, '-');
  if (!text.empty() && text.front() == '[') {
    // An image part without its closing bracket takes the whole rest.
    const std::size_t close = text.find(']');
    text = close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
  }
  entry.caption = std::string(text);
  return entry;
}

class MenuReader {
 public:
  explicit MenuReader(int rowsPerColumn) : rowsPerColumn_(rowsPerColumn) {
    tree_.levels.emplace_back();
    counts_.push_back(0);
    open_.push_back(0);
  }

  // An entry ended by |, } or the end of the text.
  void EndEntry(std::string_view text) {
    if (text.empty()) return;
    if (text == "-") {
      MenuEntry separator;
      separator.kind = MenuEntryKind::kSeparator;
      Append(std::move(separator));
      return;
    }
    MenuEntry item = ReadMarkedEntry(text, MenuEntryKind::kItem);
    item.itemNumber = ++tree_.itemCount;
    Append(std::move(item));
  }

  // An entry ended by {: whatever it holds, it heads the submenu that follows.
  void OpenSubmenu(std::string_view text) {
    if (open_.size() > kMaxMenuDepth) {
      ++flattened_;
      return;
    }
    MenuEntry heading = ReadMarkedEntry(text, MenuEntryKind::kSubmenu);
    heading.submenu = tree_.levels.size();
    Append(std::move(heading));
    open_.push_back(tree_.levels.size());
    tree_.levels.emplace_back();
    counts_.push_back(0);
  }

  // False at the top level, where a } ends the whole text.
  bool CloseSubmenu() {
    if (flattened_ > 0) {
      --flattened_;
      return true;
    }
    if (open_.size() == 1) return false;
    open_.pop_back();
    return true;
  }

  MenuTree Take() { return std::move(tree_); }

 private:
  void Append(MenuEntry entry) {
    const std::size_t level = open_.back();
    int& count = counts_[level];
    // The entry that starts a column is that column's first row.
    if (rowsPerColumn_ > 0 && count >= rowsPerColumn_) {
      entry.newColumn = true;
      count = 1;
    } else {
      ++count;
    }
    tree_.levels[level].push_back(std::move(entry));
  }

  int rowsPerColumn_;
  MenuTree tree_;
  std::vector<int> counts_;        // entries in the current column, per level
  std::vector<std::size_t> open_;  // the levels being read, innermost last
  std::size_t flattened_ = 0;      // submenus open beyond kMaxMenuDepth
};

}  // namespace

MenuTree ParseMenuString(std::string_view menuString, int rowsPerColumn) {
  const std::string_view text = TrimTrailingBlanks(menuString);
  MenuReader reader(rowsPerColumn);
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '|' && c != '{' && c != '}') continue;
    const std::string_view entry = text.substr(start, i - start);
    start = i + 1;
    if (c == '|') {
      reader.EndEntry(entry);
    } else if (c == '{') {
      reader.OpenSubmenu(entry);
    } else {
      reader.EndEntry(entry);
      if (!reader.CloseSubmenu()) return reader.Take();
    }
  }
  reader.EndEntry(text.substr(start));
  return reader.Take();
}

}  // namespace quellix
