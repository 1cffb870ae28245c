#include "shell/headless.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/login.h"
#include "monitor/poller.h"
#include "program/json_events.h"
#include "program/shutdown.h"
#include "program/startup.h"
#include "program/timeline_json.h"
#include "program/wiring.h"
#include "settings/headless_defaults.h"
#include "settings/settings_file.h"
#include "shell/qt_platform.h"
#include "shell/stop_signals.h"
#include "shell/terminal_text.h"
#include "shell/timeline_command.h"
#include "update/updater.h"

namespace fc {

namespace {

class HeadlessOutput : public AppListener {
public:
    // A run that never touches IRC prints no IRC event.
    HeadlessOutput(App& app, bool json)
        : app_(app),
          json_(json),
          style_(terminalStyleFor(::isatty(STDOUT_FILENO) == 1, std::getenv("NO_COLOR"))),
          ircState_(app.irc.ircStatus),
          ircNick_(app.irc.botNick) {}

    void replyHandled() override {
        if (json_) printLine(replyEventJson(app_));
    }
    void outputAppended(const std::string& text) override {
        json_ ? printLine(outputEventJson(text)) : printPlain(text);
    }
    // Without a window, whoever runs the program also reads warnings among the errors.
    void warningGiven(const std::string& text) override {
        std::fprintf(stderr, "fragcaster: %s\n", text.c_str());
        if (json_) printLine(statusEventJson(text));
    }
    void reportSaid(const std::string& target, const std::string& text) override {
        if (!json_) printPlain("[" + target + "] " + text);  // with JSON, once its fate is known
    }
    void reportFate(const SaidLine& line, LineFate fate, bool whenSaid) override {
        if (!json_) return;
        if (whenSaid) return printLine(reportEventJson(line.target, line.message, fate));
        printLine(ircLineEventJson(app_.irc.ircStatus, app_.irc.botNick, line, fate));
    }
    void interpHandled() override {
        if (json_) printLine(interpEventJson(app_));
    }
    // Without JSON, a message box is its title and text, its CR LF line ends as plain ones.
    void messageShown(const std::string& title, const std::string& text) override {
        if (json_) return printLine(messageEventJson(title, text));
        std::string plain = title + ": " + text;
        for (std::size_t at; (at = plain.find("\r\n")) != std::string::npos;) plain.erase(at, 1);
        printPlain(plain);
    }
    // The server browser's rows, and its status line; without JSON a row is its five columns
    // between tabs.
    void browserRowChanged(const ServerRow& r) override {
        json_
            ? printLine(rowEventJson(r))
            : printPlain(r.name + "\t" + r.players + "\t" + r.map + "\t" + r.top + "\t" + r.server);
    }
    void browserStatusChanged(const std::string& text) override {
        json_ ? printLine(statusEventJson(text)) : printPlain(text);
    }
    void webhookReported(const WebhookNews& news) override {
        if (json_) printLine(webhookEventJson(news));
    }
    // Scripts follow the connection by its state text, the nick the server gave the bot and
    // how its login went.
    void eventHandled() override {
        const std::string login = loginStateText(app_);
        if (!json_ ||
            (app_.irc.ircStatus == ircState_ && app_.irc.botNick == ircNick_ && login == ircLogin_))
            return;
        ircState_ = app_.irc.ircStatus;
        ircNick_ = app_.irc.botNick;
        ircLogin_ = login;
        printLine(ircEventJson(ircState_, ircNick_, ircLogin_));
    }

private:
    // Text as people read it: styled on a terminal, plain for a pipe or a file.
    void printPlain(const std::string& text) const { printLine(ircToTerminal(text, style_)); }
    static void printLine(const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    App& app_;
    bool json_;
    TerminalStyle style_;
    std::string ircState_, ircNick_, ircLogin_ = "none";
};

// Ends the run as closing the window does: monitoring off, then the shut-down. Its first
// phase says goodbye to IRC and saves the settings; the second, half a second later, saves them
// again and ends the event loop.
void closeRun(App& app) {
    // An open server browser closes as "Close this window" closes it.
    if (app.browserView.browserVisible) app.dispatch([&] { closeThisWindow(app); });
    if (!app.window.serverEntryEnabled) app.dispatch([&] { toggleConnection(app); });
    app.closeMainWindow();
}

}  // namespace

void attachHeadlessOutput(App& app, bool json) {
    static std::vector<std::unique_ptr<HeadlessOutput>> outputs;
    outputs.push_back(std::make_unique<HeadlessOutput>(app, json));
    app.addListener(outputs.back().get());
}

int runHeadless(const CommandLine& options, const QString& programDir) {
    QtPlatform platform(programDir);
    WiredApp app(platform);
    attachHeadlessOutput(app, options.json);
    saveTimelinesAtEnd(app, programDir, [json = options.json](const Timeline& timeline) {
        if (json) std::printf("%s\n", summaryEventJson(timeline).c_str());
        std::fflush(stdout);
    });
    // No window stands in the way of closing: every close request goes straight to the shut-down.
    app.closeMainWindow = [&app] { app.dispatch([&] { onCloseRequest(app); }); };
    app.endProgram = [] { QCoreApplication::quit(); };
    app.dispatch([&] { startProgram(app); });
    const std::string settingsPath =
        QDir(programDir).filePath(QString::fromLatin1(kSettingsFile)).toLocal8Bit().toStdString();

    QObject signalOwner;
    onStopSignals(&signalOwner, [&app] { closeRun(app); });

    if (options.durationSeconds) {
        QTimer::singleShot(static_cast<int>(*options.durationSeconds * 1000),
                           [&] { closeRun(app); });
    }
    // What the command line names is for this run: the settings file keeps what it held.
    RunOnlySettings& kept = app.keptSettings;
    if (options.server || options.replay) kept.savedServerEntry = app.settings.serverEntry;
    if (options.ircChannel) kept.savedChannel = app.settings.channelEntry;
    if (options.ircNick) kept.savedNick = app.settings.ircName;
    if (options.ircKey) kept.channelKey = app.settings.channelKey;
    if (options.ircHost) {
        kept.ircServer = app.settings.ircServer;
        kept.ircPort = app.settings.ircPort;
    }
    if (options.webhookUrl) {
        kept.webhookUrl = app.settings.webhookUrl;
        app.settings.webhookUrl = *options.webhookUrl;
    }
    if (options.webhookFormat) {
        kept.webhookFormat = app.settings.webhookFormat;
        app.settings.webhookFormat = *options.webhookFormat;
    }
    // A folder deleted at exit keeps no picture: none is saved there, nor said to be.
    if (options.scratchFolder) app.settings.saveTimeline = false;
    // Before the monitor is switched on: switching on opens the feed.
    if (options.interpPort) app.interp.interpPort = *options.interpPort;
    if (options.interpEvents) {
        for (const InterpEventName& e : kInterpEvents) {
            const auto& on = *options.interpEvents;
            app.interp.*e.on = std::find(on.begin(), on.end(), e.name) != on.end();
        }
    }
    // Lines said without IRC still name the channel they would go to.
    if (app.irc.botChannel.empty())
        app.irc.botChannel = options.ircChannel.value_or(app.settings.channelEntry);
    if (options.record) {
        app.monitor.recordingOn = true;
        app.monitor.recordingFolder.clear();
        app.monitor.recordingFileName = *options.record;
    }
    app.monitor.playbackStep = options.speed * 0.01;
    if (options.replay && !options.durationSeconds) app.playbackEnded = [&app] { closeRun(app); };
    if (options.server || options.replay) {
        app.dispatch([&] {
            onServerEntryEdited(app, options.replay ? *options.replay : *options.server);
            toggleConnection(app);
        });
    } else if (!options.sweep && !options.checkUpdate) {
        if (isUsableServerEntry(app.settings.serverEntry)) {
            app.dispatch([&] { toggleConnection(app); });  // the server the settings last had
        } else {
            // A first run has only the hint text: say why nothing happens, and what would.
            std::fprintf(stderr,
                         "fragcaster: no game server is watched: the settings name none "
                         "(Q2Selected in %s).\n"
                         "  watch one:            fragcaster --headless --server HOST[:PORT]\n"
                         "  play a recording:     fragcaster --headless --replay FILE\n"
                         "  see the demo match:   fragcaster --demo\n"
                         "  every option:         fragcaster --help\n",
                         settingsPath.c_str());
        }
    }
    if (options.checkUpdate) {
        // The run ends with the check's answer; a host that never ends the connection is given
        // ten seconds.
        auto ended = std::make_shared<bool>(false);
        auto end = [&app, ended] {
            if (*ended) return;
            *ended = true;
            closeRun(app);
        };
        app.updateCheckEnded = [end] { QTimer::singleShot(0, end); };
        QTimer::singleShot(10000, end);
        app.dispatch([&] { checkForUpdateNow(app); });
    }
    if (options.sweep) {
        // The run ends a second after the sweep.
        app.browserSweepEnded = [&app] { QTimer::singleShot(1000, [&app] { closeRun(app); }); };
        app.dispatch([&] {
            openBrowser(app);
            BrowserView& b = app.browserView;
            b.filterEmpty = options.filterEmpty;
            b.filterUnanswered = options.filterUnanswered;
            b.fastThisRun = options.sweepFast;
            if (b.askingMaster) {
                b.sweepAfterMaster = true;  // once the master server's list is in
            } else {
                totalRefresh(app);
            }
        });
    }
    if (options.tls) app.irc.tlsThisRun = true;
    if (options.tlsInsecure) app.irc.tlsInsecureThisRun = true;
    if (options.noReconnect) app.irc.reconnectThisRun = false;
    if (options.saslPasswordFile) {
        // A path as typed, from the folder the command runs in.
        QFile file(QString::fromLocal8Bit(*options.saslPasswordFile));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "fragcaster: --sasl-password-file: cannot read %s\n",
                         options.saslPasswordFile->c_str());
            return 2;
        }
        const std::string bytes = file.readAll().toStdString();
        app.irc.saslUserThisRun = *options.saslUser;
        app.irc.saslPasswordThisRun = bytes.substr(0, bytes.find_first_of("\r\n"));
    }
    if (options.ircChannel) app.settings.channelEntry = *options.ircChannel;
    if (options.ircNick) app.settings.ircName = *options.ircNick;
    if (options.ircKey) app.settings.channelKey = *options.ircKey;
    if (options.ircHost) {
        app.dispatch([&] {
            app.settings.ircServer = *options.ircHost;
            app.settings.ircPort = std::to_string(
                options.tls && !options.ircPortGiven ? kTlsIrcPort : options.ircPort);
            connectIrc(app);
        });
    }
    if (options.ircFromSettings) {
        if (!isUsableIrcServer(app.settings.ircServer)) {
            std::fprintf(stderr,
                         "fragcaster: --irc-from-settings: the settings name no IRC server to "
                         "connect to (IRCSerSel = \"%s\" in %s).\n"
                         "  name one:      fragcaster --headless --irc HOST[:PORT] "
                         "--channel '#CHANNEL' --nick NICK\n"
                         "  or set IRCSerSel, IRCPort, IRCChannel and IRCName in that file;\n"
                         "  every option:  fragcaster --help\n",
                         app.settings.ircServer.c_str(), settingsPath.c_str());
            return 2;
        }
        app.dispatch([&] { connectIrc(app); });
    }
    return QCoreApplication::exec();
}

}  // namespace fc
