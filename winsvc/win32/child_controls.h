#pragma once
// The controls that are the system's own windows: buttons and radio buttons.
// Everything else that shows is drawn by the main window over its background,
// the option group's box included, so that nothing stale can stay behind a
// frame that paints no background.

#include <windows.h>

#include <string_view>

#include "winsvc/window_definition.h"

namespace quellix::win32 {

bool IsChildKind(ControlKind kind);

// Creates the control's window, still hidden, as a child of parent at rect
// (pixels) with text in font. Its identifier is the control's number.
HWND CreateChildControl(HWND parent, const ControlDefinition& definition, std::string_view text,
                        const RECT& rect, HFONT font);

// Makes text the child control's caption.
void SetChildText(HWND child, std::string_view text);

}  // namespace quellix::win32
