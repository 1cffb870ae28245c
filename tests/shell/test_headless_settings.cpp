// The headless program and its settings file, as a process on a folder of its own: the
// settings survive between runs, give the server and the IRC server when the command line does
// not, and a signal ends the run with the same goodbye and save as the window's close.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>

#include "support/replies.h"
#include "support/udp_responder.h"

namespace fc::test {
namespace {

constexpr int kWaitMs = 15000;

class HeadlessSettings : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }

    void writeSettings(const std::string& lines) {
        QFile f(path("orvexa.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines.data(), static_cast<qint64>(lines.size()));
    }
    std::string settings() const {
        QFile f(path("orvexa.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "";
    }

    void start(QStringList args) {
        args.prepend(dir.path());
        args.prepend("--dir");
        args.prepend("--headless");
        program.start(FRAGCASTER_BINARY, args);
        ASSERT_TRUE(program.waitForStarted(5000));
    }
    // Waits for the end of the run; its exit code, or -1 when it did not end in time.
    int finish() {
        if (!WaitUntil([&] { return program.state() == QProcess::NotRunning; }, kWaitMs)) {
            program.kill();
            program.waitForFinished(2000);
            return -1;
        }
        out = program.readAllStandardOutput().toStdString();
        err = program.readAllStandardError().toStdString();
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }
    int run(const QStringList& args) {
        start(args);
        return finish();
    }

    QTemporaryDir dir;
    QProcess program;
    std::string out;
    std::string err;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(HeadlessSettings, StartedTwiceOnOneDirectoryKeepsItsSettings) {
    writeSettings(
        "IRCChannel = #mine\r\nQ2Server = 10.0.0.5:27960 Friday league\r\n"
        "IRCLineCTF = \x02%t\x02 captured\r\nKillAllowedFrom = Boss\r\nisStarted = 5\r\n"
        "; End of INI\r\n");
    ASSERT_EQ(run({"--duration", "0.2"}), 0) << err;
    ASSERT_EQ(run({"--duration", "0.2"}), 0) << err;

    const std::string file = settings();
    EXPECT_TRUE(Has(file, "\r\nisStarted = 7\r\n")) << file;
    EXPECT_TRUE(Has(file, "\r\nIRCChannel = #mine\r\n"));
    EXPECT_TRUE(Has(file, "\r\nQ2Server = 10.0.0.5:27960\r\n"));
    EXPECT_TRUE(Has(file, "\r\nIRCLineCTF = \x02%t\x02 captured\r\n"));
    EXPECT_TRUE(Has(file, "\r\nPriveServer = 0\r\nKillAllowedFrom = Boss\r\nIRCBurst = 4\r\n"));
    // Nothing but the settings and the recordings' folder: no half-written leftovers.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"demos", "orvexa.ini"}));
    EXPECT_TRUE(out.empty()) << out;
}

TEST_F(HeadlessSettings, WithoutServerOptionItMonitorsTheServerOfTheSettings) {
    const std::string reply = Quake3Reply({{"version", "ioq3 1.36"}, {"mapname", "q3dm17"}}, {});
    UdpResponder server([&](const std::string& q) -> std::optional<std::string> {
        if (q == std::string("\xFF\xFF\xFF\xFFgetstatus")) return reply;
        return std::nullopt;
    });
    const std::string entry = "127.0.0.1:" + std::to_string(server.port());
    writeSettings("Q2Selected = " + entry + " home\r\n; End of INI\r\n");

    ASSERT_EQ(run({"--json", "--duration", "2.5"}), 0) << err;
    bool replied = false;
    for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o["event"].toString() == "reply" && o["qsMap"].toString() == "q3dm17") replied = true;
    }
    EXPECT_TRUE(replied) << out;
    EXPECT_TRUE(Has(settings(), "\r\nQ2Selected = " + entry + " home\r\n"));
}

TEST_F(HeadlessSettings, CommandLineValuesAreForThatRunOnly) {
    const std::string saved =
        "IRCSerSel = irc.home.net\r\nIRCChannel = #mine\r\nIRCName = Saved\r\nIRCKey = old\r\n"
        "Q2Selected = 10.0.0.5:27960 home\r\nIRCPort = 6667\r\n";
    writeSettings(saved + "; End of INI\r\n");
    ASSERT_EQ(run({"--server", "127.0.0.1:9", "--irc", "127.0.0.1:9", "--channel", "#run", "--nick",
                   "RunBot", "--key", "new", "--duration", "0.3"}),
              0)
        << err;
    const std::string file = settings();
    for (const char* line :
         {"IRCSerSel = irc.home.net", "IRCChannel = #mine", "IRCName = Saved", "IRCKey = old",
          "Q2Selected = 10.0.0.5:27960 home", "IRCPort = 6667", "isStarted = 1"}) {
        EXPECT_TRUE(Has(file, std::string("\r\n") + line + "\r\n")) << line << "\n" << file;
    }
}

class HeadlessIrcSettings : public HeadlessSettings {
protected:
    void SetUp() override {
        ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
        writeSettings(
            "IRCSerSel = 127.0.0.1\r\nIRCPort = " + std::to_string(listener.serverPort()) +
            "\r\nIRCName = SetBot\r\n; End of INI\r\n");
    }
    // Waits until the bot has sent a line holding `part`.
    bool received(const std::string& part) {
        return WaitUntil(
            [&] {
                if (!peer && listener.hasPendingConnections())
                    peer = listener.nextPendingConnection();
                if (peer) text += peer->readAll().toStdString();
                return Has(text, part);
            },
            kWaitMs);
    }

    QTcpServer listener;
    QTcpSocket* peer = nullptr;
    std::string text;
};

TEST_F(HeadlessIrcSettings, FlagConnectsToTheSettingsServerAndASignalSaysQuit) {
    start({"--irc-from-settings"});
    ASSERT_TRUE(received("NICK SetBot\r\n")) << text;
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    EXPECT_TRUE(
        received("\r\nQUIT :\x02"
                 "Fragcaster - Version 1.33 - "))
        << text;
    EXPECT_EQ(finish(), 0) << err;
    EXPECT_TRUE(Has(settings(), "\r\nisStarted = 1\r\n"));
}

TEST_F(HeadlessIrcSettings, WithoutTheFlagTheSettingsServerIsNotDialled) {
    ASSERT_EQ(run({"--duration", "1"}), 0) << err;
    EXPECT_FALSE(listener.hasPendingConnections());
}

TEST_F(HeadlessSettings, FlagWithoutAServerInTheSettingsIsRefused) {
    writeSettings("IRCSerSel = \r\n; End of INI\r\n");
    EXPECT_EQ(run({"--irc-from-settings", "--duration", "5"}), 2);
    EXPECT_TRUE(Has(err, "--irc-from-settings")) << err;
}

TEST_F(HeadlessSettings, DamagedSettingsAreReportedAndTheRunGoesOn) {
    const char raw[] =
        "\x7F"
        "ELF\x02\x01\x01\0\0\0\r\nIRCName = Kept\r\n";
    const std::string damaged(raw, sizeof raw - 1);
    writeSettings(damaged);
    ASSERT_EQ(run({"--duration", "0.2"}), 0) << err;
    EXPECT_TRUE(Has(out,
                    "*** The settings file orvexa.ini is damaged: line 1 could not be read, "
                    "and its end is missing."))
        << out;
    EXPECT_TRUE(Has(settings(), "\r\nIRCName = Kept\r\n"));
    QFile copy(path("orvexa.ini.damaged"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll().toStdString(), damaged);
}

}  // namespace
}  // namespace fc::test
