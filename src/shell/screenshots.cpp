#include "shell/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "browser/browser_actions.h"
#include "core/app.h"
#include "monitor/poller.h"
#include "preview/codes_help.h"
#include "program/startup.h"
#include "settings/advanced_mode.h"

namespace fc {

namespace {

// The tabs pictured, by position, with their file names.
struct Picture {
    int tab;
    const char* file;
};
constexpr Picture kPictures[] = {{1, "game"},    {0, "irc"},    {2, "options"},
                                 {3, "srvinfo"}, {4, "record"}, {8, "timeline"}};

constexpr int kLongestReplayMs = 60000;

bool saveScreenshot(QWidget* widget, const QString& path) {
    QCoreApplication::processEvents();
    const bool saved = widget->grab().save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save",
                 QDir::toNativeSeparators(path).toLocal8Bit().constData());
    return saved;
}

void savePictures(App& app, QWidget& window, const QString& dir) {
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("Tabs"));
    bool saved = tabs != nullptr;
    for (const Picture& p : kPictures) {
        if (!tabs) break;
        tabs->setCurrentIndex(p.tab);
        saved = saveScreenshot(&window, QDir(dir).filePath(QString::fromLatin1(p.file) + ".png")) &&
                saved;
    }
    app.dispatch([&] { openCodesHelp(app); });
    if (auto* codes = window.findChild<QWidget*>(QStringLiteral("Form4")))
        saved = saveScreenshot(codes, QDir(dir).filePath(QStringLiteral("codes.png"))) && saved;
    // The server browser with the rows of the folder's snapshot, the replayed server's players
    // in its pane. Without a stored list it would ask the master server: then no picture.
    if (!app.settings.savedServers.empty()) {
        app.dispatch([&] {
            openBrowser(app);
            app.browserView.selected = 0;
            app.browserView.lastDetailAnswer = app.monitor.lastReplyText;
            fillDetailList(app);
        });
        for (QWidget* browser : QApplication::topLevelWidgets()) {
            if (browser->objectName() == QStringLiteral("Form3"))
                saved =
                    saveScreenshot(browser, QDir(dir).filePath(QStringLiteral("browser.png"))) &&
                    saved;
        }
    }
    QCoreApplication::exit(saved ? 0 : 1);
}

}  // namespace

void takeScreenshotsAfterReplay(App& app, QWidget& window, const QString& dir) {
    QDir().mkpath(dir);
    auto once = std::make_shared<bool>(false);
    auto save = [&app, &window, dir, once] {
        if (*once) return;
        *once = true;
        // After the handler that ended the playback has returned.
        QTimer::singleShot(0, &window, [&app, &window, dir] { savePictures(app, window, dir); });
    };
    app.playbackEnded = save;
    QTimer::singleShot(kLongestReplayMs, &window, save);
    app.dispatch([&app] {
        closeSplash(app);
        switchAdvancedOn(app);
        app.monitor.playbackStep = 10;  // a thousand times real time
        if (app.window.connectionButtonEnabled) toggleConnection(app);  // as its button would
    });
}

}  // namespace fc
