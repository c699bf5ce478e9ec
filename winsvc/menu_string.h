#pragma once
// The menu string: one text that describes a pop-up menu, read into a tree of
// entries that a menu binding appends to its menus in order.
//
//   |  ends an entry; empty entries produce nothing
//   {  ends an entry, which becomes the heading of a submenu up to the matching }
//   }  ends an entry and closes the submenu; at the top level it ends the text
//   -  alone is a separator; any other entry may start with the markers ~
//      (disabled), then + (checked) or - (dropped), then [image] (read and
//      dropped: items are drawn with their caption only)
//
// Trailing blanks of the whole text are removed; nothing else is trimmed, and
// the caption is kept as it stands (an & still marks the mnemonic). Items are
// numbered 1, 2, 3 ... in the order of the text across all levels.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {

enum class MenuEntryKind { kItem, kSeparator, kSubmenu };

struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::kItem;
  std::string caption;  // empty for a separator
  int itemNumber = 0;   // items only; headings and separators take none
  bool disabled = false;
  bool checked = false;
  bool newColumn = false;   // the entry starts a new column of its level
  std::size_t submenu = 0;  // headings: the index of their level in MenuTree::levels
};

using MenuLevel = std::vector<MenuEntry>;

// Flat, so that neither reading nor destroying a deeply nested text recurses:
// levels[0] is the menu itself, each submenu one level with a higher index than
// the level that holds its heading.
struct MenuTree {
  std::vector<MenuLevel> levels;
  int itemCount = 0;
};

// Submenus nest at most this deep below the menu itself. A deeper submenu loses
// its heading and its entries join the deepest level kept, so every item keeps
// its place and its number.
inline constexpr std::size_t kMaxMenuDepth = 16;

// rowsPerColumn: how many entries fit in one column of a level; each column
// holds at most that many, the next entry starting a new column. 0 or less
// means no limit (the height it derives from could not be measured).
MenuTree ParseMenuString(std::string_view menuString, int rowsPerColumn);

}  // namespace quellix
