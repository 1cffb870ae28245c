// The headless program as scripts use it, against servers on loopback.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <QImage>
#include <QtCore>
#include <QtNetwork>
#include <algorithm>
#include <csignal>
#include <regex>

#include "core/text_util.h"
#include "support/replies.h"
#include "support/udp_responder.h"

namespace fc::test {
namespace {

using namespace std::string_literals;

class HeadlessProgram : public ::testing::Test {
protected:
    std::string read(const char* name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "";
    }
    void writeSettings(const std::string& lines, const QString& file = {}) {
        QFile f(file.isEmpty() ? dir.filePath("orvexa.ini") : file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(lines + "; End of INI\r\n"));
    }
    bool settingsHold(const std::string& line) const {
        return textContains(read("orvexa.ini"), "\r\n" + line + "\r\n");
    }
    // `--headless --dir DIR` and the arguments, or the arguments alone with HOME at `home`.
    void start(const QStringList& args, const QString& home = {}, const QString& binary = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString h = home.isEmpty() ? dir.path() : home;
        env.insert("HOME", h), env.insert("XDG_CONFIG_HOME", h + "/.config");
        program.setProcessEnvironment(env);
        program.start(
            binary.isEmpty() ? FRAGCASTER_BINARY : binary,
            home.isEmpty() ? QStringList{"--headless", "--dir", dir.path()} + args : args);
        err.clear();
    }
    // The exit code once it ended, serving loopback servers meanwhile; -1: crashed or too slow.
    int finish() {
        const bool ended =
            waitUntil([&] { return program.state() == QProcess::NotRunning; }, 15000);
        out = program.readAllStandardOutput().toStdString();
        err += program.readAllStandardError().toStdString();
        return ended && program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }
    int run(const QStringList& args) { return start(args), finish(); }
    // The JSON lines of the output whose "event" is `kind`; every line must be JSON.
    std::vector<QJsonObject> events(const char* kind) const {
        std::vector<QJsonObject> found;
        for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(line, &error).object();
            EXPECT_TRUE(line.isEmpty() || error.error == QJsonParseError::NoError) << line.data();
            if (o["event"] == kind) found.push_back(o);
        }
        return found;
    }
    // The members named, joined by "|".
    static std::string joined(const QJsonObject& o, std::initializer_list<const char*> keys) {
        QStringList values;
        for (const char* key : keys) values << o[key].toVariant().toString();
        return values.join('|').toStdString();
    }

    QTemporaryDir dir;
    QProcess program;
    std::string out, err;
};

// Each reply printed as JSON and recorded as " 45678.12" (seconds since midnight), CRLF, its
// bytes, CRLF; the Interp feed's events printed, the chosen ones reported.
TEST_F(HeadlessProgram, MonitorsTheServerOfTheSettingsPrintsEachReplyAsJsonAndRecordsIt) {
    const std::string reply =
        quake3Reply({{"version", "ioq3 1.36"}, {"gamename", "baseoa"}, {"mapname", "oa_dm1"}},
                    {{"7", "33", "^1=RC=^7Sarge"}, {"-2", "999", "W\xE9ird \"q\""}});
    UdpResponder server([&](const std::string& q) {
        return q == "\xFF\xFF\xFF\xFFgetstatus" ? Datagrams{reply} : Datagrams{};
    });
    QTcpServer service;  // an Interp service: greets the feed and keeps what it asks
    ASSERT_TRUE(service.listen(QHostAddress::LocalHost));
    std::string asked;
    QObject::connect(&service, &QTcpServer::newConnection, [&] {
        QTcpSocket* feed = service.nextPendingConnection();
        QObject::connect(feed, &QTcpSocket::readyRead, [&, feed] { asked += feed->readAll(); });
        feed->write(
            "Welcome to Interp 3.0\r\nMade by: Tester\r\nEmail: t@example.net\r\n"
            "^1Sarge got the RED flag!\nMajor got QUAD!\n");
    });
    writeSettings("Q2Selected = " + server.entry() + " home\r\n");
    ASSERT_EQ(run({"--json", "--duration", "3.5", "--record", "match.rec", "--interp-port",
                   QString::number(service.serverPort()), "--interp-events", "got"}),
              0)
        << err;
    const auto replies = events("reply"), interp = events("interp"), reports = events("report");
    ASSERT_GE(replies.size(), 2u);  // ticks at 1 s and 3 s
    EXPECT_EQ(replies.size() + interp.size() + reports.size(),
              static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')));
    ASSERT_GE(interp.size(), 2u);
    EXPECT_EQ(interp.front()["InterpSupport"], "ENABLED!");
    EXPECT_EQ(joined(interp.back(), {"StatRed", "InterpEmail"}), "Sarge|t@example.net");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0]["text"], "\002\0035RED\003\002 flag taken by Sarge");
    EXPECT_EQ(asked, "GAMESTAT");
    for (const QJsonObject& o : replies) {
        std::string text = joined(o, {"gameFamily", "qsGame", "qsMap", "matchState"});
        for (const QJsonValue p : o["players"].toArray())
            text += " " + joined(p.toObject(), {"name", "score", "ping"});
        EXPECT_EQ(text, "Q3|baseoa|oa_dm1|0 =RC=Sarge|7|33 W\xC3\xA9ird q|-2|999");
    }
    std::string file = read("match.rec");
    for (std::size_t at; (at = file.find(reply)) != std::string::npos;)
        file.replace(at, reply.size(), "R");
    const std::string first =
        " [0-9.]+\r\n\xFF{4}disconnect recorded from " + server.entry() + "\r\n";
    EXPECT_TRUE(std::regex_match(file, std::regex(first + "( [0-9]+\\.?[0-9]*\r\nR\r\n)+")))
        << file;
    EXPECT_EQ(std::count(file.begin(), file.end(), 'R'), std::ssize(replies));
}

// Runs in a new home that end or say what is missing at once: the exit code, the texts printed
// on either stream, and whether (while it runs) the run is told that no game server is watched.
TEST_F(HeadlessProgram, RunsEndOrGuideAtOnce) {
    const char* noServer = "no game server is watched";
    // clang-format off
    const struct { const char *name, *settings, *args; int code; std::vector<const char*> said; } cases[] = {
        {"an unknown option", "", "--headless --frobnicate", 2, {"--frobnicate"}},
        {"the version", "", "--version", 0, {"Fragcaster 1.33\n"}},
        {"the help", "", "--help", 0, {"--headless"}},
        {"a template tried as JSON", "", "--preview \x02%c% --kind ctf --background black --json --no-colors", 0,
         {R"({"event":"preview","line":"\u0002Grimhawk","rtf":"{\\rtf1)", "\\\\cf1 \\\\b Grimhawk\\\\par }\"}\n"}},
        {"a first run is told how to name a server and goes on", "", "--headless --duration 2.5", 0, {noServer, "--server"}},
        {"without an IRC server it ends and says how to name one", "IRCSerSel = \r\n",
         "--headless --irc-from-settings --duration 2.5", 2, {noServer, "--irc-from-settings"}},
        {"a server in the settings is watched without a word", "Q2Selected = 127.0.0.1:9\r\n", "--headless --duration 0.5", 0},
        {"a recording to replay needs no server", "",
         "--headless --replay " FRAGCASTER_DEMOS_DIR "/ctf_oa_ctf4ish_x4.rec --duration 0.5", 0},
        {"a SASL password file that cannot be read", "", "--headless --sasl-user bot "
         "--sasl-password-file /nonexistent/pw", 2, {noServer, "--sasl-password-file: cannot read /nonexistent/pw"}},
        {"an update check without an address says so", "UpdateURL = \r\n", "--headless --json --check-update", 0,
         {R"("title":"Updater.","text":"No update)"}},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir home;
        QDir().mkpath(home.filePath(".config/fragcaster"));
        const QString settings = home.filePath(".config/fragcaster/orvexa.ini");
        if (c.settings[0]) writeSettings(c.settings, settings);
        start(QString(c.args).split(' '), home.path());
        const bool guided = !c.said.empty() && c.said[0] == noServer;
        bool saidWhileRunning = false;
        waitUntil(
            [&] {
                err += program.readAllStandardError().toStdString();
                saidWhileRunning =
                    textContains(err, "--help") && program.state() == QProcess::Running;
                return saidWhileRunning || program.state() == QProcess::NotRunning;
            },
            2000);
        if (c.code == 0) EXPECT_EQ(saidWhileRunning, guided) << err;
        EXPECT_EQ(finish(), c.code) << err;
        for (const char* part : c.said) EXPECT_TRUE(textContains(out + err, part)) << part;
        EXPECT_EQ(textContains(err, "no game server"), guided) << out << err;
        EXPECT_TRUE(!guided || QFile::exists(settings));
    }
}

// --demo finds the match above a build (with settings), in share/fragcaster/demos, or nowhere;
// it prints the begin, the captures in the log's order, the final score, styled only on a tty.
TEST_F(HeadlessProgram, DemoReplaysTheShippedMatchWhereverItLies) {
    enum Layout { SourceTree, Installed, Nowhere };
    // `capture` marks a capture line.
    // clang-format off
    const struct { const char* name; Layout layout; bool terminal, noColor, styled; const char* capture; } cases[] = {
        {"a build's demo, piped", SourceTree, false, false, false, "] CAPTURE! [BC] "},
        {"the default line on a terminal is styled", Installed, true, false, true, "Cap by"},
        {"NO_COLOR keeps a terminal plain", Installed, true, true, false, "Cap by"},
        {"no demo beside the program", Nowhere, false, false, false, ""}};
    // clang-format on
    const QString demos = FRAGCASTER_DEMOS_DIR;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const bool built = c.layout == SourceTree;
        const QString bin = root.filePath(built ? "build/release/" : "bin/");
        const QString shipped = root.filePath(built ? "demos/" : "share/fragcaster/demos/");
        QDir().mkpath(bin);
        QDir().mkpath(shipped);
        ASSERT_TRUE(QFile::link(FRAGCASTER_BINARY, bin + "fragcaster"));
        if (c.layout != Nowhere)
            QFile::copy(demos + "/ctf_oa_ctf4ish_x4.rec", shipped + "ctf_oa_ctf4ish_x4.rec");
        if (built) QFile::copy(demos + "/orvexa.ini", shipped + "orvexa.ini");
        c.noColor ? qputenv("NO_COLOR", "1") : qunsetenv("NO_COLOR");
        int terminal = -1, side = -1;
        if (c.terminal) {
            ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
            program.setStandardOutputFile(QString::fromLocal8Bit(::ttyname(side)));
        }
        start({"--demo"}, root.filePath("home"), bin + "fragcaster");
        ASSERT_EQ(finish(), c.layout == Nowhere ? 2 : 0) << err;
        if (c.terminal) {
            ::fcntl(terminal, F_SETFL, O_NONBLOCK);
            char buffer[4096];
            for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
                out.append(buffer, n);
            ::close(terminal), ::close(side);
            program.setStandardOutputFile({});
        }
        if (c.layout == Nowhere) continue;
        EXPECT_EQ(out.rfind("[#FCST] *** MATCH BEGIN *** Map playing: oa_ctf4ish ", 0), 0u) << out;
        std::vector<std::string> capturers;
        for (std::size_t at = 0; (at = out.find(c.capture, at)) != std::string::npos; ++at) {
            const std::string line = out.substr(at, out.find('\n', at) - at);
            for (const char* name : {"=RC=Grunt", "[BC]Grism", "=RC=Major"})
                if (textContains(line, name)) capturers.push_back(name);
        }
        EXPECT_EQ(capturers, (std::vector<std::string>{"=RC=Grunt", "[BC]Grism", "=RC=Major"}))
            << out;
        EXPECT_TRUE(textContains(out, "FINAL SCORE: [BC] 1 (8) / [RC] 2 (21)")) << out;
        EXPECT_TRUE(textContains(out, "] Top capper: =RC=Grunt (1)  Top fragger: ")) << out;
        EXPECT_EQ(textContains(out, "\x1b[0;"), c.styled) << out;
        // No control character but the line ends (a terminal's CR LF) and the styles' escape.
        std::string controls;
        for (char ch = 0; ch < 0x20; ++ch)
            if (!(ch == '\n' || ch == '\r' || (c.styled && ch == '\x1b'))) controls += ch;
        EXPECT_EQ(out.find_first_of(controls), std::string::npos) << out;
        EXPECT_FALSE(QFileInfo::exists(root.filePath("home/.config")));  // settings untouched
    }
}

// The demo posted to a webhook on loopback that rate-limits its first request: every line said
// in the channel arrives once, in order, in Discord's Markdown, the waiting ones batched.
TEST_F(HeadlessProgram, DemoReachesAWebhookInOrderBatchedUnderARateLimit) {
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));
    QStringList posted;  // the lines of the messages taken
    int requests = 0;
    QObject::connect(&host, &QTcpServer::newConnection, [&] {
        QTcpSocket* c = host.nextPendingConnection();
        QObject::connect(c, &QTcpSocket::readyRead, [&, c, request = QByteArray()]() mutable {
            request += c->readAll();
            const qsizetype head = request.indexOf("\r\n\r\n") + 4,
                            at = request.toLower().indexOf("content-length:") + 15;
            const int length = request.mid(at, 8).split('\r')[0].trimmed().toInt();
            if (head < 4 || at < 15 || request.size() < head + length) return;
            const QJsonObject body = QJsonDocument::fromJson(request.mid(head, length)).object();
            request.clear();
            if (requests++ > 0) posted += body["content"].toString().split('\n');
            c->write(requests == 1 ? "HTTP/1.1 429 Too Many\r\nContent-Length: 17\r\n\r\n"
                                     "{\"retry_after\":3}"
                                   : "HTTP/1.1 204 No Content\r\n\r\n");
        });
    });
    const QString url = QString("http://127.0.0.1:%1/api/webhooks/1/secret").arg(host.serverPort());
    ASSERT_EQ(run({"--demo", "--json", "--webhook", url}), 0) << err;
    const std::size_t said = events("report").size();
    ASSERT_EQ(static_cast<std::size_t>(posted.size()), said) << requests;
    EXPECT_TRUE(posted.front().startsWith(R"(\*\*\* MATCH BEGIN \*\*\* Map playing: oa\_ctf4ish)"));
    EXPECT_TRUE(posted.filter(R"(FINAL SCORE: \[BC\] 1 (8) / \[RC\] 2 (21))").size() == 1);
    EXPECT_EQ(joined(events("webhook").at(0), {"state", "status", "host", "retryAfter"}),
              "retry|429|127.0.0.1|3");
    EXPECT_LT(static_cast<std::size_t>(requests), said / 2) << said;  // batched
    EXPECT_FALSE(textContains(out + err, "secret"));
}

// The demo drawn: its three captures at their game times on their teams' lines, the final
// score, and pictures of the asked size and kind; several games are numbered.
TEST_F(HeadlessProgram, TimelineDrawsEveryGameOfARecording) {
    const QString demo = FRAGCASTER_DEMOS_DIR "/ctf_oa_ctf4ish_x4.rec";
    // clang-format off
    const struct { const char* name; QStringList args; int exit; const char* file; QSize size; } rows[] = {
        // `file` is the first one written, "" for none
        {"a PNG of the default size", {"--out", "t.png"}, 0, "t.png", {1200, 600}},
        {"the smallest black SVG", {"--out", "t.svg", "--size", "200x100", "--background", "black"}, 0, "t.svg", {200, 100}},
        {"no such recording", {"--out", "t.png"}, 2, "", {}},
        {"a size of no picture", {"--out", "t.png", "--size", "12x5"}, 2, "", {}}};  // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        program.setWorkingDirectory(dir.path());
        const bool missing = row.args.size() == 2 && row.exit;
        start(QStringList{"--timeline", missing ? "none.rec" : demo, "--json"} + row.args,
              dir.path());
        ASSERT_EQ(finish(), row.exit) << err;
        if (row.exit) continue;
        const auto games = events("timeline");
        ASSERT_EQ(games.size(), 1u) << out;
        std::string caps;
        for (const QJsonValue c : games[0]["captures"].toArray())
            caps += joined(c.toObject(), {"seconds", "team", "capper"}) + " ";
        EXPECT_EQ(caps, "22|Blue|=RC=Grunt 42|Red|[BC]Grism 61|Blue|=RC=Major ");
        EXPECT_EQ(joined(games[0], {"map", "finalScore", "file"}),
                  "oa_ctf4ish|[BC] 1 (8) / [RC] 2 (21)|" + std::string(row.file));
        const QString path = dir.filePath(row.file);
        if (path.endsWith("png")) EXPECT_EQ(QImage(path).size(), row.size);
        if (!path.endsWith("svg")) continue;
        // What the picture tells, in its colours on black (white left out): texts, capture dots.
        const std::string svg = read(row.file);
        const std::regex marks(
            R"~(<text fill="(#\w+)"[^>]*>([^<]*)<|<g fill="(#\w+)"[^<]*<circle)~");
        std::string drawn;
        for (std::sregex_iterator m(svg.begin(), svg.end(), marks), end; m != end; ++m)
            drawn += (*m)[1].str() + (*m)[3].str() + " " + (*m)[2].str() + "|";
        EXPECT_EQ(std::regex_replace(drawn, std::regex("#ffffff |Begin: \\S+ \\S+"), ""),
                  "oa_ctf4ish   Server: 127.0.0.1:27974      Final: [BC] 1 (8) / [RC] 2 (21)|"
                  "#ff5a5a BC (1)|#6e96ff RC (2)|0:00|0:15|0:30|0:45|1:00|0|1|2|#6e96ff |"
                  "=RC=Grunt 0:22|#ff5a5a |[BC]Grism 0:42|#6e96ff |=RC=Major 1:01|");
        EXPECT_TRUE(textContains(svg, "viewBox=\"0 0 200 100\""));
    }
}

// Settings survive the command line; their IRC server needs the flag; a signal ends a run.
TEST_F(HeadlessProgram, SettingsSurviveRunsAndTheirIrcServerIsDialledOnlyWithTheFlag) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    const std::string port = "IRCPort = " + std::to_string(listener.serverPort());
    writeSettings("IRCSerSel = 127.0.0.1\r\nIRCChannel = #mine\r\nIRCName = Saved\r\n" + port +
                  "\r\nIRCKey = old\r\nQ2Selected = 127.0.0.1:9 home\r\nQ2Server = 127.0.0.1:9 "
                  "Friday\r\nIRCLineCTF = \x02%t\x02 captured\r\nKillAllowedFrom = Boss\r\n"
                  "isStarted = 5\r\n");
    ASSERT_EQ(run({"--server", "127.0.0.1:19", "--irc", "127.0.0.1:9", "--channel", "#run",
                   "--nick", "RunBot", "--key", "new", "--duration", "0.3"}),
              0)
        << err;
    for (const std::string line :
         {"IRCSerSel = 127.0.0.1", "IRCChannel = #mine", "IRCName = Saved", "IRCKey = old",
          "Q2Selected = 127.0.0.1:9 home", port.c_str(), "isStarted = 6",
          "Q2Server = 127.0.0.1:9 Friday", "IRCLineCTF = \x02%t\x02 captured",
          "PriveServer = 0\r\nKillAllowedFrom = Boss\r\nIRCBurst = 4"})
        EXPECT_TRUE(settingsHold(line)) << line << "\n" << read("orvexa.ini");
    EXPECT_FALSE(listener.hasPendingConnections());
    // Nothing but the settings and the recordings' folder: no half-written leftovers.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"demos", "orvexa.ini"}));

    start({"--irc-from-settings"});
    QTcpSocket* peer = nullptr;
    std::string text;
    EXPECT_TRUE(waitUntil(
        [&] {
            if (!peer && listener.hasPendingConnections()) peer = listener.nextPendingConnection();
            if (peer) text += peer->readAll().toStdString();
            return textContains(text, "NICK Saved\r\n");
        },
        15000))
        << text;
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    EXPECT_EQ(finish(), 0) << err;
    EXPECT_TRUE(settingsHold("isStarted = 7"));
}

// The master server fills an empty list, the fast sweep asks its servers, the files are saved.
TEST_F(HeadlessProgram, SweepOverTheMasterServersList) {
    UdpResponder quake3([](const std::string& q) {
        if (q != "\xFF\xFF\xFF\xFFgetstatus") return Datagrams{};
        return Datagrams{
            "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\Arena\\mapname\\q3dm6\\"
            "sv_maxclients\\10\n4 0 \"^1Ace\"\n"};
    });
    UdpResponder silent([](const std::string&) { return Datagrams{}; });
    UdpResponder master([&](const std::string& q) {
        if (!q.starts_with("\xFF\xFF\xFF\xFFgetservers ")) return Datagrams{};
        const auto entry = [](int port) {
            return "\\\x7F\0\0\x01"s + char(port >> 8) + char(port);
        };
        return Datagrams{"\xFF\xFF\xFF\xFFgetserversResponse" + entry(quake3.port()) +
                         entry(silent.port()) + "\\EOT"};
    });
    writeSettings("MasterServer = " + master.entry() + "\r\n");
    ASSERT_EQ(run({"--json", "--sweep", "--fast", "--filter-unanswered"}), 0) << err;
    const std::string q3 = quake3.entry();
    std::vector<std::string> answered;
    for (const QJsonObject& row : events("row"))
        if (row["name"] != "-")
            answered.push_back(joined(row, {"name", "players", "map", "top", "server"}));
    EXPECT_EQ(answered, std::vector<std::string>{"Arena|1 / 10|q3dm6|Ace|" + q3});
    const std::vector<QJsonObject> status = events("status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back()["text"], "Ready... Visible: 1. Total 2.");
    // The silent server left the rows but not the stored list.
    EXPECT_EQ(read("fcst-ql.ini"), "Arena\r\n1 / 10\r\nq3dm6\r\nAce\r\n" + q3 + "\r\n");
    for (const std::string& l :
         {"Q2Server = " + q3, "Q2Server = " + silent.entry(), "FastSweep = 0"s})
        EXPECT_TRUE(settingsHold(l)) << l;
}

}  // namespace
}  // namespace fc::test
