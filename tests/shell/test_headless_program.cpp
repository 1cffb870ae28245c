// The headless program as scripts use it: started as a process, read line by line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>

#include "core/server_vars.h"
#include "monitor/recording_file.h"
#include "support/replies.h"
#include "support/udp_responder.h"

namespace fc::test {
namespace {

const std::string kQ3Query = std::string("\xFF\xFF\xFF\xFF") + "getstatus";

struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray out;
    QByteArray err;
};

// Runs the program and lets the event loop serve loopback responders meanwhile.
ProgramRun RunProgram(const QStringList& args, int timeoutMs = 15000,
                      const std::function<void(QProcess&)>& whileRunning = {}) {
    QProcess p;
    p.start(FRAGCASTER_BINARY, args);
    ProgramRun run;
    if (!p.waitForStarted(5000)) return run;
    if (whileRunning) whileRunning(p);
    WaitUntil([&] { return p.state() == QProcess::NotRunning; }, timeoutMs);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
        return run;
    }
    run.exitCode = p.exitCode();
    run.status = p.exitStatus();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

std::vector<QJsonObject> JsonLines(const QByteArray& out) {
    std::vector<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty()) continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        lines.push_back(doc.object());
    }
    return lines;
}

TEST(HeadlessProgram, ReportsEveryReplyAsJsonAndEndsAfterItsDuration) {
    QTemporaryDir dir;
    const std::string reply =
        Quake3Reply({{"version", "ioq3 1.36"}, {"gamename", "baseoa"}, {"mapname", "oa_dm1"}},
                    {{"7", "33", "^1=RC=^7Sarge"}, {"-2", "999", "W\xE9ird \"q\""}});
    UdpResponder server([&](const std::string& q) -> std::optional<std::string> {
        if (q == kQ3Query) return reply;
        return std::nullopt;
    });
    const QString entry = QString("127.0.0.1:%1").arg(server.port());
    const ProgramRun run = RunProgram(
        {"--headless", "--json", "--dir", dir.path(), "--server", entry, "--duration", "3.5"});

    ASSERT_EQ(run.status, QProcess::NormalExit) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    const auto lines = JsonLines(run.out);
    ASSERT_GE(lines.size(), 2u);  // ticks at 1 s and 3 s
    for (const QJsonObject& o : lines) {
        ASSERT_EQ(o["event"].toString(), "reply");
        EXPECT_EQ(o["gameFamily"].toString(), "Q3");
        EXPECT_EQ(o["qsGame"].toString(), "baseoa");
        EXPECT_EQ(o["qsMap"].toString(), "oa_dm1");
        EXPECT_EQ(o["matchState"].toInt(-1), 0);
        const QJsonArray players = o["players"].toArray();
        ASSERT_EQ(players.size(), 2);
        EXPECT_EQ(players[0].toObject()["name"].toString(), "=RC=Sarge");
        EXPECT_EQ(players[0].toObject()["score"].toString(), "7");
        EXPECT_EQ(players[1].toObject()["name"].toString(), QString::fromUtf8("W\u00e9ird q"));
        EXPECT_EQ(players[1].toObject()["ping"].toString(), "999");
    }
}

// The capturers the server's own log names, in order, colour codes removed.
std::vector<std::string> CapturersInLog(const std::string& logName) {
    std::vector<std::string> names;
    QFile log(QString::fromStdString(CapturesDir() + "/" + logName));
    if (!log.open(QIODevice::ReadOnly)) return names;
    const QRegularExpression captured(R"(CTF: \d+ \d+ 1: (.*) captured the )");
    for (const QByteArray& line : log.readAll().split('\n')) {
        const auto m = captured.match(QString::fromLatin1(line));
        if (m.hasMatch()) names.push_back(FilterQ3Colors(m.captured(1).toStdString()));
    }
    return names;
}

TEST(HeadlessProgram, ShippedDemoIsReplayedAsTheBotSaysIt) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("demos"));
    const QString demos = FRAGCASTER_DEMOS_DIR;
    ASSERT_TRUE(QFile::copy(demos + "/orvexa.ini", dir.filePath("orvexa.ini")));
    ASSERT_TRUE(
        QFile::copy(demos + "/ctf_oa_ctf4ish_x4.rec", dir.filePath("demos/ctf_oa_ctf4ish_x4.rec")));
    const ProgramRun run = RunProgram({"--headless", "--dir", dir.path(), "--replay",
                                       "demos/ctf_oa_ctf4ish_x4.rec", "--speed", "1000"});
    ASSERT_EQ(run.status, QProcess::NormalExit) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    std::vector<std::string> capturers;
    const QByteArray begin = "[#FCST] *** MATCH BEGIN *** Map playing: oa_ctf4ish ";
    EXPECT_TRUE(run.out.startsWith(begin)) << run.out.toStdString();
    const QRegularExpression capture(R"(^\[#FCST\] CAPTURE! .* flag captured by (.*) -- )");
    for (const QByteArray& line : run.out.split('\n')) {
        const auto m = capture.match(QString::fromLatin1(line));
        if (m.hasMatch()) capturers.push_back(m.captured(1).toStdString());
    }
    const std::vector<std::string> logged = CapturersInLog("ctf_oa_ctf4ish_x4.games.log");
    EXPECT_EQ(logged.size(), 3u);
    EXPECT_EQ(capturers, logged);
}

TEST(HeadlessProgram, RecordAppendsEveryLiveReply) {
    QTemporaryDir dir;
    const std::string reply = Quake3Reply({{"version", "ioq3 1.36"}, {"mapname", "oa_dm1"}}, {});
    UdpResponder server([&](const std::string& q) -> std::optional<std::string> {
        if (q == kQ3Query) return reply;
        return std::nullopt;
    });
    const QString entry = QString("127.0.0.1:%1").arg(server.port());
    const ProgramRun run = RunProgram({"--headless", "--dir", dir.path(), "--server", entry,
                                       "--record", "match.rec", "--duration", "3.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(dir.filePath("match.rec"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string bytes = file.readAll().toStdString();
    std::size_t at = 0;
    int records = 0;
    for (RecordRead r = ReadRecord(bytes, at); r.kind == RecordRead::Kind::Record;
         r = ReadRecord(bytes, at), ++records) {
        EXPECT_EQ(r.reply, reply);
    }
    EXPECT_GE(records, 2);  // ticks at 1 s and 3 s
    EXPECT_EQ(at, bytes.size());
}

TEST(HeadlessProgram, BadArgumentExitsWithTwoAndNamesIt) {
    const ProgramRun run = RunProgram({"--headless", "--frobnicate"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("--frobnicate"));
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(HeadlessProgram, TerminationSignalEndsTheRunCleanly) {
    QTemporaryDir dir;
    const ProgramRun run = RunProgram({"--headless", "--dir", dir.path()}, 10000, [](QProcess& p) {
        WaitUntil([] { return false; }, 500);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    });
    EXPECT_EQ(run.status, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(HeadlessProgram, VersionAndHelp) {
    EXPECT_EQ(RunProgram({"--version"}).out, "Fragcaster 1.33\n");
    const ProgramRun help = RunProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--headless"));
}

}  // namespace
}  // namespace fc::test
