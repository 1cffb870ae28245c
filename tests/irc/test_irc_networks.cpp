// The bot against ngircd as real networks run it: flood penalties on, TLS with a self-made
// certificate, no message of the day, a nick already taken, and a server restarted mid-match.
#include "real_bot.h"

namespace fc::test {
namespace {

constexpr int kWaitMs = 8000;

TEST(IrcNetwork, TlsNickInUseNoMotdAndARestartedServer) {
    NgircdServer server({.motd = false, .tls = true, .penalties = true});
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(Joined(watcher, server, "watcher"));

    RealBot insecure, checked, second;
    insecure.connect(server.tlsPort(), true, true);
    EXPECT_TRUE(insecure.shows("*** Warning: TLS without a certificate check"));
    EXPECT_TRUE(watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));  // after 422

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

    second.connect(server.port());  // the nick is taken: "_" is tried
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));
    EXPECT_EQ(second.app.view.botNick, "FCST_");
    EXPECT_TRUE(second.shows("*** You have joined: #FCST ***"));
    second.app.dispatch([&] { QuitIrc(second.app); });

    insecure.app.irc.backoffSeconds = 1;  // the first wait is 10 s; the doubling is pinned apart
    ASSERT_TRUE(server.restart()) << server.log();
    EXPECT_TRUE(insecure.shows("Reconnecting in "));
    IrcTestClient back;
    ASSERT_TRUE(Joined(back, server, "watcher"));
    EXPECT_TRUE(back.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", kWaitMs));
    insecure.app.dispatch([&] { stuurMSG(insecure.app, "#FCST", "=RC= captured the flag!"); });
    EXPECT_TRUE(back.waitFor("PRIVMSG #FCST :=RC= captured the flag!", kWaitMs));
}

}  // namespace
}  // namespace fc::test
