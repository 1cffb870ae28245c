#include "shell/timeline_command.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "monitor/poller.h"
#include "program/json_events.h"
#include "program/startup.h"
#include "program/timeline_json.h"
#include "settings/settings_file.h"
#include "shell/qt_platform.h"
#include "timeline_draw/timeline_picture.h"

namespace fc {

namespace {

QString local(const std::string& path) {
    return QString::fromLocal8Bit(path.c_str());
}

// FILE.png for one game; FILE-1.png, FILE-2.png, ... for several.
QString numbered(const QString& out, int number, int count) {
    if (count == 1) return out;
    const QFileInfo info(out);
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    return QDir(info.path())
        .filePath(info.completeBaseName() + "-" + QString::number(number) + suffix);
}

}  // namespace

void drawWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session's runtime folder Qt warns on stderr at every start, which scripts read:
    // a private one of our own takes its place, as Qt's own fallback would.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::tempPath() + "/fragcaster-runtime-" + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (QFileInfo(runtime).isDir() && QFileInfo(runtime).ownerId() == getuid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
}

void saveTimelinesAtEnd(WiredApp& app, const QString& programDir,
                        std::function<void(const Timeline&)> also) {
    app.timeline.gameEnded = [&app, programDir, also](const Timeline& timeline) {
        if (also) also(timeline);
        if (!app.settings.saveTimeline) return;
        const std::string relative = timelinePath(timeline, "png");
        const QString path = QDir(programDir).filePath(local(relative));
        QDir().mkpath(QFileInfo(path).path());
        const QString error = saveTimelinePicture(timeline, path, QSize(1200, 600), false);
        if (error.isEmpty()) {
            app.appendOutput("Timeline saved: " + path.toLocal8Bit().toStdString());
        } else {
            app.warn("Timeline not saved: " + error.toLocal8Bit().toStdString());
        }
    };
}

int runTimelineCommand(const CommandLine& options, const QString& programDir) {
    const QString recording = QFileInfo(local(*options.timeline)).absoluteFilePath();
    if (!QFileInfo(recording).isFile()) {
        std::fprintf(stderr, "fragcaster: --timeline: no such recording: %s\n",
                     options.timeline->c_str());
        return 2;
    }
    // A scratch program folder with the settings (team names, a private server): the
    // operator's own files stay as they were.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "fragcaster: --timeline: no scratch folder\n");
        return 2;
    }
    QFile::copy(QDir(programDir).filePath(kSettingsFile), scratch.filePath(kSettingsFile));
    QFile::setPermissions(scratch.filePath(kSettingsFile), QFile::ReadOwner | QFile::WriteOwner);
    QtPlatform platform(scratch.path());
    WiredApp app(platform);
    app.endProgram = [] { QCoreApplication::quit(); };
    app.dispatch([&] { startProgram(app); });
    app.settings.saveTimeline = false;
    app.monitor.playbackStep = 10;  // a thousand times the recorded speed
    app.playbackEnded = [] { QTimer::singleShot(0, [] { QCoreApplication::quit(); }); };
    app.dispatch([&] {
        onServerEntryEdited(app, recording.toLocal8Bit().toStdString());
        toggleConnection(app);
    });
    QCoreApplication::exec();

    std::vector<Timeline> games = app.timeline.finished;
    // A game the recording ends in the middle of is drawn as far as it goes, once it scored.
    const Timeline& last = app.timeline.recorder.current();
    const auto scored = [](const ScoreSeries& line) { return line.points.size() > 1; };
    if (app.timeline.recorder.running() &&
        (!last.captures.empty() || std::any_of(last.series.begin(), last.series.end(), scored)))
        games.push_back(last);
    if (games.empty()) {
        std::fprintf(stderr, "fragcaster: --timeline: no game begins in %s\n",
                     options.timeline->c_str());
        return 1;
    }
    const QString out = local(*options.timelineOut);
    const QSize size(options.timelineWidth, options.timelineHeight);
    int status = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const QString path = numbered(out, static_cast<int>(i) + 1, static_cast<int>(games.size()));
        const QString error = saveTimelinePicture(games[i], path, size, options.previewBlack);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "fragcaster: --timeline: %s\n", error.toLocal8Bit().constData());
            status = 1;
            continue;
        }
        std::string line = path.toLocal8Bit().toStdString();
        if (options.json) {
            std::string event = timelineEventJson(games[i]);
            event.insert(event.size() - 1, ",\"file\":" + jsonString(line));
            line = event;
        }
        std::printf("%s\n", line.c_str());
    }
    return status;
}

}  // namespace fc
