// The program's command line. Scripts depend on it: options are only ever added.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app.h"

namespace fc {

struct CommandLine {
    bool headless = false;
    bool json = false;
    bool showVersion = false;
    bool showHelp = false;
    std::string dir;  // "" means the default program directory
    std::optional<std::string> server;
    std::optional<double> durationSeconds;
    // The IRC bot: connected at start when `ircHost` is given; the others override the fields.
    std::optional<std::string> ircHost;
    int ircPort = 6667;
    bool ircPortGiven = false;  // without a port, TLS dials 6697
    std::optional<std::string> ircChannel;
    std::optional<std::string> ircNick;
    std::optional<std::string> ircKey;
    // Connects the bot at start to the IRC server, port, channel and nick of the settings.
    bool ircFromSettings = false;
    // The Interp service's port, and which of its events are reported (the names of
    // kInterpEvents; none of them for "none"); unset keeps the service's port 3490 and the
    // window's initial switches.
    std::optional<int> interpPort;
    std::optional<std::vector<std::string>> interpEvents;
    // For this run only, never saved: TLS, TLS accepting any certificate, no reconnecting.
    bool tls = false;
    bool tlsInsecure = false;
    bool noReconnect = false;
    // SASL for this run, never saved; the password is read from a file, since an argument
    // shows in every process list.
    std::optional<std::string> saslUser, saslPasswordFile;
    // A recording played through the analysis; the run ends at its end unless a duration is set.
    std::optional<std::string> replay;
    // Recorded hundredths of a second replayed per 10 ms tick (1 is real time).
    double speed = 1;
    // Every live reply of the run is appended to this file.
    std::optional<std::string> record;
    // A template tried without a window: printed filled with the kind's sample values, then as
    // the preview's RTF document. The address codes take --server when it is given.
    std::optional<std::string> previewTemplate;
    bool previewTeamGame = false;  // --kind ctf
    bool previewBlack = false;     // --background black
    bool previewNoColors = false;
    // The window plays the recording of its server entry at full speed, saves a picture of
    // each main tab into this folder and ends.
    std::optional<std::string> screenshots;
    // "Total refresh" of the server browser over the stored list (the master server's list when
    // it is empty), then the end; the fast sweep and the browser's two filters for this run.
    bool sweep = false;
    bool sweepFast = false;
    bool filterEmpty = false;
    bool filterUnanswered = false;
    // "Check for update now.", then the end.
    bool checkUpdate = false;
    // The shipped demo match replayed without a window (1000 times the speed unless --speed says
    // otherwise), from a program folder of its own unless --dir names one.
    bool demo = false;
    bool scratchFolder = false;  // the run's program folder is deleted when it ends
    // A chat room's webhook told every channel line, for this run only; and its format.
    std::optional<std::string> webhookUrl;
    std::optional<std::string> webhookFormat;
    // Every game of this recording drawn as a timeline into `timelineOut` (PNG or SVG), of
    // this size; --background black gives it a black background.
    std::optional<std::string> timeline;
    std::optional<std::string> timelineOut;
    int timelineWidth = 1200;
    int timelineHeight = 600;
    bool timelineSized = false;  // --size was given
};

// The names --interp-events takes, each with the report switch it turns on.
struct InterpEventName {
    const char* name;
    bool InterpState::*on;
};
extern const InterpEventName kInterpEvents[9];

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // names the bad argument; empty when the line is good
};

// Parses the arguments after the program name.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText();

}  // namespace fc
