// The headless program as scripts use it: a process on a folder of its own, its settings file
// written and read back, its standard output read as JSON events.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "support/udp_responder.h"

namespace fc::test {

class HeadlessTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }
    std::string read(const char* name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "";
    }
    void writeSettings(const std::string& lines) {
        QFile f(path("orvexa.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines.data(), static_cast<qint64>(lines.size()));
    }
    bool settingsHold(const std::string& line) const {
        return read("orvexa.ini").find("\r\n" + line + "\r\n") != std::string::npos;
    }

    // Starts `--headless --dir DIR` and the arguments.
    void start(QStringList args) {
        program.start(FRAGCASTER_BINARY, QStringList{"--headless", "--dir", dir.path()} + args);
        ASSERT_TRUE(program.waitForStarted(5000));
    }
    // Waits for the end of the run, serving loopback responders meanwhile; its exit code, or -1
    // when it crashed or did not end in time.
    int finish() {
        if (!waitUntil([&] { return program.state() == QProcess::NotRunning; }, 15000)) {
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
    // The JSON lines of the output whose "event" is `kind`; every line must be JSON.
    std::vector<QJsonObject> events(const char* kind) const {
        std::vector<QJsonObject> found;
        for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
            if (line.isEmpty()) continue;
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(line, &error).object();
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            if (o["event"] == kind) found.push_back(o);
        }
        return found;
    }

    QTemporaryDir dir;
    QProcess program;
    std::string out, err;
};

}  // namespace fc::test
