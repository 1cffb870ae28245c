// The bot against ngircd as real networks run it: flood penalties on, TLS with a self-made
// certificate, a server restarted mid-match, a nick already taken, and no message of the day.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

constexpr int kWaitMs = 8000;

struct Bot {
    QTemporaryDir dir;
    QtPlatform platform{dir.path()};
    WiredApp app{platform};

    void connect(int port, bool tls = false, bool insecure = false) {
        app.view.IRConjoin = false;
        app.view.IRCServer = "127.0.0.1";
        app.view.IRCPort = std::to_string(port);
        app.view.IRCTls = tls;
        app.view.IRCTlsInsecure = insecure;
        app.dispatch([&] { ConnectIrc(app); });
    }
    bool shows(const std::string& part, int ms = kWaitMs) {
        return WaitUntil([&] { return app.view.Text1.find(part) != std::string::npos; }, ms);
    }
};

// One channel member that watches what the bots do.
bool Watch(IrcTestClient& watcher, const NgircdServer& server) {
    return watcher.connect(server.port(), "watcher") && watcher.join("#FCST");
}

TEST(IrcNetworkTest, TlsWithAnyCertificateJoinsAndWithTheCheckDoesNot) {
    NgircdServer server({.tls = true, .penalties = true});
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(Watch(watcher, server));

    Bot insecure;
    insecure.connect(server.tlsPort(), true, true);
    EXPECT_TRUE(insecure.shows("*** Warning: TLS without a certificate check"));
    EXPECT_TRUE(watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));

    Bot checked;
    checked.app.view.ircName = "Checked";
    checked.connect(server.tlsPort(), true, false);
    EXPECT_TRUE(checked.shows("*** TLS failed: "));
    EXPECT_TRUE(WaitUntil(
        [&] {
            checked.app.dispatch([&] { OnTimer1(checked.app); });
            return checked.app.view.IRCStat.rfind("TLS failed: ", 0) == 0;
        },
        kWaitMs));
    EXPECT_TRUE(checked.app.view.Command3Enabled);
}

TEST(IrcNetworkTest, ARestartedServerSeesTheBotBackInItsChannelReporting) {
    NgircdServer server({.penalties = true});
    ASSERT_TRUE(server.started()) << server.log();
    Bot bot;
    bot.connect(server.port());
    ASSERT_TRUE(bot.shows("*** You have joined: #FCST ***"));
    bot.app.irc.backoffSeconds = 1;  // the first wait is 10 s; the doubling is tested elsewhere

    ASSERT_TRUE(server.restart()) << server.log();
    EXPECT_TRUE(bot.shows("Reconnecting in "));
    IrcTestClient watcher;
    ASSERT_TRUE(Watch(watcher, server));
    EXPECT_TRUE(watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));
    bot.app.dispatch([&] { stuurMSG(bot.app, "#FCST", "=RC= captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor("PRIVMSG #FCST :=RC= captured the flag!", kWaitMs));
}

TEST(IrcNetworkTest, TwoBotsWithOneNickAndNoMessageOfTheDayBothJoin) {
    NgircdServer server({.motd = false, .penalties = true});
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(Watch(watcher, server));
    Bot first, second;
    first.connect(server.port());
    ASSERT_TRUE(watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));
    second.connect(server.port());
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));
    EXPECT_EQ(second.app.view.botNick, "FCST_");
    EXPECT_TRUE(second.shows("*** You have joined: #FCST ***"));
}

}  // namespace
}  // namespace fc::test
