#pragma once
// The controls that are windows of their own, the system's where it has one:
// buttons and radio buttons draw themselves; texts (STATIC windows), the
// option group's box (a group box) and the links are see-through. They draw
// nothing and let the pointer through: the main window draws them over its
// background, as before it had them, and they are there for the keyboard and
// for assistive technology, which reads each by its text. Lists are made by
// ListControl.

#include <windows.h>

#include <string_view>

#include "winsvc/win32/com_apartment.h"
#include "winsvc/window_definition.h"

namespace quellix::win32 {

bool IsChildKind(const ControlDefinition& definition);
// Whether the child draws itself, so that the main window must not draw over it.
bool DrawsItself(ControlKind kind);

// Creates the control's window, still hidden, as a child of parent at rect
// (pixels), showing text in font. Its identifier is the control's number. A
// link is named by name, the text it lies over; its objects for assistive
// technology need the apartment.
HWND CreateChildControl(HWND parent, const ControlDefinition& definition, std::string_view text,
                        const RECT& rect, HFONT font, ComApartment* apartment);

// Makes text the child control's caption, its name to assistive technology,
// and tells assistive technology of the change.
void SetChildText(HWND child, std::string_view text);

}  // namespace quellix::win32
