// Fragcaster: watches one game server during a clan match and reports it into IRC.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "core/app.h"
#include "program/command_line.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "settings/settings_file.h"
#include "shell/headless.h"
#include "shell/headless_preview.h"
#include "shell/main_window.h"
#include "shell/qt_platform.h"
#include "shell/screenshots.h"
#include "shell/stop_signals.h"
#include "shell/timeline_command.h"

namespace {

// The folder of the program as it was started: argv[0]'s, or where the search path found it.
QDir executableDir(const char* argv0) {
    const QString name = QString::fromLocal8Bit(argv0);
    QString path = name.contains('/') ? name : QStandardPaths::findExecutable(name);
    if (path.isEmpty()) path = QCoreApplication::applicationFilePath();
    return QFileInfo(path).absoluteDir();
}

// The program directory: the one asked for; else the executable's folder when it holds the
// settings file and may be written; else the per-user configuration folder.
QString programDirectory(const std::string& asked, const char* argv0) {
    if (!asked.empty()) {
        const QString dir = QDir(QString::fromLocal8Bit(asked.c_str())).absolutePath();
        QDir().mkpath(dir);
        return dir;
    }
    const QString exeDir = executableDir(argv0).path();
    const QFileInfo settings(QDir(exeDir).filePath(fc::kSettingsFile));
    if (settings.exists() && QFileInfo(exeDir).isWritable()) return exeDir;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + "/.config";
    const QString dir = config + "/fragcaster";
    QDir().mkpath(dir);
    return dir;
}

// The folder of the demo match: beside the program (a build's copy), where an
// install put it, or the source tree's above a build folder. One that also holds the demo's
// settings (its capture line) goes first.
QString shippedDemoFolder(const char* argv0) {
    const QDir exeDir = executableDir(argv0);
    QStringList candidates = {exeDir.filePath("demos"),
                              exeDir.filePath("../share/fragcaster/demos")};
    QDir up = exeDir;
    for (int level = 0; level < 3 && up.cdUp(); ++level) candidates << up.filePath("demos");
    QString recordingOnly;
    for (const QString& candidate : candidates) {
        const QDir folder(QDir::cleanPath(candidate));
        if (!QFileInfo::exists(folder.filePath(fc::kShippedDemo))) continue;
        if (QFileInfo::exists(folder.filePath(fc::kSettingsFile))) return folder.path();
        if (recordingOnly.isEmpty()) recordingOnly = folder.path();
    }
    return recordingOnly;
}

// The demo match the window offers in its server entry.
std::string shippedDemo(const char* argv0) {
    const QString folder = shippedDemoFolder(argv0);
    if (folder.isEmpty()) return {};
    return QDir(folder).filePath(fc::kShippedDemo).toLocal8Bit().toStdString();
}

// Replays the demo match headless. Without --dir the run has a scratch program folder holding
// the demo's settings, so the operator's own settings stay as they were.
int runDemo(fc::CommandLine options, const char* argv0) {
    const QString folder = shippedDemoFolder(argv0);
    if (folder.isEmpty()) {
        std::fprintf(stderr,
                     "fragcaster: --demo: the demo match %s is not beside the program (demos/ "
                     "beside it, or ../share/fragcaster/demos/)\n",
                     fc::kShippedDemo);
        return 2;
    }
    options.replay = QDir(folder).filePath(fc::kShippedDemo).toLocal8Bit().toStdString();
    if (!options.dir.empty()) return fc::runHeadless(options, programDirectory(options.dir, argv0));
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "fragcaster: --demo: no scratch folder: %s\n",
                     scratch.errorString().toLocal8Bit().constData());
        return 2;
    }
    const QString settings = scratch.filePath(fc::kSettingsFile);
    // An installed copy is read-only; the run saves its settings as every run does.
    if (QFile::copy(QDir(folder).filePath(fc::kSettingsFile), settings))
        QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner);
    fc::CommandLine inScratch = options;
    inScratch.scratchFolder = true;
    return fc::runHeadless(inScratch, scratch.path());
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const fc::ParsedCommandLine parsed = fc::parseCommandLine(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "fragcaster: %s\n%s", parsed.error.c_str(), fc::usageText().c_str());
        return 2;
    }
    const fc::CommandLine& options = parsed.options;
    if (options.showHelp) {
        std::fputs(fc::usageText().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("Fragcaster %s\n", fc::kVersion);
        return 0;
    }

    if (options.previewTemplate) {
        QCoreApplication core(argc, argv);
        return fc::runPreview(options);
    }
    // Without a window the timeline's pictures are still drawn, offscreen.
    if (options.timeline) {
        fc::drawWithoutDisplay();
        QGuiApplication gui(argc, argv);
        return fc::runTimelineCommand(options, programDirectory(options.dir, argv[0]));
    }
    if (options.demo) {
        fc::drawWithoutDisplay();
        QGuiApplication gui(argc, argv);
        return runDemo(options, argv[0]);
    }
    if (options.headless) {
        fc::drawWithoutDisplay();
        QGuiApplication gui(argc, argv);
        return fc::runHeadless(options, programDirectory(options.dir, argv[0]));
    }
    if (!hasDisplay()) {
        std::fprintf(stderr, "fragcaster: no display to show the window on; use --headless\n");
        return 2;
    }
    QApplication gui(argc, argv);
    // The program ends through its own two-phase shut-down, never because its windows are
    // closed or hidden (the close button hides the window before the browser closes).
    QApplication::setQuitOnLastWindowClosed(false);
    fc::QtPlatform platform(programDirectory(options.dir, argv[0]));
    fc::WiredApp app(platform);
    fc::MainWindow window(app);
    window.addTimelineTab(app.timeline);
    fc::saveTimelinesAtEnd(app, platform.programDir());
    app.endProgram = [] { QCoreApplication::quit(); };
    // The settings are read and the splash is up before the window shows.
    app.dispatch([&] {
        fc::startProgram(app);
        // One click on the connection button shows the shipped demo when no server was saved.
        fc::offerShippedDemo(app, shippedDemo(argv[0]));
    });
    if (options.screenshots) {
        fc::takeScreenshotsAfterReplay(app, window,
                                       QString::fromLocal8Bit(options.screenshots->c_str()));
    }
    // A signal closes the window as its close button does: the settings saved, IRC quit.
    fc::onStopSignals(&window, [&window] { window.close(); });
    window.show();
    return QApplication::exec();
}
