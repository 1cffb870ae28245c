// The headless program as a process: its replies as JSON, the shipped demo, recording, the
// settings it keeps between runs and those a command line gives for one run only, the IRC
// server of the settings, and how a run ends.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <csignal>

#include "core/text_util.h"
#include "headless_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

const std::string kQ3Query = "\xFF\xFF\xFF\xFFgetstatus";

// A Quake 3 server on loopback that answers every status query with `reply`.
struct Quake3Server {
    explicit Quake3Server(std::string bytes) : reply(std::move(bytes)) {}
    std::string entry() const { return "127.0.0.1:" + std::to_string(responder.port()); }
    std::string reply;
    UdpResponder responder{[this](const std::string& q) -> std::optional<std::string> {
        if (q == kQ3Query) return reply;
        return std::nullopt;
    }};
};

// Family, game, map, state and the players as "name/score/ping".
std::string summary(const QJsonObject& o) {
    QString text = o["gameFamily"].toString() + " " + o["qsGame"].toString() + " " +
                   o["qsMap"].toString() + " " + QString::number(o["matchState"].toInt(-1));
    for (const QJsonValue p : o["players"].toArray()) {
        for (const char* key : {"name", "score", "ping"})
            text += (key[0] == 'n' ? " " : "/") + p.toObject()[key].toString();
    }
    return text.toStdString();
}

using HeadlessProgram = HeadlessTest;

// One run prints each reply as JSON and records it with its time: " 45678.12" (seconds since
// midnight), CRLF, the reply's bytes, CRLF.
TEST_F(HeadlessProgram, MonitorsTheServerOfTheSettingsPrintsEachReplyAsJsonAndRecordsIt) {
    Quake3Server server(
        quake3Reply({{"version", "ioq3 1.36"}, {"gamename", "baseoa"}, {"mapname", "oa_dm1"}},
                    {{"7", "33", "^1=RC=^7Sarge"}, {"-2", "999", "W\xE9ird \"q\""}}));
    writeSettings("Q2Selected = " + server.entry() + " home\r\n; End of INI\r\n");
    ASSERT_EQ(run({"--json", "--duration", "3.5", "--record", "match.rec"}), 0) << err;
    const auto replies = events("reply");
    ASSERT_GE(replies.size(), 2u);  // ticks at 1 s and 3 s
    EXPECT_EQ(replies.size(),
              static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')));  // nothing else
    for (const QJsonObject& o : replies)
        EXPECT_EQ(summary(o), "Q3 baseoa oa_dm1 0 =RC=Sarge/7/33 W\xC3\xA9ird q/-2/999");
    EXPECT_TRUE(settingsHold("Q2Selected = " + server.entry() + " home"));
    const std::string file = read("match.rec");
    std::size_t records = 0;
    for (std::size_t at = 0; at < file.size(); ++records) {
        const std::size_t cr = file.find("\r\n", at);
        ASSERT_NE(cr, std::string::npos);
        EXPECT_EQ(file[at], ' ');
        EXPECT_EQ(file.find_first_not_of("0123456789.", at + 1), cr) << file.substr(at, cr - at);
        ASSERT_EQ(file.substr(cr + 2, server.reply.size() + 2), server.reply + "\r\n");
        at = cr + 4 + server.reply.size();
    }
    EXPECT_EQ(records, replies.size());
}

TEST_F(HeadlessProgram, ShippedDemoIsReplayedAsTheBotSaysIt) {
    QDir().mkpath(path("demos"));
    const QString demos = FRAGCASTER_DEMOS_DIR;
    ASSERT_TRUE(QFile::copy(demos + "/orvexa.ini", path("orvexa.ini")));
    ASSERT_TRUE(QFile::copy(demos + "/ctf_oa_ctf4ish_x4.rec", path("demos/ctf_oa.rec")));
    ASSERT_EQ(run({"--replay", "demos/ctf_oa.rec", "--speed", "1000"}), 0) << err;
    EXPECT_EQ(out.rfind("[#FCST] *** MATCH BEGIN *** Map playing: oa_ctf4ish ", 0), 0u) << out;
    // The capturers in the order of the server's own game log.
    std::vector<std::string> capturers;
    for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
        const auto by = line.indexOf(" flag captured by "), end = line.indexOf(" -- ", by + 1);
        if (line.startsWith("[#FCST] CAPTURE! ") && by > 0 && end > by)
            capturers.push_back(line.mid(by + 18, end - by - 18).toStdString());
    }
    EXPECT_EQ(capturers, (std::vector<std::string>{"=RC=Grunt", "[BC]Grism", "=RC=Major"}));
}

// --demo finds the demo match beside the program: in the build (the source tree's, with its
// settings), in an install's share/fragcaster/demos, or nowhere. What it prints: the match's
// begin, three captures and the final score, styled only on a terminal without NO_COLOR.
TEST_F(HeadlessProgram, DemoReplaysTheShippedMatchWhereverItLies) {
    enum Layout { Build, Installed, InstalledRecordingOnly, Nowhere };
    const struct {
        const char* name;
        Layout layout;
        bool terminal, noColor;
        int code;
        const char* capture;  // what marks a capture line
        bool styled;
    } cases[] = {
        {"the build's demo, piped", Build, false, false, 0, "] CAPTURE! [BC] ", false},
        {"an install's demo with its capture line", Installed, false, false, 0, "] CAPTURE! ",
         false},
        {"the default capture line on a terminal is styled", InstalledRecordingOnly, true, false, 0,
         "Cap by", true},
        {"NO_COLOR keeps a terminal plain", InstalledRecordingOnly, true, true, 0, "Cap by", false},
        {"piped, the default capture line is plain", InstalledRecordingOnly, false, false, 0,
         "Cap by", false},
        {"no demo beside the program", Nowhere, false, false, 2, "", false},
    };
    const QString demos = FRAGCASTER_DEMOS_DIR;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        QString binary = FRAGCASTER_BINARY;
        if (c.layout != Build) {
            QDir(root.path()).mkpath("bin");
            binary = root.filePath("bin/fragcaster");
            ASSERT_TRUE(QFile::link(FRAGCASTER_BINARY, binary));
            const QString share = root.filePath("share/fragcaster/demos/");
            QDir().mkpath(share);
            if (c.layout != Nowhere)
                QFile::copy(demos + "/ctf_oa_ctf4ish_x4.rec", share + "ctf_oa_ctf4ish_x4.rec");
            if (c.layout == Installed) QFile::copy(demos + "/orvexa.ini", share + "orvexa.ini");
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root.filePath("home"));
        env.insert("XDG_CONFIG_HOME", root.filePath("home/.config"));
        env.remove("NO_COLOR");
        if (c.noColor) env.insert("NO_COLOR", "1");
        program.setProcessEnvironment(env);
        int terminal = -1, terminalSide = -1;
        if (c.terminal) {
            ASSERT_EQ(::openpty(&terminal, &terminalSide, nullptr, nullptr, nullptr), 0);
            program.setStandardOutputFile(QString::fromLocal8Bit(::ttyname(terminalSide)));
        }
        program.start(binary, {"--demo"});
        ASSERT_EQ(finish(), c.code) << err;
        if (c.terminal) {
            ::fcntl(terminal, F_SETFL, O_NONBLOCK);
            char buffer[4096];
            for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
                out.append(buffer, n);
            ::close(terminal);
            ::close(terminalSide);
            program.setStandardOutputFile({});
        }
        if (c.code != 0) {
            EXPECT_TRUE(textContains(err, "--demo")) << err;
            continue;
        }
        EXPECT_EQ(out.rfind("[#FCST] *** MATCH BEGIN *** Map playing: oa_ctf4ish ", 0), 0u) << out;
        std::size_t captures = 0;
        for (std::size_t at = 0; (at = out.find(c.capture, at)) != std::string::npos; ++at)
            ++captures;
        EXPECT_EQ(captures, 3u) << out;
        EXPECT_TRUE(textContains(out, "FINAL SCORE: [BC] 1 (8) / [RC] 2 (21)")) << out;
        EXPECT_EQ(textContains(out, "\x1b[0;"), c.styled) << out;
        // No control character but the line ends (a terminal's CR LF) and the styles' escape.
        const std::string allowed = c.styled ? "\n\r\x1b" : "\n\r";
        EXPECT_EQ(std::count_if(out.begin(), out.end(),
                                [&](char ch) {
                                    return ch >= 0 && ch < 0x20 && !textContains(allowed, {&ch, 1});
                                }),
                  0);
        EXPECT_FALSE(QFileInfo::exists(root.filePath("home/.config")));  // settings untouched
    }
}

// Runs that end at once: the exit code, the standard output (for the help, a part of it) and a
// text the standard error must hold.
TEST_F(HeadlessProgram, RefusedAndInformativeRunsEndAtOnce) {
    const QStringList fromSettings = {"--headless",          "--dir",      dir.path(),
                                      "--irc-from-settings", "--duration", "5"};
    const struct {
        const char *settings, *out, *err;
        int code;
        QStringList args;
    } cases[] = {
        {"", "", "--frobnicate", 2, {"--headless", "--frobnicate"}},
        {"IRCSerSel = \r\n", "", "--irc-from-settings", 2, fromSettings},
        {"", "Fragcaster 1.33\n", "", 0, {"--version"}},
        {"", "--headless", "", 0, {"--help"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        writeSettings(std::string(c.settings) + "; End of INI\r\n");
        program.start(FRAGCASTER_BINARY, c.args);
        EXPECT_EQ(finish(), c.code);
        if (c.args[0] == "--help")
            EXPECT_NE(out.find(c.out), std::string::npos) << out;
        else
            EXPECT_EQ(out, c.out);
        EXPECT_NE(err.find(c.err), std::string::npos) << err;
    }
}

// A run in a new home folder (no --dir): what it says on stderr at once while it goes on, and
// how it ends. Guidance names the way to a game server, or with --irc-from-settings to IRC.
TEST_F(HeadlessProgram, FirstRunSaysAtOnceHowToNameAServer) {
    const struct {
        const char *name, *settings, *args;  // the arguments after --headless, blank-separated
        int code;
        std::vector<const char*> said;  // on stderr; nothing of it when empty
    } cases[] = {
        {"a first run is told how to name a server and goes on",
         "",
         "--duration 2.5",
         0,
         {"no game server is watched", "orvexa.ini", "--server HOST[:PORT]", "--replay FILE",
          "fragcaster --demo", "--help"}},
        {"without an IRC server it ends and says how to name one",
         "IRCSerSel = \r\n",
         "--irc-from-settings --duration 2.5",
         2,
         {"--irc-from-settings", "--irc HOST[:PORT]", "IRCSerSel", "--help"}},
        {"a server in the settings is watched without a word",
         "Q2Selected = 127.0.0.1:9\r\n",
         "--duration 0.5",
         0,
         {}},
        {"a recording to replay needs no server",
         "",
         "--replay " FRAGCASTER_DEMOS_DIR "/ctf_oa_ctf4ish_x4.rec --duration 0.5",
         0,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir home;
        QDir().mkpath(home.filePath(".config/fragcaster"));
        QFile settings(home.filePath(".config/fragcaster/orvexa.ini"));
        if (c.settings[0] && settings.open(QIODevice::WriteOnly))
            settings.write(QByteArray(c.settings) + "; End of INI\r\n");
        settings.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        program.setProcessEnvironment(env);
        program.start(FRAGCASTER_BINARY, QString("--headless ").append(c.args).split(' '));
        // A run that ends 0 is still running when its guidance is out.
        const bool guided = !c.said.empty();
        std::string said;
        bool saidInTime = false;
        waitUntil(
            [&] {
                said += program.readAllStandardError().toStdString();
                saidInTime = textContains(said, "--help") && program.state() == QProcess::Running;
                return saidInTime || program.state() == QProcess::NotRunning;
            },
            2000);
        if (c.code == 0) {
            EXPECT_EQ(saidInTime, guided) << said;
        }
        EXPECT_EQ(finish(), c.code);
        said += err;
        for (const char* part : c.said) EXPECT_TRUE(textContains(said, part)) << part;
        EXPECT_EQ(textContains(said, "no game server"), guided) << said;
        EXPECT_TRUE(settings.exists());
    }
}

TEST_F(HeadlessProgram, SettingsSurviveRunsAndCommandLineValuesAreForThatRunOnly) {
    writeSettings(
        "IRCSerSel = irc.home.net\r\nIRCChannel = #mine\r\nIRCName = Saved\r\nIRCKey = old\r\n"
        "Q2Selected = 10.0.0.5:27960 home\r\nIRCPort = 6667\r\nQ2Server = 10.0.0.5:27960 Friday\r\n"
        "IRCLineCTF = \x02%t\x02 captured\r\nKillAllowedFrom = Boss\r\nisStarted = 5\r\n"
        "; End of INI\r\n");
    ASSERT_EQ(run({"--duration", "0.2"}), 0) << err;
    EXPECT_EQ(out, "");
    ASSERT_EQ(run({"--server", "127.0.0.1:9", "--irc", "127.0.0.1:9", "--channel", "#run", "--nick",
                   "RunBot", "--key", "new", "--duration", "0.3"}),
              0)
        << err;
    for (const char* line :
         {"IRCSerSel = irc.home.net", "IRCChannel = #mine", "IRCName = Saved", "IRCKey = old",
          "Q2Selected = 10.0.0.5:27960 home", "IRCPort = 6667", "isStarted = 7",
          "Q2Server = 10.0.0.5:27960", "IRCLineCTF = \x02%t\x02 captured",
          "PriveServer = 0\r\nKillAllowedFrom = Boss\r\nIRCBurst = 4"})
        EXPECT_TRUE(settingsHold(line)) << line << "\n" << read("orvexa.ini");
    // Nothing but the settings and the recordings' folder: no half-written leftovers.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"demos", "orvexa.ini"}));
}

// The IRC server of the settings is dialled only with the flag; a signal then says QUIT and
// saves, and without the flag a signal ends the quiet run as cleanly.
TEST_F(HeadlessProgram, SettingsIrcServerOnlyWithTheFlagAndASignalEndsEitherRun) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    writeSettings("IRCSerSel = 127.0.0.1\r\nIRCPort = " + std::to_string(listener.serverPort()) +
                  "\r\nIRCName = SetBot\r\n; End of INI\r\n");
    start({});
    waitUntil([] { return false; }, 1000);
    EXPECT_FALSE(listener.hasPendingConnections());
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_EQ(finish(), 0) << err;

    start({"--irc-from-settings"});
    QTcpSocket* peer = nullptr;
    std::string text;
    auto received = [&](const std::string& part) {
        return waitUntil(
            [&] {
                if (!peer && listener.hasPendingConnections())
                    peer = listener.nextPendingConnection();
                if (peer) text += peer->readAll().toStdString();
                return text.find(part) != std::string::npos;
            },
            15000);
    };
    ASSERT_TRUE(received("NICK SetBot\r\n")) << text;
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    EXPECT_TRUE(
        received("\r\nQUIT :\x02"
                 "Fragcaster - Version 1.33 - "))
        << text;
    EXPECT_EQ(finish(), 0) << err;
    EXPECT_TRUE(settingsHold("isStarted = 2"));
}

}  // namespace
}  // namespace fc::test
