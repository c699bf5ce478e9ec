#pragma once
// The notification-area icon and its menu. While the window is hidden the
// program lives only as this icon.

#include "platform/win_types.h"

namespace quellix {

inline constexpr UINT kTrayIconId = 100;
inline constexpr UINT kTrayCallbackMessage = WM_USER + 64;  // 1088
inline constexpr char kTrayTip[] = "Quellix.";
inline constexpr char kTrayMenu[] = "About|-|Quellix|Quellix + NTVDM|-|Cancel this menu|Exit";

// Loads the icon, fills the tray record for the main window and puts
// TrayWndProc in front of the window's own procedure.
void PrepareTray();
// Iconizes and hides the window, then adds the tray icon; with no taskbar up
// yet, the icon waits for it.
void HideToTray();
// Shows the window again on its current page, in front and with the keyboard;
// restoring it raises the event on which the icon is deleted.
void ShowFromTray();
void DeleteTrayIcon();
// Adds the icon again after the shell's taskbar has come up or restarted,
// while the window is in the tray.
void RestoreTrayIcon();
// Shows the tray menu at the pointer and carries out the chosen item.
void RunTrayMenu();

// The main window's procedure while the program runs. It never acts itself:
// it posts events for the loop, and hands every other message on.
LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quellix
