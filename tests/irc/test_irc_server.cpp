// The bot on real sockets against ngircd on loopback, watched by a client in the channel.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/login.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/services_network.h"
#include "support/udp_responder.h"

namespace fc::test {
namespace {

struct RealBot {
    QTemporaryDir dir;
    QtPlatform platform{dir.path()};
    WiredApp app{platform};

    void connect(int port, bool tls = false, bool insecure = false) {  // paced but quickly
        auto& s = app.settings;
        s.ircServer = "127.0.0.1", s.ircPort = std::to_string(port), s.ircLineGapMs = "100";
        s.greetOnJoin = false, s.ircTls = tls, s.ircTlsInsecure = insecure;
        app.dispatch([&] { connectIrc(app); });
    }
    bool until(const std::function<bool()>& done) { return waitUntil(done, 8000); }
    bool shows(const std::string& part) {
        return until([&] { return app.irc.ircOutput.find(part) != std::string::npos; });
    }
};

// The server is up and the client in the channel (the first there is its operator).
bool hasJoined(IrcTestClient& client, const NgircdServer& server) {
    return server.started() && client.connect(server.port(), "watcher") && client.join("#FCST");
}

const std::string kBot = ":FCST!~fcst@127.0.0.1 ";

TEST(IrcServer, RegistersIsBannedAndStopsOnlyForTheAdmin) {
    NgircdServer server;
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();
    RealBot bot;
    bot.app.settings.killAllowedFrom = "Watcher", bot.app.settings.killPassword = "pw";
    bot.app.antiBanTimer->setInterval(300);  // the ten seconds are pinned on the virtual clock
    bot.connect(server.port());              // no registration without the first PING answered
    ASSERT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST")) << bot.app.irc.ircOutput;
    bot.app.dispatch([&] { sayInChannel(bot.app, "#FCST", "\x02=RC=\x02 captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :\x02=RC=\x02 captured the flag!"));

    // Banned and kicked, it retries the join and is back once the ban is lifted.
    watcher.send("MODE #FCST +b FCST!*@*");
    watcher.send("KICK #FCST FCST :banned");
    EXPECT_TRUE(bot.until([&] { return bot.app.antiBanTimer->enabled(); }));
    watcher.send("MODE #FCST -b FCST!*@*");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));

    // ngircd has no accounts: the password it is. The server puts the reason of a QUIT in quotes.
    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_TRUE(bot.shows("refused: not logged in as watcher and no password given."));
    watcher.send("PRIVMSG FCST :!killyourself pw");
    EXPECT_TRUE(
        watcher.waitFor(kBot + "QUIT :\"Remotely closed! - OMG! Somebody is controlling me!\""));
    EXPECT_TRUE(bot.until([&] { return bot.app.irc.ircStatus == "Not connected"; }));

    // The refusal Qt reports for a port nobody listens on is shown as the operator reads it.
    server.stop();
    bot.app.settings.ircReconnect = false;
    bot.connect(server.port());
    EXPECT_TRUE(bot.until([&] { return bot.app.irc.ircStatus == "Server or hostname not found"; }));
}

TEST(IrcNetwork, TlsNickInUseNoMotdAndARestartedServer) {
    NgircdServer server({.motd = false, .tls = true, .penalties = true});
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();
    RealBot insecure, checked, second;
    insecure.connect(server.tlsPort(), true, true);
    EXPECT_TRUE(
        insecure.shows("*** Warning: TLS without a certificate check; anyone on the way can read "
                       "and change what the bot says."));
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST", 8000));  // after 422
    checked.app.settings.ircName = "Checked";
    checked.connect(server.tlsPort(), true, false);
    EXPECT_TRUE(checked.shows("*** TLS failed: "));

    second.connect(server.port());  // the nick is taken: "_" is tried
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 JOIN :#FCST", 8000));
    second.app.dispatch([&] { quitIrc(second.app); });
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 QUIT :", 8000));  // sent before the close

    // Lines said while the server is away wait; the client is in the new channel first.
    insecure.app.irc.backoffSeconds = 8;  // the doubling waits are pinned apart
    ASSERT_TRUE(server.restart()) << server.log();
    EXPECT_TRUE(insecure.shows("Reconnecting in "));
    insecure.app.dispatch([&] { sayInChannel(insecure.app, "#FCST", "=RC= captured the flag!"); });
    IrcTestClient back;
    ASSERT_TRUE(hasJoined(back, server));
    EXPECT_TRUE(back.waitFor(kBot + "JOIN :#FCST", 15000));
    EXPECT_TRUE(back.waitFor(kBot + "PRIVMSG #FCST :=RC= captured the flag!"));
}

// A network with services: the bot logs in with SASL before it joins, its text arrives as UTF-8,
// client queries are answered as clients expect, a NOTICE never, and a listed nick without the
// account cannot stop it.
TEST(IrcServices, SaslLoginUtf8ClientQueriesAndAStopRefusedWithoutTheAccount) {
    if (!ServicesNetwork::installed()) GTEST_SKIP() << "inspircd or atheme-services missing";
    ServicesNetwork network;
    ASSERT_TRUE(network.started()) << network.log();
    IrcTestClient owner, watcher;  // the owner registers the bot's account with NickServ
    ASSERT_TRUE(owner.connect(network.port(), "FCST"));
    owner.send("PRIVMSG NickServ :REGISTER sesame fcst@fragcaster.test");
    ASSERT_TRUE(owner.waitFor("is now registered")) << network.log();
    owner.send("QUIT");
    ASSERT_TRUE(watcher.connect(network.port(), "watcher") && watcher.join("#FCST"));
    RealBot bot;
    auto& s = bot.app.settings;
    s.ircSaslUser = "FCST", s.ircSaslPassword = "sesame", s.killAllowedFrom = "watcher";
    bot.connect(network.port());
    ASSERT_TRUE(watcher.waitFor(":FCST!fcst@127.0.0.1 JOIN")) << bot.app.irc.ircOutput;
    EXPECT_EQ(loginStateText(bot.app), "ok");
    bot.app.dispatch([&] { sayInChannel(bot.app, "#FCST", "Jos\xE9 \x95 captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor("PRIVMSG #FCST :Jos\xC3\xA9 \xE2\x80\xA2 captured the flag!"));
    watcher.send("PRIVMSG FCST :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor("NOTICE watcher :\x01VERSION Fragcaster Version 1.33 Build  "));
    bot.app.irc.ignoreList.clear();  // each answer counts against the ignore time
    watcher.send("PRIVMSG FCST :\x01PING 1733600000 123\x01");
    EXPECT_TRUE(watcher.waitFor("NOTICE watcher :\x01PING 1733600000 123\x01"));
    bot.app.irc.ignoreList.clear();
    watcher.send("NOTICE FCST :!info");
    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_TRUE(bot.shows("*** !killyourself from watcher refused: not logged in as watcher"));
    EXPECT_FALSE(watcher.waitFor("Build:", 300));  // no !info answer to the NOTICE
    EXPECT_EQ(bot.app.irc.ircStatus, "Connected!");
}

}  // namespace
}  // namespace fc::test
