#pragma once
// Copies text into a fixed char buffer, cut to fit and always terminated.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace quellix {

inline void CopyTerminated(char* buffer, std::size_t capacity, std::string_view text) {
  if (capacity == 0) return;
  const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

}  // namespace quellix
