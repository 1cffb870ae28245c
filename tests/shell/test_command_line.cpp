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

TEST(CommandLine, IrcBotOptions) {
    const auto p = ParseCommandLine({"--headless", "--irc", "irc.example.net:6670", "--channel",
                                     "#war", "--nick", "Caster", "--key", ""});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.ircHost, "irc.example.net");
    EXPECT_EQ(p.options.ircPort, 6670);
    EXPECT_EQ(p.options.ircChannel, "#war");
    EXPECT_EQ(p.options.ircNick, "Caster");
    EXPECT_EQ(p.options.ircKey, "");

    auto address = [](const std::string& text) {
        const auto q = ParseCommandLine({"--headless", "--irc", text});
        return q.error.empty() ? *q.options.ircHost + " " + std::to_string(q.options.ircPort)
                               : "error";
    };
    EXPECT_EQ(address("localhost"), "localhost 6667");
    EXPECT_EQ(address("::1"), "::1 6667");
    EXPECT_EQ(address("[::1]:7000"), "::1 7000");
    for (const char* bad :
         {"", "host:", "host:0", "host:65536", "host:66x", "[::1", "[::1]x", ":1"})
        EXPECT_EQ(address(bad), "error") << bad;

    EXPECT_NE(ParseCommandLine({"--headless", "--irc", "h:x"}).error.find("h:x"),
              std::string::npos);
    EXPECT_NE(ParseCommandLine({"--headless", "--nick", ""}).error, "");
    EXPECT_NE(ParseCommandLine({"--headless", "--channel"}).error, "");
    EXPECT_NE(ParseCommandLine({"--irc", "localhost"}).error, "");  // the window has its fields
}

TEST(CommandLine, TlsAndReconnectForThisRunOnly) {
    struct Case {
        std::vector<std::string> args;
        bool tls, insecure, noReconnect, portGiven;
    };
    const Case cases[] = {
        {{"--headless", "--irc", "h"}, false, false, false, false},
        {{"--headless", "--irc", "h:7000", "--tls"}, true, false, false, true},
        {{"--headless", "--tls-insecure"}, true, true, false, false},
        {{"--headless", "--no-reconnect"}, false, false, true, false},
    };
    for (const Case& c : cases) {
        const auto p = ParseCommandLine(c.args);
        ASSERT_EQ(p.error, "") << c.args.back();
        EXPECT_EQ(p.options.tls, c.tls) << c.args.back();
        EXPECT_EQ(p.options.tlsInsecure, c.insecure) << c.args.back();
        EXPECT_EQ(p.options.noReconnect, c.noReconnect) << c.args.back();
        EXPECT_EQ(p.options.ircPortGiven, c.portGiven) << c.args.back();
    }
    EXPECT_NE(ParseCommandLine({"--tls"}).error, "");  // the window has its check box
}

TEST(CommandLine, ReplaySpeedAndRecord) {
    const auto p = ParseCommandLine(
        {"--headless", "--replay", "demos/a.rec", "--speed", "50", "--record", "b.rec"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.replay, "demos/a.rec");
    EXPECT_EQ(p.options.speed, 50);
    EXPECT_EQ(p.options.record, "b.rec");
    EXPECT_EQ(ParseCommandLine({"--headless"}).options.speed, 1);
    const std::vector<std::vector<std::string>> refused = {
        {"--headless", "--speed", "0.05"},
        {"--headless", "--speed", "1001"},
        {"--headless", "--speed", "fast"},
        {"--headless", "--replay", ""},
        {"--headless", "--record"},
        {"--replay", "a.rec"},
        {"--headless", "--replay", "a.rec", "--server", "10.0.0.5"}};
    for (const auto& args : refused) EXPECT_NE(ParseCommandLine(args).error, "") << args.back();
}

TEST(CommandLine, VersionAndHelp) {
    EXPECT_TRUE(ParseCommandLine({"--version"}).options.showVersion);
    EXPECT_TRUE(ParseCommandLine({"--help"}).options.showHelp);
    EXPECT_NE(UsageText().find("--headless"), std::string::npos);
}

TEST(CommandLine, InterpOptions) {
    const auto p = ParseCommandLine(
        {"--headless", "--interp-port", "13490", "--interp-events", "got,scores,server"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.interpPort, 13490);
    EXPECT_EQ(p.options.interpEvents, (std::vector<std::string>{"got", "scores", "server"}));
    EXPECT_EQ(ParseCommandLine({"--headless"}).options.interpEvents, std::nullopt);
    EXPECT_EQ(ParseCommandLine({"--headless", "--interp-events", "none"}).options.interpEvents,
              std::vector<std::string>{});

    const char* const refused[][3] = {
        {"--headless", "--interp-port", "0"},      {"--headless", "--interp-port", "65536"},
        {"--headless", "--interp-port", "34x"},    {"--headless", "--interp-events", "quad,"},
        {"--headless", "--interp-events", "Quad"}, {"--headless", "--interp-events", ""},
        {"--dir", "--interp-port", "3490"},
    };
    for (const auto& args : refused) {
        const auto q = ParseCommandLine({args[0], args[1], args[2]});
        EXPECT_NE(q.error, "") << args[1] << " " << args[2];
    }
    EXPECT_NE(ParseCommandLine({"--interp-events", "quad"}).error, "");
}

}  // namespace
}  // namespace fc
