// The main window on screen, page by page: screenshots kept in the build
// folder and checked pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "event_sequence.h"
#include "import_reroute.h"
#include "process/process_list.h"
#include "process/process_scan.h"
#include "real_input.h"
#include "screen_capture.h"
#include "tests/windows/dummy_processes.h"
#include "ui/control_numbers.h"
#include "ui/main_window_definition.h"
#include "ui/process_list_view.h"
#include "ui/version_code_option.h"
#include "winsvc/cell_text.h"
#include "winsvc/list_format.h"
#include "winsvc/main_window_model.h"
#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/font_set.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using testing::Capture;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Text is drawn green on black, smoothed at its edges into darker greens.
bool IsGreenShade(COLORREF pixel) {
  return GetRValue(pixel) == 0 && GetBValue(pixel) == 0 && GetGValue(pixel) > 0;
}

// A text drawn by the test itself through the wide text functions, green on
// black in font, into a bitmap of width by height pixels at rect: what the
// window must show, whatever the system's code page.
class Reference {
 public:
  Reference(HFONT font, const std::wstring& text, int width, int height, RECT rect, UINT format)
      : width_(width), height_(height) {
    win32::WindowDc screen(nullptr);
    HDC memory = ::CreateCompatibleDC(screen.get());
    const win32::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
      const win32::Selection target(memory, bitmap.get());
      const win32::Selection selected(memory, font);
      const RECT all{0, 0, width, height};
      ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      ::SetBkMode(memory, TRANSPARENT);
      ::SetTextColor(memory, kGreen);
      ::DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &rect, format);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels_.push_back(::GetPixel(memory, x, y));
      }
    }
    ::DeleteDC(memory);
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// The pixels at (left, top) of what the window shows that differ from the
// reference.
template <typename Shown>
int DifferingPixels(const Shown& shown, int left, int top, const Reference& reference) {
  int differing = 0;
  for (int y = 0; y < reference.Height(); ++y) {
    for (int x = 0; x < reference.Width(); ++x) {
      differing += shown.At(left + x, top + y) != reference.At(x, y);
    }
  }
  return differing;
}

SIZE WideExtent(HFONT font, const std::wstring& text) {
  win32::WindowDc screen(nullptr);
  const win32::Selection selected(screen.get(), font);
  SIZE extent{};
  ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

// The suite also runs on a system whose code page QUELLIX_EXPECTED_CODE_PAGE
// names (932, Japanese): a run on another one would prove nothing there.
void ExpectTheSuitesCodePage() {
  if (const char* expected = std::getenv("QUELLIX_EXPECTED_CODE_PAGE")) {
    ASSERT_EQ(::GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
}

class MainWindowScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenMainWindow(MainWindowDefinition(), &option_, &view_);
    SetHidden(false);
    ::SetForegroundWindow(NativeHandle());
    Settle();
  }
  void TearDown() override { CloseMainWindow(); }

  // Lets the window paint and the display catch up.
  static void Settle() {
    testing::RecordEvents(400);
    ::GdiFlush();
  }

  Capture Shot(const std::string& name) {
    Settle();
    Capture capture = Capture::OfClientArea(NativeHandle());
    capture.SaveBmp(testing::ProgramFolder() + "screenshot-" + name + ".bmp");
    return capture;
  }

  // The pixel rectangle of dialog units.
  RECT Pixels(int x, int y, int width, int height) const {
    return {units_.ToPixelsX(x), units_.ToPixelsY(y), units_.ToPixelsX(x + width),
            units_.ToPixelsY(y + height)};
  }

  // Counts the pixels of rect that are text: green, or smoothed green. Any
  // pixel that is neither that nor black is reported in stray (the first one).
  static int CountText(const Capture& shot, const RECT& rect, std::string* stray) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom && y < shot.Height(); ++y) {
      for (int x = rect.left; x < rect.right && x < shot.Width(); ++x) {
        const COLORREF pixel = shot.At(x, y);
        if (IsGreenShade(pixel)) {
          ++count;
        } else if (pixel != kBlack && stray->empty()) {
          char text[64];
          std::snprintf(text, sizeof text, "pixel %d,%d is %06lx", x, y,
                        static_cast<unsigned long>(pixel));
          *stray = text;
        }
      }
    }
    return count;
  }

  Text12 versionCode_{"C60EE"};
  VersionCodeOption option_{versionCode_};
  ProcessList list_;
  ProcessListView view_{list_};
  win32::FontSet fonts_{"MS Sans Serif", 8};
  win32::DialogUnits units_{fonts_.Base()};
};

TEST_F(MainWindowScreenshotTest, TheAboutPageIsGreenOnBlackWithoutATabStrip) {
  const Capture shot = Shot("about");
  ASSERT_EQ(shot.Width(), units_.ToPixelsX(288));
  ASSERT_EQ(shot.Height(), units_.ToPixelsY(128));
  // The top strip: the title and the image on black, no tab strip or frame.
  std::string stray;
  const RECT title = Pixels(103, 6, 60, 12);
  EXPECT_GT(CountText(shot, title, &stray), 20);
  EXPECT_EQ(stray, "") << "the title has a box of another colour";
  const RECT strip = Pixels(40, 0, 60, 20);
  EXPECT_EQ(CountText(shot, strip, &stray), 0);
  EXPECT_EQ(stray, "") << "something is drawn over the top strip";
  EXPECT_EQ(shot.At(shot.Width() - 2, 2), kBlack);
  EXPECT_EQ(shot.At(shot.Width() / 2, shot.Height() - 2), kBlack);
  // The green line across the page.
  const int lineY = units_.ToPixelsY(87);
  EXPECT_EQ(shot.At(units_.ToPixelsX(100), lineY), kGreen);
}

TEST_F(MainWindowScreenshotTest,
       TheProcessesPageShowsItsHeadingsAndTheFourSeparatorsOfAnEmptyList) {
  SelectControl(control::kTab2, 0);
  const Capture shot = Shot("processes-empty");
  std::string stray;
  for (int x : {9, 51, 100, 171}) {
    EXPECT_GT(CountText(shot, Pixels(x, 14, 20, 9), &stray), 5) << x;
  }
  EXPECT_EQ(stray, "") << "a heading has a box of another colour";
  EXPECT_GT(CountText(shot, Pixels(103, 6, 60, 8), &stray), 20);
  // Separator lines at the right edges of the columns, over the list's full height.
  const RECT listRect = Pixels(1, 24, 287, 81);
  for (int edge : {24, 80, 136, 282}) {
    const int x = listRect.left + units_.ToPixelsX(edge) - 1;
    int green = 0;
    for (int y = listRect.top; y < listRect.bottom; ++y) green += shot.At(x, y) == kGreen;
    EXPECT_EQ(green, listRect.bottom - listRect.top) << "separator at " << edge;
  }
  EXPECT_EQ(shot.At(listRect.left + units_.ToPixelsX(12), listRect.top + 4), kBlack);
}

// On every system code page, as the suite's Japanese run shows, where byte
// 0xB0 read in the system's code page is a katakana sound mark.
TEST_F(MainWindowScreenshotTest, TheHeadingShowsTheDegreeSign) {
  ExpectTheSuitesCodePage();
  SelectControl(control::kTab2, 0);
  const Capture shot = Shot("processes-heading");
  const std::wstring heading = L"N\u00B0";
  const SIZE n = WideExtent(fonts_.Base(), L"N");
  const SIZE both = WideExtent(fonts_.Base(), heading);
  // A margin of a few pixels around the text, so that a wider or narrower
  // character shows too.
  const int margin = 3;
  const Reference reference(fonts_.Base(), heading, both.cx + 2 * margin, both.cy,
                            RECT{margin, 0, margin + both.cx, both.cy},
                            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  // The reference's degree sign sits high in the line: right of the N, in the
  // upper half of the text. That is the font's, so it must hold for the test
  // to mean anything.
  int high = 0;
  int low = 0;
  for (int y = 0; y < both.cy; ++y) {
    for (int x = margin + n.cx; x < margin + both.cx; ++x) {
      if (!IsGreenShade(reference.At(x, y))) continue;
      (y < both.cy / 2 ? high : low)++;
    }
  }
  ASSERT_GT(high, 3);
  ASSERT_EQ(low, 0);
  EXPECT_EQ(DifferingPixels(shot, units_.ToPixelsX(9) - margin, units_.ToPixelsY(14), reference),
            0);
}

// A name in the system's own script where the code page has one: Japanese
// (with a character whose second byte is a backslash in code page 932), or a
// Latin letter with an accent.
std::wstring NameInTheSystemsScript() {
  return ::GetACP() == 932 ? L"\u8A66\u9A13\u30BD.EXE" : L"Caf\u00E9.EXE";
}

// The bytes of name in the system's ANSI code page, as the system reports it.
std::string SystemBytes(const std::wstring& name) {
  std::string bytes(4 * name.size(), '\0');
  const int made =
      ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), static_cast<int>(name.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
  return bytes;
}

TEST_F(MainWindowScreenshotTest, AProcessNamedInTheSystemsScriptIsListedAndDrawnByThatName) {
  ExpectTheSuitesCodePage();
  const std::wstring name = NameInTheSystemsScript();
  testing::DummyFolder folder;
  const testing::DummyProcess dummy = folder.Start(name);
  ScanProcesses(list_);
  const auto found = std::find_if(list_.Rows().begin(), list_.Rows().end(), [&](const auto& row) {
    return row.ID == static_cast<std::int32_t>(dummy.Id());
  });
  ASSERT_NE(found, list_.Rows().end()) << "the dummy is not listed";
  EXPECT_EQ(found->APPPATH.Str(), SystemBytes(name));
  // That row alone, first in the list, so its line is the list's first.
  list_.record = *found;
  list_.Empty();
  list_.Append();
  SelectControl(control::kTab2, 0);
  RedrawControl(control::kProcessList);
  Shot("processes-system-name");
  HWND list = ::GetDlgItem(NativeHandle(), control::kProcessList);
  ASSERT_NE(list, nullptr);
  testing::RecordEvents(300);
  const Capture shown = Capture::Printed(list);
  // The fourth column, up to its separator line, on the first line: the name
  // starts 2 units right of the column's left edge.
  win32::WindowDc screen(nullptr);
  TEXTMETRICW metrics{};
  {
    const win32::Selection font(screen.get(), fonts_.Base());
    ::GetTextMetricsW(screen.get(), &metrics);
  }
  const int left = units_.ToPixelsX(136);
  const int right = units_.ToPixelsX(282) - std::max(1, ::GetSystemMetrics(SM_CXBORDER));
  const Reference reference(fonts_.Base(), name, right - left, metrics.tmHeight,
                            RECT{units_.ToPixelsX(138) - left, 0, right - left, metrics.tmHeight},
                            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  int ink = 0;
  for (int y = 0; y < reference.Height(); ++y) {
    for (int x = 0; x < reference.Width(); ++x) ink += IsGreenShade(reference.At(x, y));
  }
  ASSERT_GT(ink, 20);
  EXPECT_EQ(DifferingPixels(shown, left, 0, reference), 0);
}

TEST_F(MainWindowScreenshotTest, Row1024ShowsItsNumberGroupedAndRightAligned) {
  for (int i = 1; i <= 1024; ++i) {
    list_.record = ProcessRow{i, 4 * i, 0, Text256("PROCESS.EXE")};
    list_.Append();
  }
  SelectControl(control::kTab2, 0);
  SelectControl(control::kProcessList, 1024);
  RedrawControl(control::kProcessList);
  const Capture shot = Shot("processes-1024");
  const RECT listRect = Pixels(1, 24, 287, 81);
  // The selected row, black on green, is the last one shown; find its band by
  // its background in a part of the line that holds no text.
  int bandTop = -1;
  int bandBottom = -1;
  const int probeX = listRect.left + units_.ToPixelsX(200);
  for (int y = listRect.top; y < listRect.bottom; ++y) {
    if (shot.At(probeX, y) == kGreen) {
      if (bandTop < 0) bandTop = y;
      bandBottom = y + 1;
    }
  }
  ASSERT_GE(bandTop, 0) << "no selected row shown";
  // Its first cell ends 2 units left of the separator at 24.
  int rightmost = -1;
  int leftmost = -1;
  for (int y = bandTop; y < bandBottom; ++y) {
    for (int x = listRect.left; x < listRect.left + units_.ToPixelsX(24) - 1; ++x) {
      if (shot.At(x, y) != kBlack) continue;
      rightmost = std::max(rightmost, x);
      if (leftmost < 0 || x < leftmost) leftmost = x;
    }
  }
  win32::WindowDc screen(nullptr);
  const win32::Selection font(screen.get(), fonts_.Base());
  SIZE extent{};
  ::GetTextExtentPoint32A(screen.get(), "1 024", 5, &extent);
  const int anchor = listRect.left + units_.ToPixelsX(22);
  EXPECT_LE(rightmost, anchor);
  EXPECT_GE(rightmost, anchor - 2);
  EXPECT_GE(leftmost, anchor - extent.cx);
  EXPECT_LE(leftmost, anchor - extent.cx + 2);
  EXPECT_EQ(CellText(ParseListFormat(kProcessListFormat)[0].picture, {.number = 1024}), "1 024");
}

// What the list shows, as it draws itself.
std::vector<COLORREF> ListPixels(HWND list) {
  testing::RecordEvents(300);  // lets input and painting happen first
  const Capture shot = Capture::Printed(list);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) pixels.push_back(shot.At(x, y));
  }
  return pixels;
}

TEST_F(MainWindowScreenshotTest, TheWheelAndTheKeyboardReachRowsBelowTheVisibleArea) {
  for (int i = 1; i <= 100; ++i) {
    std::string name = std::to_string(i);  // appended, not concatenated: gcc 12 misreads that
    name += ".EXE";
    list_.record = ProcessRow{i, 4 * i, 0, Text256(name)};
    list_.Append();
  }
  SelectControl(control::kTab2, 0);
  RedrawControl(control::kProcessList);
  const RECT listRect = Pixels(1, 24, 287, 81);
  HWND list = ::GetDlgItem(NativeHandle(), control::kProcessList);
  ASSERT_NE(list, nullptr);
  const std::vector<COLORREF> top = ListPixels(list);
  POINT middle{(listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2};
  ::ClientToScreen(NativeHandle(), &middle);
  testing::MovePointerTo(middle);
  Settle();
  const auto wheel = [](int notches) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    ::SendInput(1, &input, sizeof input);
  };
  ::SetFocus(list);
  wheel(-2);
  EXPECT_NE(ListPixels(list), top) << "the wheel did not scroll";
  wheel(2);
  EXPECT_EQ(ListPixels(list), top);

  ::SetFocus(list);
  for (WORD key : {static_cast<WORD>(VK_END)}) {
    INPUT strokes[2]{};
    strokes[0].type = strokes[1].type = INPUT_KEYBOARD;
    strokes[0].ki.wVk = strokes[1].ki.wVk = key;
    strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, strokes, sizeof strokes[0]);
  }
  Shot("list-end");
  EXPECT_EQ(MainWindowModel()->SelectedRow(control::kProcessList), 100);
  EXPECT_NE(ListPixels(list), top);
}

// GDI exhausted: neither an off-screen context nor a bitmap can be made.
HDC WINAPI NoMemoryDc(HDC) { return nullptr; }
HBITMAP WINAPI NoBitmap(HDC, int, int) { return nullptr; }

// Covers what the window and its list show with white, which only their own
// paint covers again.
void Whiten(HWND window) {
  win32::WindowDc dc(window);
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc.get(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

TEST_F(MainWindowScreenshotTest, WithGdiExhaustedTheWindowAndItsListPaintStraightOntoTheScreen) {
  for (int i = 1; i <= 3; ++i) {
    list_.record = ProcessRow{i, 4 * i, 0, Text256("PROCESS.EXE")};
    list_.Append();
  }
  SelectControl(control::kTab2, 0);
  RedrawControl(control::kProcessList);
  const Capture buffered = Shot("gdi-buffered");
  const HWND list = ::GetDlgItem(NativeHandle(), control::kProcessList);
  ASSERT_NE(list, nullptr);
  const struct {
    const char* function;
    void* replacement;
  } failures[] = {{"CreateCompatibleDC", reinterpret_cast<void*>(&NoMemoryDc)},
                  {"CreateCompatibleBitmap", reinterpret_cast<void*>(&NoBitmap)}};
  for (const auto& failure : failures) {
    Whiten(NativeHandle());
    Whiten(list);
    {
      const testing::ImportReroute failing("gdi32.dll", failure.function, failure.replacement);
      ASSERT_NE(failing.Original(), nullptr) << failure.function << " is not imported";
      ::RedrawWindow(NativeHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    const Capture direct = Shot(std::string("gdi-exhausted-") + failure.function);
    ASSERT_EQ(direct.Width(), buffered.Width());
    ASSERT_EQ(direct.Height(), buffered.Height());
    int differing = 0;
    for (int y = 0; y < direct.Height(); ++y) {
      for (int x = 0; x < direct.Width(); ++x) differing += direct.At(x, y) != buffered.At(x, y);
    }
    EXPECT_EQ(differing, 0) << "pixels not as the buffered paint drew them, without "
                            << failure.function;
  }
}

TEST_F(MainWindowScreenshotTest, TheVersionPageShowsTheBoundEditionSelected) {
  SelectControl(control::kTab3, 0);
  const Capture shot = Shot("version");
  int checked = 0;
  int checkedNumber = 0;
  for (ControlNumber radio = control::kOption1Radio1; radio <= control::kOption1Radio6; ++radio) {
    HWND button = ::GetDlgItem(NativeHandle(), radio);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(::IsWindowVisible(button));
    if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      ++checked;
      checkedNumber = radio;
    }
  }
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(checkedNumber, control::kOption1Radio6);
  std::string stray;
  EXPECT_GT(CountText(shot, Pixels(103, 6, 80, 8), &stray), 20);
  EXPECT_EQ(stray, "");
  // Inside the option group's box only its radio buttons show: nothing of
  // another page stays behind.
  EXPECT_EQ(CountText(shot, Pixels(25, 45, 15, 70), &stray), 0);
  // The pages' own controls are gone from the other pages.
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(NativeHandle(), control::kButtonKill)));
}

// The screen's dots per inch as the program sees them: the real ones only if
// the program declares itself DPI-aware, else Windows reports 96 and stretches.
int ScreenDpi() {
  win32::WindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// The extent of a program text, which is Windows-1252.
SIZE ExtentOf(HFONT font, std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  const int made = ::MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
  return WideExtent(font, wide);
}

// A click anywhere on a link's text lands in its region, at whatever size the
// system font has.
TEST_F(MainWindowScreenshotTest, EachLinkRegionCoversItsTextAsDrawn) {
  const WindowModel& model = *MainWindowModel();
  for (const auto& [region, text] : {std::pair{control::kWebRegion, control::kWebString},
                                     std::pair{control::kMailRegion, control::kMailString}}) {
    const ControlDefinition& r = *model.FindControl(region);
    const ControlDefinition& t = *model.FindControl(text);
    SCOPED_TRACE(std::string(r.name));
    const RECT area = Pixels(r.x, r.y, r.width, r.height);
    const SIZE extent = ExtentOf(fonts_.Base(), model.ControlText(text));
    const RECT drawn = Pixels(t.x, t.y, 0, 0);
    EXPECT_LE(area.left, drawn.left);
    EXPECT_LE(area.top, drawn.top);
    EXPECT_GE(area.right, drawn.left + extent.cx) << "the end of the text is no link";
    EXPECT_GE(area.bottom, drawn.top + extent.cy) << "the foot of the text is no link";
  }
}

// The name is clipped at the column's right edge, under its separator: nothing
// of it shows beyond, and it runs right up to the edge.
TEST_F(MainWindowScreenshotTest, ANameWiderThanTheFourthColumnIsCutAtItsEdge) {
  const std::string name(60, 'W');
  list_.record = ProcessRow{1, 4, 0, Text256(name)};
  list_.Append();
  SelectControl(control::kTab2, 0);
  SelectControl(control::kProcessList, 0);  // no row selected: green text on black
  RedrawControl(control::kProcessList);
  const Capture shot = Shot("processes-wide-name");
  const ListColumn fourth = ParseListFormat(kProcessListFormat)[3];
  ASSERT_GT(ExtentOf(fonts_.Base(), name).cx, units_.ToPixelsX(fourth.Right() - fourth.left))
      << "the name fits its column";
  const RECT listRect = Pixels(1, 24, 287, 81);
  const int edge = listRect.left + units_.ToPixelsX(fourth.Right());  // the first pixel past it
  const int separator = std::max(1, ::GetSystemMetrics(SM_CXBORDER));
  int beyond = 0;
  int atEdge = 0;
  for (int y = listRect.top; y < listRect.bottom; ++y) {
    for (int x = edge; x < listRect.right; ++x) beyond += IsGreenShade(shot.At(x, y));
    for (int x = edge - separator - 4; x < edge - separator; ++x) {
      atEdge += IsGreenShade(shot.At(x, y));
    }
  }
  EXPECT_EQ(beyond, 0) << "the name runs on past its column";
  EXPECT_GT(atEdge, 0) << "the name stops short of its column's edge";
}

// The suite runs this at 96 and at 144 DPI (QUELLIX_EXPECTED_DPI says which):
// on every page each control lies inside the window, and each text inside its
// control, whatever size the system font has grown to.
TEST_F(MainWindowScreenshotTest, AtTheScreensDpiEveryControlAndTextLiesInsideTheWindow) {
  if (const char* expected = std::getenv("QUELLIX_EXPECTED_DPI")) {
    ASSERT_EQ(ScreenDpi(), std::atoi(expected)) << "the program does not see the screen's DPI";
  }
  RECT client{};
  ::GetClientRect(NativeHandle(), &client);
  const auto inside = [&](const RECT& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
  };
  const WindowModel& model = *MainWindowModel();
  int checked = 0;
  for (const ControlNumber tab : {control::kTab1, control::kTab2, control::kTab3}) {
    SelectControl(tab, 0);
    Settle();
    for (const ControlDefinition& c : model.Definition().controls) {
      if (!model.IsPresent(c.number) || c.kind == ControlKind::kSheet ||
          c.kind == ControlKind::kTab) {
        continue;
      }
      SCOPED_TRACE(std::string(c.name));
      const std::string text(model.ControlText(c.number));
      const FontStyle style = c.fontStyle;
      const HFONT font = fonts_.Acquire(style);
      const SIZE label = ExtentOf(font, text);
      fonts_.Release(style);
      ++checked;
      if (HWND child = ::GetDlgItem(NativeHandle(), c.number)) {
        // A real control: where Windows has it, and its label within it.
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, NativeHandle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(inside(r)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
        if (c.kind != ControlKind::kButton && c.kind != ControlKind::kRadioButton) continue;
        const SIZE own =
            ExtentOf(reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0)), text);
        const int room = c.kind == ControlKind::kRadioButton
                             ? r.right - r.left - ::GetSystemMetrics(SM_CXMENUCHECK)
                             : r.right - r.left - 2 * ::GetSystemMetrics(SM_CXEDGE);
        EXPECT_LE(own.cx, room) << "\"" << text << "\" is cut off";
        EXPECT_LE(own.cy, r.bottom - r.top) << "\"" << text << "\" is cut off";
        continue;
      }
      // Drawn by the window: its place in dialog units, its size its own or
      // its text's.
      const SIZE natural = c.kind == ControlKind::kImage
                               ? SIZE{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)}
                               : label;
      const RECT fixed = Pixels(c.x, c.y, c.width, c.height);
      const RECT r{fixed.left, fixed.top,
                   c.width == kNaturalSize ? fixed.left + natural.cx : fixed.right,
                   c.height == kNaturalSize ? fixed.top + natural.cy : fixed.bottom};
      const int width = r.right - r.left;
      const int height = r.bottom - r.top;
      EXPECT_TRUE(inside(r)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
      if (c.kind == ControlKind::kText && !text.empty()) {
        EXPECT_LE(label.cx, width) << "\"" << text << "\" runs past its control";
        EXPECT_LE(label.cy, height) << "\"" << text << "\" runs past its control";
      }
    }
  }
  EXPECT_GT(checked, 25);
}

// A screen mode set for a while, and the one before put back on every path.
class ScreenMode {
 public:
  ScreenMode(DWORD width, DWORD height) {
    before_.dmSize = sizeof before_;
    ::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &before_);
    DEVMODEA mode = before_;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    changed_ = ::ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
  }
  ~ScreenMode() {
    if (!changed_) return;
    before_.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    ::ChangeDisplaySettingsA(&before_, 0);
    WaitForScreenWidth(static_cast<int>(before_.dmPelsWidth));
  }
  ScreenMode(const ScreenMode&) = delete;
  ScreenMode& operator=(const ScreenMode&) = delete;

  bool Changed() const { return changed_; }

  // The desktop follows a new mode a little later.
  static bool WaitForScreenWidth(int width) {
    for (int waited = 0; waited < 5000; waited += 50) {
      if (::GetSystemMetrics(SM_CXSCREEN) == width) return true;
      testing::RecordEvents(50);
    }
    return false;
  }

 private:
  DEVMODEA before_{};
  bool changed_ = false;
};

// The screen made smaller while the window was in the tray (a resolution
// changed, a laptop undocked): shown again, it lies whole in the work area.
TEST_F(MainWindowScreenshotTest, AfterTheScreenShrankWhileHiddenTheWindowShowsWholeInTheWorkArea) {
  RECT before{};
  ::GetWindowRect(NativeHandle(), &before);
  SetIconized(true);
  SetHidden(true);
  Settle();
  const ScreenMode smaller(640, 480);
  ASSERT_TRUE(smaller.Changed()) << "the system offers no 640 x 480";
  ASSERT_TRUE(ScreenMode::WaitForScreenWidth(640));
  ASSERT_GT(before.right, 640) << "the old place fits the smaller screen: this proves nothing";

  SetHidden(false);
  SetIconized(false);
  ::SetForegroundWindow(NativeHandle());
  Shot("after-screen-shrank");
  RECT now{};
  ::GetWindowRect(NativeHandle(), &now);
  // Where the shell has not caught up with the new screen (under Wine), its
  // work area still reaches past the screen.
  RECT reported{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &reported, 0);
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT workArea{};
  ::IntersectRect(&workArea, &reported, &screen);
  EXPECT_GE(now.left, workArea.left);
  EXPECT_GE(now.top, workArea.top);
  EXPECT_LE(now.right, workArea.right);
  EXPECT_LE(now.bottom, workArea.bottom);
  EXPECT_NEAR(now.left - workArea.left, workArea.right - now.right, 1) << "not centred";
}

}  // namespace
}  // namespace quellix
