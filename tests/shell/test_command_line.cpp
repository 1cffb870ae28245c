// The command line is a contract with scripts: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include "shell/command_line.h"

namespace fc {
namespace {

TEST(CommandLine, HeadlessRunWithAllOptions) {
    const auto p = ParseCommandLine({"--headless", "--json", "--server", "10.0.0.5 x", "--dir",
                                     "/tmp/fc", "--duration", "2.5"});
    ASSERT_EQ(p.error, "");
    EXPECT_TRUE(p.options.headless);
    EXPECT_TRUE(p.options.json);
    EXPECT_EQ(p.options.server, "10.0.0.5 x");
    EXPECT_EQ(p.options.dir, "/tmp/fc");
    EXPECT_EQ(p.options.durationSeconds, 2.5);
}

TEST(CommandLine, WindowIsTheDefault) {
    const auto p = ParseCommandLine({});
    EXPECT_EQ(p.error, "");
    EXPECT_FALSE(p.options.headless);
    EXPECT_EQ(ParseCommandLine({"--dir", "x"}).error, "");
}

TEST(CommandLine, BadArgumentsAreNamed) {
    EXPECT_NE(ParseCommandLine({"--bogus"}).error.find("--bogus"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--headless", "--server"}).error.find("--server"),
              std::string::npos);
    EXPECT_NE(ParseCommandLine({"--headless", "--duration", "soon"}).error.find("soon"),
              std::string::npos);
    EXPECT_NE(ParseCommandLine({"--headless", "--duration", "-1"}).error, "");
    EXPECT_NE(ParseCommandLine({"--headless", "--server", ""}).error, "");
    EXPECT_NE(ParseCommandLine({"--json"}).error, "");  // a window has no JSON to print
}

TEST(CommandLine, VersionAndHelp) {
    EXPECT_TRUE(ParseCommandLine({"--version"}).options.showVersion);
    EXPECT_TRUE(ParseCommandLine({"--help"}).options.showHelp);
    EXPECT_NE(UsageText().find("--headless"), std::string::npos);
}

}  // namespace
}  // namespace fc
