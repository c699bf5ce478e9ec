// What a screen reader reads of the program's window, page by page, the way it
// reads it: Microsoft Active Accessibility's objects of the window's children,
// found from the window's own, and each named. Under Wine a list box's object
// lists no lines, so the list is read through the strings Windows reads its
// lines from.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "common/product.h"
#include "program_in_process.h"
#include "ui/control_numbers.h"
#include "winsvc/main_window_model.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using namespace control;

// A program text in UTF-16; those below are plain ASCII.
std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

struct Read {
  std::wstring name;
  LONG role = 0;
};

// The name and role an object gives of itself.
Read ReadObject(IAccessible* object) {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  Read read;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name)) && name) {
    read.name = name;
    ::SysFreeString(name);
  }
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
  return read;
}

// The shown children of the window, as its object lists them, each read
// through its client area's object; by control number.
std::map<ControlNumber, Read> ReadShownChildren(HWND window) {
  std::map<ControlNumber, Read> reads;
  IAccessible* parent = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&parent)))) {
    return reads;
  }
  long count = 0;
  parent->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long obtained = 0;
  ::AccessibleChildren(parent, 0, count, children.data(), &obtained);
  for (long i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<std::size_t>(i)];
    HWND childWindow = nullptr;
    IAccessible* childObject = nullptr;
    if (child.vt == VT_DISPATCH && child.pdispVal &&
        SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&childObject)))) {
      ::WindowFromAccessibleObject(childObject, &childWindow);
      childObject->Release();
    }
    ::VariantClear(&child);
    IAccessible* client = nullptr;
    if (!childWindow || !::IsWindowVisible(childWindow) ||
        FAILED(::AccessibleObjectFromWindow(childWindow, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&client)))) {
      continue;
    }
    reads[::GetDlgCtrlID(childWindow)] = ReadObject(client);
    client->Release();
  }
  parent->Release();
  return reads;
}

// Digits grouped in threes with a blank between, as the list shows numbers.
std::wstring Grouped(long long number) {
  std::wstring digits = std::to_wstring(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, L" ");
  return digits;
}

std::vector<HWND> namesChanged;
void CALLBACK NoteNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_WINDOW) namesChanged.push_back(window);
}

class ScreenReaderTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ProgramTest::SetUp();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    ::CoUninitialize();
  }
};

TEST_F(ScreenReaderTest, EachPageReadsItsTextsLinksButtonsAndOptions) {
  const std::wstring web = Wide("Web Site: ") + Wide(kWebSite);
  const std::wstring mail = Wide("Email: ") + Wide(kMailAddress);
  const std::map<ControlNumber, std::wstring> pages[] = {
      {{kToolNameString, L"Quellix"},
       {kVersionString, Wide("Version ") + Wide(kVersionText)},
       {kAuthorString, Wide("Written by: ") + Wide(kAuthors)},
       {kCopyrightString, Wide(kCopyright)},
       {kWebString, web},
       {kMailString, mail},
       {kWebRegion, web},  // the links, named by the texts they lie over
       {kMailRegion, mail},
       {kButtonClose, L"Close"},
       {kString9, L"Warning: "},
       {kString7, L""},
       {kString8, L""},
       {kString10, L""},
       {kString11, L""}},
      {{kTitleString, L"Processes running..."},
       {kString12, L"N\u00B0"},
       {kString13, L"ID"},
       {kString14, L"Task16"},
       {kString15, L"AppName"},
       {kProcessList, L""},
       {kButtonKill, L"Quellix"},
       {kButtonQuit, L"Quit"}},
      {{kSelectClarionVersion, L"Select Clarion version"},
       {kClarionVersion, L" Quellix Version "},
       {kOption1Radio1, L"Clarion 5.0 PE"},
       {kOption1Radio2, L"Clarion 5.0 EE"},
       {kOption1Radio3, L"Clarion 5.5 PE"},
       {kOption1Radio4, L"Clarion 5.5 EE"},
       {kOption1Radio5, L"Clarion 6.x PE"},
       {kOption1Radio6, L"Clarion 6.x EE"}},
  };
  testing::ShowWindowFromTray();
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(::testing::Message() << "page " << page);
    SelectControl(page == 1 ? kTab1 : page == 2 ? kTab2 : kTab3, 0);
    testing::RunUntilIdle();
    const std::map<ControlNumber, Read> reads = ReadShownChildren(NativeHandle());
    std::map<ControlNumber, std::wstring> names;
    for (const auto& [control, read] : reads) {
      // A list box is named by its label on Windows, by nothing under Wine.
      names[control] = control == kProcessList ? L"" : read.name;
      if (control == kWebRegion || control == kMailRegion) {
        EXPECT_EQ(read.role, ROLE_SYSTEM_LINK) << control;
      }
    }
    EXPECT_EQ(names, pages[page - 1]);
  }
}

TEST_F(ScreenReaderTest, TheListsLinesAreNamedByTheirCellsAndTheCountAnnouncesItsChange) {
  testing::DummyFolder folder;
  const testing::DummyProcess server = testing::StartListed(folder, "C60SRVX.EXE");
  testing::ShowWindowFromTray();
  const HWINEVENTHOOK hook =
      ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &NoteNameChange,
                        ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  namesChanged.clear();
  testing::PressControl(kTitleRegion);  // the count, and the Processes page
  ::UnhookWinEvent(hook);
  ASSERT_EQ(CurrentTab(kCurrentTab), 2);

  const HWND title = ::GetDlgItem(NativeHandle(), kTitleString);
  const std::wstring count = std::to_wstring(App().processCount) + L" Processes";
  EXPECT_EQ(ReadShownChildren(NativeHandle())[kTitleString].name, count);
  EXPECT_NE(std::find(namesChanged.begin(), namesChanged.end(), title), namesChanged.end())
      << "the new count was not announced; events: " << namesChanged.size();

  const HWND list = ::GetDlgItem(NativeHandle(), kProcessList);
  const std::vector<ProcessRow>& rows = App().processList.Rows();
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(rows.size()));
  int checked = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ProcessRow& row = rows[i];
    if (row.ID != static_cast<std::int32_t>(server.Id())) continue;
    std::wstring line(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    // No task number: a process that is not a VDM has none, and a blank cell
    // is not read.
    EXPECT_EQ(line, Grouped(row.NO) + L", " + Grouped(row.ID) + L", C60SRVX.EXE");
    ++checked;
  }
  EXPECT_EQ(checked, 1) << "the server's line was not found";
}

}  // namespace
}  // namespace quellix
