// Another program's maximized window, opened after Quellix, as a user's hung IDE
// usually is: it takes the foreground and covers the work area, in a navy blue
// that nothing else on the test's desktop shows. It runs until it is ended.
#include <windows.h>

namespace {

constexpr char kClassName[] = "QuellixTestFrontWindow";

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::CreateSolidBrush(RGB(0, 0, 128));
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassA(&windowClass)) return 1;
  const HWND window =
      ::CreateWindowExA(0, kClassName, "Front window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOWMAXIMIZED);
  ::SetForegroundWindow(window);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
