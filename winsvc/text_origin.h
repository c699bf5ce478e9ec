#pragma once
// Whose text a string holds, which says the code page of its bytes: the
// program's own texts are Windows-1252 (the heading "N°" carries byte 0xB0);
// the names the system reports (of processes and of 16-bit tasks) are in the
// system's ANSI code page, which may be a double-byte one.

#include <cstdint>

namespace quellix {

enum class TextOrigin : std::uint8_t { kProgram, kSystem };

}  // namespace quellix
