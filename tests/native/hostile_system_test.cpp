// The system as other programs leave it: processes that end or change while
// the program looks at them, names no sane executable has, and tables of
// processes drawn at random. Whatever they hold, a kill ends only what the
// kill's own scan shows under the edition's server name or as NTVDM.EXE.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app/refresh_and_kill.h"
#include "app_test_fixture.h"
#include "process/process_texts.h"
#include "process/version_catalogue.h"
#include "ui/control_numbers.h"

namespace quellix {
namespace {

using namespace control;
using sim::Call;
using sim::CallMade;
using ::testing::ElementsAre;

constexpr DWORD kServer = 40;

class HostileSystemTest : public testing::StartedProgramTest {
 protected:
  void AddSystemProcesses() override {
    StartedProgramTest::AddSystemProcesses();
    System().AddProcess(kServer, "C60SRVX.EXE");
  }
  // Runs action the first time call is made from now on.
  static void OnNext(Call call, std::function<void()> action) {
    const int time = System().callsMade[call] + 1;
    System().beforeCall = [call, time, action](CallMade made) {
      if (made == CallMade{call, time}) action();
    };
  }
};

TEST_F(HostileSystemTest, AServerEndingBetweenTheEnumerationAndItsInspectionIsSpared) {
  // The kill's scan lists the server's id; the server ends before it is
  // opened, so its row is "<unknown>" and nothing is ended in its name.
  OnNext(Call::kOpenProcessToInspect, [] { System().RemoveProcess(kServer); });
  PressKill();
  EXPECT_TRUE(System().terminations.empty());
  EXPECT_EQ(System().callsMade[Call::kTerminateProcess], 0);
  EXPECT_TRUE(System().messageBoxes.empty());
}

TEST_F(HostileSystemTest, AServerEndingBetweenTheScanAndItsTerminationIsPassedOver) {
  OnNext(Call::kOpenProcessToTerminate, [] { System().RemoveProcess(kServer); });
  PressKill();
  EXPECT_TRUE(System().terminations.empty());
  EXPECT_EQ(System().callsMade[Call::kTerminateProcess], 0) << "no handle, so no call";
  // The second rebuild shows what still runs.
  EXPECT_EQ(Model().ControlText(kTitleString), "2 Processes");
}

TEST_F(HostileSystemTest, AnIdReusedByAnotherProgramSinceTheLastScanIsNotEnded) {
  RefreshProcessCount();
  ASSERT_NE(App().processList.FindByAppPath("C60SRVX.EXE"), nullptr);
  // The server ends; another program is given its id; the server starts again
  // under a new one.
  System().RemoveProcess(kServer);
  System().AddProcess(kServer, "notepad.exe");
  System().AddProcess(96, "C60SRVX.EXE");
  PressKill();
  EXPECT_THAT(Terminated(), ElementsAre(96u));
  ASSERT_NE(System().FindProcess(kServer), nullptr);
  EXPECT_EQ(System().FindProcess(kServer)->name, "notepad.exe");
}

TEST_F(HostileSystemTest, HostileNamesAreBoundedAndMatchedOnlyAsTheyStand) {
  const std::string server = "C60SRVX.EXE";
  struct Case {
    std::string name;
    bool ended;
  };
  const std::vector<Case> cases{
      {server + "   ", true},  // trailing blanks do not count
      {" " + server, false},
      {"c60srvx.exe", false},
      {"C60SRVX.exe", false},
      {"C60SRVX.EX\xC9", false},  // another code page's letter
      {"C60SRVX.EXE\t", false},
      {server + std::string(300, ' '), true},         // cut to 255: still blanks
      {server + std::string(244, ' ') + "X", true},   // the X lies beyond 255
      {server + std::string(243, ' ') + "X", false},  // the X is the 255th
      {std::string(255, 'C'), false},
      {std::string(1000, '\xFF'), false},
      {"", false},
      {std::string("C60SRVX\0.EXE", 12), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("name of " + std::to_string(c.name.size()) +
                 " characters: " + c.name.substr(0, 24));
    System().RemoveProcess(kServer);
    System().terminations.clear();
    System().AddProcess(kServer, c.name);
    PressKill();
    EXPECT_EQ(Terminated(), c.ended ? std::vector<DWORD>{kServer} : std::vector<DWORD>{});
    for (const ProcessRow& row : App().processList.Rows()) {
      EXPECT_LE(row.APPPATH.Trimmed().size(), 255u);
    }
  }
}

TEST_F(HostileSystemTest, HostileTaskPathsEndNoTaskButTheIdesOwn) {
  sim::Process& vdm = System().AddProcess(44, "NTVDM.EXE");
  vdm.hostsWow = true;
  vdm.tasks = {{45, 0x11, std::string(600, '\\')},
               {46, 0x12, "C:\\" + std::string(300, 'A') + "\\C60EE.EXE"},  // cut before the name
               {47, 0x13, "c:\\clarion6\\bin\\c60ee.exe"},
               {48, 0x14, ""},
               {49, 0x15, "C60EE.EXE\\"},
               {50, 0x16, "D:\\C60EE.EXE"}};
  PressKill();
  EXPECT_THAT(System().taskTerminations, ElementsAre(sim::TaskTermination{44, 0x16, true}));
}

// Tables of processes drawn at random from names that matter and names that
// nearly do, with every edition and both kill variants: each process ended
// carries the chosen edition's server name or is NTVDM.EXE, and one of each at
// most is ended per kill.
TEST_F(HostileSystemTest, OverRandomSystemsOnlyTheEditionsServerAndNtvdmAreEverEnded) {
  const std::vector<std::string> names{"C5SRVX.EXE",
                                       "C55SRVX.EXE",
                                       "C60SRVX.EXE",
                                       "c60srvx.exe",
                                       "C60SRVX.EXE ",
                                       " C60SRVX.EXE",
                                       "NTVDM.EXE",
                                       "ntvdm.exe",
                                       "NTVDM.EXE.",
                                       "C60EE.EXE",
                                       "C5PE.EXE",
                                       "explorer.exe",
                                       "",
                                       std::string(300, 'N'),
                                       "C60SRVX.EXEX"};
  std::mt19937 random(20261208);
  int ended = 0;
  for (int round = 0; round < 200; ++round) {
    System().processes.clear();
    System().terminations.clear();
    const int count = std::uniform_int_distribution<int>(0, 12)(random);
    for (int i = 0; i < count; ++i) {
      sim::Process& p = System().AddProcess(
          static_cast<DWORD>(100 + 4 * i),
          names[std::uniform_int_distribution<std::size_t>(0, names.size() - 1)(random)]);
      p.deniesQuery = random() % 7 == 0;
      p.deniesTerminate = random() % 7 == 0;
    }
    const CatalogueRow& edition = kVersionCatalogue[random() % kVersionCatalogue.size()];
    App().versionCode.Assign(edition.key.substr(0, edition.key.size() - 4));
    ResolveVersion(App().versionCode, App().ideName, App().serverName);
    App().killTarget.Assign(random() % 2 ? "NTVDM.EXE" : "");
    const std::vector<sim::Process> before = System().processes;
    PressKill();

    int servers = 0;
    int vdms = 0;
    for (const sim::Termination& t : System().terminations) {
      const auto was = std::find_if(before.begin(), before.end(),
                                    [&](const sim::Process& p) { return p.id == t.processId; });
      ASSERT_NE(was, before.end());
      const bool isServer = PaddedEqual(was->name, edition.serverName);
      // The scan knows NTVDM.EXE in any case.
      std::string upper = was->name;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const bool isVdm = upper == kNtvdmName;
      EXPECT_TRUE(isServer || isVdm) << "ended " << was->name << " for " << edition.key;
      EXPECT_FALSE(was->deniesTerminate);
      ++ended;
      servers += isServer;
      vdms += isVdm;
    }
    EXPECT_LE(servers, 1);
    EXPECT_LE(vdms, App().killTarget.Trimmed() == "NTVDM.EXE" ? 1 : 0);
  }
  EXPECT_GE(ended, 50) << "the tables should give the kills something to end";
}

}  // namespace
}  // namespace quellix
