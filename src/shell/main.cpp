// Fragcaster: watches one game server during a clan match and reports it into IRC.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

namespace {

// The program directory: the one asked for; else the executable's folder when it holds the
// settings file and may be written; else the per-user configuration folder.
QString ProgramDirectory(const std::string& asked, const char* argv0) {
    if (!asked.empty()) {
        const QString dir = QDir(QString::fromLocal8Bit(asked.c_str())).absolutePath();
        QDir().mkpath(dir);
        return dir;
    }
    const QFileInfo exe(QString::fromLocal8Bit(argv0));
    const QString exeDir = exe.absoluteDir().path();
    const QFileInfo settings(QDir(exeDir).filePath(fc::kSettingsFile));
    if (settings.exists() && QFileInfo(exeDir).isWritable()) return exeDir;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + "/.config";
    const QString dir = config + "/fragcaster";
    QDir().mkpath(dir);
    return dir;
}

// The demo match in the recordings folder beside the program, or where an install put it.
QString ShippedDemo(const char* argv0) {
    const QDir exeDir = QFileInfo(QString::fromLocal8Bit(argv0)).absoluteDir();
    const QString name = QString::fromLatin1(fc::kShippedDemo);
    const QString beside = exeDir.filePath(QStringLiteral("demos/") + name);
    if (QFileInfo::exists(beside)) return beside;
    return QDir::cleanPath(exeDir.filePath(QStringLiteral("../share/fragcaster/demos/") + name));
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const fc::ParsedCommandLine parsed = fc::ParseCommandLine(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "fragcaster: %s\n%s", parsed.error.c_str(), fc::UsageText().c_str());
        return 2;
    }
    const fc::CommandLine& options = parsed.options;
    if (options.showHelp) {
        std::fputs(fc::UsageText().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("Fragcaster %s\n", fc::kVersion);
        return 0;
    }

    if (options.previewTemplate) {
        QCoreApplication core(argc, argv);
        return fc::RunPreview(options);
    }
    if (options.headless) {
        QCoreApplication core(argc, argv);
        return fc::RunHeadless(options, ProgramDirectory(options.dir, argv[0]));
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "fragcaster: no display to show the window on; use --headless\n");
        return 2;
    }
    QApplication gui(argc, argv);
    // The program ends through its own two-phase shut-down, never because its windows are
    // closed or hidden (the close button hides the window before the browser closes).
    QApplication::setQuitOnLastWindowClosed(false);
    fc::QtPlatform platform(ProgramDirectory(options.dir, argv[0]));
    fc::WiredApp app(platform);
    fc::MainWindow window(app);
    app.endProgram = [] { QCoreApplication::quit(); };
    // The settings are read and the splash is up before the window shows.
    app.dispatch([&] {
        fc::StartUp(app);
        // One click on the connection button shows the shipped demo when no server was saved.
        fc::OfferShippedDemo(app, ShippedDemo(argv[0]).toLocal8Bit().toStdString());
    });
    if (options.screenshots) {
        fc::TakeScreenshotsAfterReplay(app, window,
                                       QString::fromLocal8Bit(options.screenshots->c_str()));
    }
    window.show();
    return QApplication::exec();
}
