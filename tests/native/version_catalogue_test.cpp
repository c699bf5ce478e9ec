#include "process/version_catalogue.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

struct Resolved {
  Text12 ide{"unchanged"};
  Text12 server{"unchanged"};
};

Resolved Resolve(std::string_view code) {
  Resolved names;
  ResolveVersion(Text12(code), names.ide, names.server);
  return names;
}

TEST(ResolveVersion, EveryCatalogueCodeGivesItsRow) {
  struct Case {
    const char* code;
    const char* ide;
    const char* server;
  };
  const Case cases[] = {
      {"C5PE", "C5PE.EXE", "C5SRVX.EXE"},    {"C5EE", "C5EE.EXE", "C5SRVX.EXE"},
      {"C55PE", "C55PE.EXE", "C55SRVX.EXE"}, {"C55EE", "C55EE.EXE", "C55SRVX.EXE"},
      {"C60PE", "C60PE.EXE", "C60SRVX.EXE"}, {"C60EE", "C60EE.EXE", "C60SRVX.EXE"},
  };
  for (const Case& c : cases) {
    const Resolved names = Resolve(c.code);
    EXPECT_EQ(names.ide.View(), Text12(c.ide).View()) << c.code;
    EXPECT_EQ(names.server.View(), Text12(c.server).View()) << c.code;
  }
}

TEST(ResolveVersion, TheDefaultCodeIsBlankPaddedToTwelve) {
  const Resolved names = Resolve("C60EE       ");
  EXPECT_EQ(names.ide.View(), "C60EE.EXE   ");
  EXPECT_EQ(names.server.View(), "C60SRVX.EXE ");
}

TEST(ResolveVersion, LowerCaseAndTrailingBlanksResolveLikeTheUpperCaseCode) {
  EXPECT_EQ(Resolve("c5ee").ide.Trimmed(), "C5EE.EXE");
  EXPECT_EQ(Resolve("c5ee").server.Trimmed(), "C5SRVX.EXE");
  EXPECT_EQ(Resolve("C55pe   ").server.Trimmed(), "C55SRVX.EXE");
}

TEST(ResolveVersion, CodesOutsideTheCatalogueChangeNeitherName) {
  for (const char* code : {"", " C60EE", "C70EE", "C60EE.EXE", "C6 0EE", "C60EEX"}) {
    const Resolved names = Resolve(code);
    EXPECT_EQ(names.ide.Trimmed(), "unchanged") << '"' << code << '"';
    EXPECT_EQ(names.server.Trimmed(), "unchanged") << '"' << code << '"';
  }
}

TEST(ResolveVersion, SwitchingBetweenEditionsOfOneReleaseChangesOnlyTheIde) {
  Text12 ide;
  Text12 server;
  ResolveVersion(Text12("C55PE"), ide, server);
  ResolveVersion(Text12("C55EE"), ide, server);
  EXPECT_EQ(ide.Trimmed(), "C55EE.EXE");
  EXPECT_EQ(server.Trimmed(), "C55SRVX.EXE");
}

}  // namespace
}  // namespace quellix
