// The main window's logic side: the view model, the timers and sockets it owns, and the
// listeners (window, headless output) told about what happened. Operations of every subsystem
// are free functions taking the App, as they would be on the window itself. The App only owns
// its timers and sockets; which handler each one calls is decided by the wiring above the
// subsystems.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/browser_view.h"
#include "core/host_names.h"
#include "core/interp_state.h"
#include "core/irc_session.h"
#include "core/line_sink.h"
#include "core/match_moments.h"
#include "core/match_progress.h"
#include "core/monitor_followers.h"
#include "core/monitor_state.h"
#include "core/platform.h"
#include "core/preview_state.h"
#include "core/reply_memory.h"
#include "core/server_status.h"
#include "core/settings_values.h"
#include "core/window_state.h"

namespace fc {

inline constexpr const char* kVersion = "1.33";
inline constexpr int kBuildNumber = 139;
inline constexpr const char* kWebPage = "https://fragcaster.example.net/";

class AppListener {
public:
    virtual ~AppListener() = default;
    // After every handled event (timer tick, socket event, operator action).
    virtual void eventHandled() {}
    // After a reply went through the whole reply handler.
    virtual void replyHandled() {}
    // After a text was appended to the IRC output window.
    virtual void outputAppended(const std::string& /*text*/) {}
    // After a warning was appended to the IRC output window (the headless run also prints it
    // on stderr).
    virtual void warningGiven(const std::string& /*text*/) {}
    // For every line handed to the channel, before any of its own checks.
    virtual void reportSaid(const std::string& /*target*/, const std::string& /*text*/) {}
    // What the IRC side did with a line said in the channel: right after reportSaid
    // (`whenSaid`), and again when a line that waits for the channel leaves late or is dropped.
    virtual void reportFate(const SaidLine& /*line*/, LineFate /*fate*/, bool /*whenSaid*/) {}
    // After an event of the Interp feed's socket (connected, data arrived, closed) was handled.
    virtual void interpHandled() {}
    // A message box for the operator: the window shows it, the headless run prints it.
    virtual void messageShown(const std::string& /*title*/, const std::string& /*text*/) {}
    // A row of the server browser was added or changed.
    virtual void browserRowChanged(const ServerRow& /*row*/) {}
    // The server browser's status line changed.
    virtual void browserStatusChanged(const std::string& /*text*/) {}
    // A request to the chat room's webhook was answered.
    virtual void webhookReported(const WebhookNews& /*news*/) {}
};

// The saved values a command line replaces for one run only: the settings file keeps these
// in their place when it is written.
struct RunOnlySettings {
    std::optional<std::string> savedServerEntry;
    std::optional<std::string> ircServer;
    std::optional<std::string> ircPort;
    std::optional<std::string> savedChannel;
    std::optional<std::string> savedNick;
    std::optional<std::string> channelKey;
    std::optional<std::string> webhookUrl;
    std::optional<std::string> webhookFormat;
};

class App {
public:
    explicit App(Platform& platform);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& platform;

    // The state, each part held by the subsystem that owns it (the IRC session's is `irc`, the
    // server browser's `browserView`, below). The window draws from all of them after every
    // handled event and holds nothing of its own.
    MonitorState monitor;
    MatchProgress match;
    SettingsValues settings;
    InterpState interp;
    PreviewState preview;
    WindowState window;

    // Timers owned by the monitor and the match clocks.
    std::unique_ptr<Timer> pollTimer;  // poll tick
    // The Quake queries of a tick whose family is unknown: at once, after the waiting events.
    std::unique_ptr<Timer> quakeQueryTimer;
    std::unique_ptr<Timer> playedSecondsTimer;  // advances the match clock
    std::unique_ptr<Timer> battleTimer;         // Quake match clock
    std::unique_ptr<Timer> unrealMatchTimer;    // Unreal Tournament match clock
    std::unique_ptr<Timer> captionTimer;        // the window caption while minimised
    std::unique_ptr<Timer> playbackTimer;       // playback of a recording
    std::unique_ptr<Timer> interpClockTimer;    // event-feed match clock

    // The game-status socket: queries out, replies in.
    std::unique_ptr<UdpSocket> gameSocket;

    // Host names looked up for the monitor, the server browser and the master server.
    HostNames hostNames{platform};

    // The Interp service's event feed.
    std::unique_ptr<TcpSocket> interpSocket;

    // The IRC connection with its status refresh, second PONG, re-join while banned and the
    // ignore-list countdown.
    std::unique_ptr<TcpSocket> ircSocket;
    std::unique_ptr<Timer> ircStatusTimer;
    std::unique_ptr<Timer> pongTimer;
    std::unique_ptr<Timer> antiBanTimer;
    std::unique_ptr<Timer> ignoreTimer;
    std::unique_ptr<Timer> ircSendTimer;    // lets the next queued line leave
    std::unique_ptr<Timer> reconnectTimer;  // dials again after the connection was lost
    std::unique_ptr<Timer> loginTimer;      // the longest wait for a service's answer
    IrcSession irc;

    RunOnlySettings keptSettings;
    ReplyMemory memory;  // what the reply handler keeps between replies
    // The last reply as the monitor read it, and the one the match rules compare it with (kept
    // by the match rules when they are done with a reply, emptied when monitoring restarts).
    ServerStatus status;
    ServerStatus previousStatus;
    // The match rules are done with `status`: it becomes the previous one. Nothing reads the
    // previous status between replies, so the next reading swaps the two instead of a copy now.
    void keepStatusAsPrevious() { statusIsPrevious_ = true; }
    // `status` to be filled anew by the monitor, its players and variables keeping their room.
    ServerStatus& statusToFill();
    // Monitoring restarts: no status to compare with.
    void forgetPreviousStatus();
    MonitorFollowers monitorFollowers;

    // The one exit for lines said in the channel; the IRC subsystem provides it.
    std::unique_ptr<LineSink> lineSink;

    // The splash window's two timers (restore the main window once, then close the splash) and
    // the timer that starts the second phase of closing.
    std::unique_ptr<Timer> splashEndTimer;
    std::unique_ptr<Timer> splashRestoreTimer;
    std::unique_ptr<Timer> quitTimer;

    // The server browser: its state, the full and the quick sweep (one server a tick), the
    // hand-over to the monitor, the one redraw after opening, the fast sweep's check for
    // servers that did not answer and the wait for the master server; the sweep's socket, the
    // clicked server's socket and the master server's socket.
    BrowserView browserView;
    std::unique_ptr<Timer> sweepTimer;
    std::unique_ptr<Timer> quickSweepTimer;
    std::unique_ptr<Timer> handOverTimer;
    std::unique_ptr<Timer> browserRedrawTimer;
    std::unique_ptr<Timer> fastSweepTimer;
    std::unique_ptr<Timer> masterTimer;
    std::unique_ptr<UdpSocket> sweepSocket;
    std::unique_ptr<UdpSocket> detailSocket;
    std::unique_ptr<UdpSocket> masterSocket;

    // The update check: its connection, whether the operator asked for it (then "no newer
    // version" is said too), and the answer received so far.
    std::unique_ptr<TcpSocket> updateSocket;
    struct UpdateCheck {
        bool running = false;
        bool manualCheck = false;
        std::string answer;
    } updateCheck;

    // What the logic asks of the main window beyond its fields. The window fills these in; the
    // headless run stands in for it. Unset, they do nothing.
    std::function<void()> closeMainWindow;    // a close request, as the close button makes
    std::function<void()> restoreMainWindow;  // back to the normal, not minimised state
    std::function<void()> endProgram;         // the event loop ends once the handler returns
    std::function<void()> playbackEnded;      // a recording played to its end (or its damage)
    std::function<void()> browserSweepEnded;  // the server browser's sweep came to its end
    std::function<void()> updateCheckEnded;   // an update check gave its answer, or failed
    std::function<void(const MatchMoment&)> matchMoment;  // a moment the match rules said

    // The recording being played back: its bytes, where the next record starts, how many
    // records were read, and a record read ahead whose time has not come yet.
    struct Playback {
        bool open = false;
        std::string path;
        std::string bytes;
        std::size_t offset = 0;
        int recordsRead = 0;
        bool held = false;
        double heldTime = 0;
        std::string heldReply;
        double clock = 0;  // the recorded time reached
        // The recorded server, as the lines name it: the address of the last server record,
        // else the file's name.
        std::string server;
        double replayedTime = 0;  // the time of the reply replayed last, or of the first record
    } playback;

    void addListener(AppListener* listener);
    void removeListener(AppListener* listener);

    // Appends a line to the IRC output window (CR LF behind it), keeping it bounded.
    void appendOutput(const std::string& text);
    // Appends bytes as they are, without a line end (the server's raw text).
    void appendOutputRaw(const std::string& bytes);
    // Appends a warning to the IRC output window, as a line.
    void warn(const std::string& text);

    // Runs an event's handler, then tells the listeners the event was handled.
    void dispatch(const std::function<void()>& handler);

    void notifyReplyHandled();
    void notifyReportSaid(const std::string& target, const std::string& text);
    void notifyReportFate(const SaidLine& line, LineFate fate, bool whenSaid);
    void notifyInterpHandled();
    // Shows the operator a message box (lines of `text` are separated by CR LF).
    void showMessage(const std::string& title, const std::string& text);
    void notifyBrowserRow(const ServerRow& row);
    void notifyBrowserStatus(const std::string& text);
    void notifyWebhook(const WebhookNews& news);

private:
    bool statusIsPrevious_ = false;
    std::unique_ptr<Timer> makeTimer(int intervalMs, bool enabled);
    std::vector<AppListener*> listeners_;
};

}  // namespace fc
