#pragma once
// Every function the program takes from a system DLL at run time, in one list.
// They are the ones not every supported Windows has (the message filter of
// Vista and Windows 7, SetWindowTheme) and the VDM debugging
// calls, which MinGW's import library lacks and which 64-bit Windows does not
// offer a 32-bit program. Each DLL is loaded by its full path in the system
// folder, never by bare name: a bare name is looked for in the program's own
// folder first, where anyone can drop a DLL of the same name.
//
// A member is null where the system lacks the function: check before calling.

#include <objbase.h>
#include <oleacc.h>
#include <uxtheme.h>
#include <vdmdbg.h>
#include <windows.h>

// Windows 7's record of the per-window message filter; the system headers
// declare it only for builds that target Windows 7.
struct tagCHANGEFILTERSTRUCT;

namespace quellix::os::win32 {

struct SystemFunctions {
  // vdmdbg.dll
  decltype(&::VDMEnumProcessWOW) VDMEnumProcessWOW = nullptr;
  decltype(&::VDMEnumTaskWOWEx) VDMEnumTaskWOWEx = nullptr;
  decltype(&::VDMTerminateTaskWOW) VDMTerminateTaskWOW = nullptr;
  // user32.dll. The two message-filter calls are typed as the system headers
  // for Vista and Windows 7 declare them (checked where they are loaded).
  BOOL(WINAPI* ChangeWindowMessageFilter)(UINT message, DWORD flag) = nullptr;
  BOOL(WINAPI* ChangeWindowMessageFilterEx)
  (HWND window, UINT message, DWORD action, tagCHANGEFILTERSTRUCT* changeInfo) = nullptr;
  // uxtheme.dll
  decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
};

// Loaded on first use; the DLLs stay loaded until the process ends.
const SystemFunctions& System();

// ole32.dll, apart from the rest: loaded only when first asked for, when the
// program first opens a link. A tray program at rest has no use for COM, whose
// DLLs cost it more than all the rest of it (under Wine, over a megabyte of
// private memory).
struct ComFunctions {
  decltype(&::CoInitializeEx) CoInitializeEx = nullptr;
  decltype(&::CoUninitialize) CoUninitialize = nullptr;
};
const ComFunctions& Com();

// oleacc.dll and oleaut32.dll, apart as well: loaded when assistive
// technology first asks a window of the program for an object, which a
// program nobody reads never is.
struct AccessibilityFunctions {
  decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject = nullptr;
  decltype(&::LresultFromObject) LresultFromObject = nullptr;
  decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
};
const AccessibilityFunctions& Accessibility();

}  // namespace quellix::os::win32
