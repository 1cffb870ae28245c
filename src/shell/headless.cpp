#include "shell/headless.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
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
#include "monitor/poller.h"
#include "program/json_events.h"
#include "program/shutdown.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "settings/headless_defaults.h"
#include "settings/settings_file.h"
#include "shell/qt_platform.h"
#include "shell/terminal_text.h"
#include "update/updater.h"

namespace fc {

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop picks the byte up.
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}

class HeadlessOutput : public AppListener {
public:
    // A run that never touches IRC prints no IRC event.
    HeadlessOutput(App& app, bool json)
        : app_(app),
          json_(json),
          style_(TerminalStyleFor(::isatty(STDOUT_FILENO) == 1, std::getenv("NO_COLOR"))),
          ircState_(app.view.IRCStat),
          ircNick_(app.view.botNick) {}

    void replyHandled() override {
        if (json_) Line(ReplyEventJson(app_.view));
    }
    void outputAppended(const std::string& text) override {
        json_ ? Line(OutputEventJson(text)) : Plain(text);
    }
    // Without a window, whoever runs the program also reads warnings among the errors.
    void warningGiven(const std::string& text) override {
        std::fprintf(stderr, "fragcaster: %s\n", text.c_str());
    }
    void reportSaid(const std::string& target, const std::string& text) override {
        if (!json_) Plain("[" + target + "] " + text);  // with JSON, once its fate is known
    }
    void reportFate(const SaidLine& line, LineFate fate, bool whenSaid) override {
        if (!json_) return;
        if (whenSaid) return Line(ReportEventJson(line.target, line.message, fate));
        Line(IrcLineEventJson(app_.view.IRCStat, app_.view.botNick, line, fate));
    }
    void interpHandled() override {
        if (json_) Line(InterpEventJson(app_.view));
    }
    // Without JSON, a message box is its title and text, its CR LF line ends as plain ones.
    void messageShown(const std::string& title, const std::string& text) override {
        if (json_) return Line(MessageEventJson(title, text));
        std::string plain = title + ": " + text;
        for (std::size_t at; (at = plain.find("\r\n")) != std::string::npos;) plain.erase(at, 1);
        Plain(plain);
    }
    // The server browser's rows, and its status line; without JSON a row is its five columns
    // between tabs.
    void browserRowChanged(const ServerRow& r) override {
        json_ ? Line(RowEventJson(r))
              : Plain(r.name + "\t" + r.players + "\t" + r.map + "\t" + r.top + "\t" + r.server);
    }
    void browserStatusChanged(const std::string& text) override {
        json_ ? Line(StatusEventJson(text)) : Plain(text);
    }
    // Scripts follow the connection by its state text and the nick the server gave the bot.
    void eventHandled() override {
        const MainView& v = app_.view;
        if (!json_ || (v.IRCStat == ircState_ && v.botNick == ircNick_)) return;
        ircState_ = v.IRCStat;
        ircNick_ = v.botNick;
        Line(IrcEventJson(ircState_, ircNick_));
    }

private:
    // Text as people read it: styled on a terminal, plain for a pipe or a file.
    void Plain(const std::string& text) const { Line(IrcToTerminal(text, style_)); }
    static void Line(const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    App& app_;
    bool json_;
    TerminalStyle style_;
    std::string ircState_, ircNick_;
};

// Ends the run as closing the window does: monitoring off, then the shut-down. Its first
// phase says goodbye to IRC and saves the settings; the second, half a second later, saves them
// again and ends the event loop.
void Close(App& app) {
    // An open server browser closes as "Close this window" closes it.
    if (app.Form3.Form3Visible) app.dispatch([&] { CloseThisWindow(app); });
    if (!app.view.Q2ServerlistEnabled) app.dispatch([&] { WisselConnectie(app); });
    app.closeMainWindow();
}

}  // namespace

void AttachHeadlessOutput(App& app, bool json) {
    static std::vector<std::unique_ptr<HeadlessOutput>> outputs;
    outputs.push_back(std::make_unique<HeadlessOutput>(app, json));
    app.addListener(outputs.back().get());
}

int RunHeadless(const CommandLine& options, const QString& programDir) {
    QtPlatform platform(programDir);
    WiredApp app(platform);
    AttachHeadlessOutput(app, options.json);
    // No window stands in the way of closing: every close request goes straight to the shut-down.
    app.closeMainWindow = [&app] { app.dispatch([&] { OnCloseRequest(app); }); };
    app.endProgram = [] { QCoreApplication::quit(); };
    app.dispatch([&] { StartUp(app); });
    const std::string settingsPath =
        QDir(programDir).filePath(QString::fromLatin1(kSettingsFile)).toLocal8Bit().toStdString();

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char byte;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &byte, 1);
        Close(app);
    });

    if (options.durationSeconds) {
        QTimer::singleShot(static_cast<int>(*options.durationSeconds * 1000), [&] { Close(app); });
    }
    // What the command line names is for this run: the settings file keeps what it held.
    MainView& v = app.view;
    RunOnlySettings& kept = app.keptSettings;
    if (options.server || options.replay) kept.Q2Selected = v.Q2Serverlist;
    if (options.ircChannel) kept.IRCChannel = v.txtstdKanaal;
    if (options.ircNick) kept.IRCName = v.ircName;
    if (options.ircKey) kept.IRCKey = v.IRCKey;
    if (options.ircHost) {
        kept.IRCServer = v.IRCServer;
        kept.IRCPort = v.IRCPort;
    }
    // Before the monitor is switched on: switching on opens the feed.
    if (options.interpPort) v.interpPort = *options.interpPort;
    if (options.interpEvents) {
        for (const InterpEventName& e : kInterpEvents) {
            const auto& on = *options.interpEvents;
            v.*e.on = std::find(on.begin(), on.end(), e.name) != on.end();
        }
    }
    // Lines said without IRC still name the channel they would go to.
    if (v.botChannel.empty()) v.botChannel = options.ircChannel.value_or(v.txtstdKanaal);
    if (options.record) {
        v.RecordIt = true;
        v.RecordItDir.clear();
        v.RecordItWhere = *options.record;
    }
    v.playbackStep = options.speed * 0.01;
    if (options.replay && !options.durationSeconds) app.playbackEnded = [&app] { Close(app); };
    if (options.server || options.replay) {
        app.dispatch([&] {
            OnServerEntryEdited(app, options.replay ? *options.replay : *options.server);
            WisselConnectie(app);
        });
    } else if (!options.sweep && !options.checkUpdate) {
        if (IsUsableServerEntry(v.Q2Serverlist)) {
            app.dispatch([&] { WisselConnectie(app); });  // the server the settings last had
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
            Close(app);
        };
        app.updateCheckEnded = [end] { QTimer::singleShot(0, end); };
        QTimer::singleShot(10000, end);
        app.dispatch([&] { UpdateKnop(app); });
    }
    if (options.sweep) {
        // The run ends a second after the sweep.
        app.browserSweepEnded = [&app] { QTimer::singleShot(1000, [&app] { Close(app); }); };
        app.dispatch([&] {
            OpenBrowser(app);
            BrowserView& b = app.Form3;
            b.filterempty = options.filterEmpty;
            b.filternorespond = options.filterUnanswered;
            b.fastThisRun = options.sweepFast;
            if (b.askingMaster) {
                b.sweepAfterMaster = true;  // once the master server's list is in
            } else {
                TotalRefresh(app);
            }
        });
    }
    if (options.tls) app.irc.tlsThisRun = true;
    if (options.tlsInsecure) app.irc.tlsInsecureThisRun = true;
    if (options.noReconnect) app.irc.reconnectThisRun = false;
    if (options.ircChannel) v.txtstdKanaal = *options.ircChannel;
    if (options.ircNick) v.ircName = *options.ircNick;
    if (options.ircKey) v.IRCKey = *options.ircKey;
    if (options.ircHost) {
        app.dispatch([&] {
            v.IRCServer = *options.ircHost;
            v.IRCPort = std::to_string(options.tls && !options.ircPortGiven ? kTlsIrcPort
                                                                            : options.ircPort);
            ConnectIrc(app);
        });
    }
    if (options.ircFromSettings) {
        if (!IsUsableIrcServer(v.IRCServer)) {
            std::fprintf(stderr,
                         "fragcaster: --irc-from-settings: the settings name no IRC server to "
                         "connect to (IRCSerSel = \"%s\" in %s).\n"
                         "  name one:      fragcaster --headless --irc HOST[:PORT] "
                         "--channel '#CHANNEL' --nick NICK\n"
                         "  or set IRCSerSel, IRCPort, IRCChannel and IRCName in that file;\n"
                         "  every option:  fragcaster --help\n",
                         v.IRCServer.c_str(), settingsPath.c_str());
            return 2;
        }
        app.dispatch([&] { ConnectIrc(app); });
    }
    return QCoreApplication::exec();
}

}  // namespace fc
