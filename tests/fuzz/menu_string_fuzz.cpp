// Any text reads into a tree whose items are numbered 1..n in the order of the
// text, whose captions are pieces of it, whose levels each hang from exactly
// one heading no deeper than the limit, and whose columns hold no more entries
// than fit. The first byte chooses the rows per column (-1 to 6), the rest is
// the menu string.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "winsvc/menu_string.h"

namespace quellix {
namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void CheckEntries(const MenuTree& tree, std::string_view text, int rowsPerColumn) {
  std::vector<int> parents(tree.levels.size(), 0);
  for (std::size_t level = 0; level < tree.levels.size(); ++level) {
    int rows = 0;
    for (std::size_t i = 0; i < tree.levels[level].size(); ++i) {
      const MenuEntry& entry = tree.levels[level][i];
      Require(entry.caption.size() <= text.size());
      Require(text.find(entry.caption) != std::string_view::npos);
      if (entry.kind == MenuEntryKind::kSeparator) Require(entry.caption.empty());
      if (entry.kind != MenuEntryKind::kItem) Require(entry.itemNumber == 0);
      if (entry.kind == MenuEntryKind::kSubmenu) {
        Require(entry.submenu > level && entry.submenu < tree.levels.size());
        ++parents[entry.submenu];
      }
      Require(!entry.newColumn || (rowsPerColumn > 0 && i > 0));
      rows = entry.newColumn ? 1 : rows + 1;
      Require(rowsPerColumn <= 0 || rows <= rowsPerColumn);
    }
  }
  Require(parents[0] == 0);
  for (std::size_t level = 1; level < parents.size(); ++level) Require(parents[level] == 1);
}

// Walks the tree in the order of the text, without recursion: the numbers must
// come as 1, 2, 3 ... and end at the count.
void CheckNumbering(const MenuTree& tree) {
  int expected = 1;
  std::vector<std::pair<std::size_t, std::size_t>> path{{0, 0}};  // level, next entry
  while (!path.empty()) {
    auto& [level, next] = path.back();
    if (next == tree.levels[level].size()) {
      path.pop_back();
      continue;
    }
    const MenuEntry& entry = tree.levels[level][next++];
    if (entry.kind == MenuEntryKind::kItem) Require(entry.itemNumber == expected++);
    if (entry.kind == MenuEntryKind::kSubmenu) {
      path.emplace_back(entry.submenu, 0);
      Require(path.size() <= kMaxMenuDepth + 1);
    }
  }
  Require(expected - 1 == tree.itemCount);
}

}  // namespace
}  // namespace quellix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int rowsPerColumn = static_cast<int>(data[0] % 8) - 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const quellix::MenuTree tree = quellix::ParseMenuString(text, rowsPerColumn);
  quellix::Require(!tree.levels.empty());
  quellix::CheckEntries(tree, text, rowsPerColumn);
  quellix::CheckNumbering(tree);
  return 0;
}
