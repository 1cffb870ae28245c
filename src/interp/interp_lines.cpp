#include "interp/interp_lines.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "interp/interp_clock.h"
#include "interp/interp_feed.h"

namespace fc {

namespace {

constexpr const char* kHome = "*** home ***";
constexpr const char* kSomewhere = "*** somewhere ***";
// Flag colours in the channel: blue is colour 2, red colour 5.
constexpr const char* kBlue =
    "\x02\x03"
    "2BLUE\x03\x02";
constexpr const char* kRed =
    "\x02\x03"
    "5RED\x03\x02";

// The line from its `position`th character on (counting from 1); empty when it is shorter.
std::string textFrom(const std::string& line, std::size_t position) {
    return position - 1 < line.size() ? line.substr(position - 1) : std::string();
}

// The name before a tail: the line without its last `cut` characters, colours removed.
std::string nameBefore(const std::string& line, std::size_t cut) {
    return filterQ3Colours(line.size() > cut ? line.substr(0, line.size() - cut) : std::string());
}

void sayReport(App& app, const std::string& text) {
    sayInChannel(app, app.irc.botChannel, text, ReportKind::Interp);
}

// A flag status line's value: the carrier's name as it comes, or where the flag lies.
std::string flagWhereabouts(const std::string& value) {
    if (value == "HOME") return kHome;
    if (value == "FC Died") return kSomewhere;
    return value;
}

struct PowerUp {
    const char* tail;
    std::size_t cut;  // the tail and the blank before it
    bool InterpState::*reported;
    const char* shown;  // the power-up's name with its colour
};

const PowerUp kPowerUps[] = {
    {"got INVIS!", 11, &InterpState::interpInvis,
     "\x03"
     "14\x02INVISIBILITY\x02\x03"},
    {"got QUAD!", 10, &InterpState::interpQuad,
     "\x03"
     "4\x02QUAD\x02\x03"},
    {"got HASTE!", 11, &InterpState::interpHaste,
     "\x03"
     "7\x02HASTE\x02\x03"},
    {"got Regen", 10, &InterpState::interpRegen,
     "\x03"
     "6\x02REGEN\x02\x03"},
};

void powerUpLine(App& app, const std::string& line, const PowerUp& p) {
    if (textEndsWith(line, p.tail) && app.interp.*p.reported)
        sayReport(app, std::string(p.shown) + " taken by " + nameBefore(line, p.cut));
}

struct ServerWord {
    const char* line;
    const char* report;
};

const ServerWord kServerWords[] = {
    {"SERVER STARTING UP", "\x02Server Status:\x02 Starting up..."},
    {"SERVER WILL QUIT IN 5 SECONDS", "\x02Server Status:\x02 Server will quit in 5 seconds..."},
    {"SERVER CRASH, RESTARTING",
     "\x02Server Status:\x02 Server has \x03"
     "04crashed\x03! Restarting now..."},
    {"SERVER WILL SHUTDOWN IN 5 SECONDS",
     "\x02Server Status:\x02 Server will shutdown in 5 seconds..."},
    {"SERVER SHUTDOWN", "\x02Server Status:\x02 Server has shutdown!"},
};

}  // namespace

void handleInterpLine(App& app, const std::string& line) {
    if (textStartsWith(line, "Welcome to Interp")) app.interp.interpVersion = textFrom(line, 19);
    if (textStartsWith(line, "Made by:")) app.interp.interpAuthor = textFrom(line, 10);
    if (textStartsWith(line, "Email:")) {
        app.interp.interpEmail = textFrom(line, 8);
        sendInterp(app, "GAMESTAT");  // the greeting is complete: ask where things stand
    }
    if (textEndsWith(line, "lost the BLUE flag!")) {
        app.interp.blueFlagWhere = kSomewhere;
        if (app.interp.interpLostFlag) sayReport(app, std::string(kBlue) + " flag lost!");
    }
    if (textEndsWith(line, "lost the RED flag!")) {
        app.interp.redFlagWhere = kSomewhere;
        if (app.interp.interpLostFlag) sayReport(app, std::string(kRed) + " flag lost!");
    }
    if (textStartsWith(line, "RED Flag Status:"))
        app.interp.redFlagWhere = flagWhereabouts(textFrom(line, 18));
    if (textStartsWith(line, "BLUE Flag Status:"))
        app.interp.blueFlagWhere = flagWhereabouts(textFrom(line, 19));
    if (textEndsWith(line, "got the BLUE flag!")) {
        app.interp.blueFlagWhere = nameBefore(line, 19);
        if (app.interp.interpGotFlag)
            sayReport(app, std::string(kBlue) + " flag taken by " + app.interp.blueFlagWhere);
    }
    if (textEndsWith(line, "got the RED flag!")) {
        app.interp.redFlagWhere = nameBefore(line, 18);
        if (app.interp.interpGotFlag)
            sayReport(app, std::string(kRed) + " flag taken by " + app.interp.redFlagWhere);
    }
    if (textStartsWith(line, "Current Score (Red-Blue):")) interpCurrentScore(app, line);
    if (textStartsWith(line, "Score (Red-Blue):")) interpScore(app, line);
    powerUpLine(app, line, kPowerUps[0]);
    powerUpLine(app, line, kPowerUps[1]);
    if (line == "Timelimit hit!") interpTimelimitHit(app);
    if (textStartsWith(line, "Match Started!!!")) interpMatchStarted(app, line);
    if (textStartsWith(line, "Time Left:")) interpTimeLeft(app, line);
    if (textContains(line, "CAPTURED the")) {
        // " CAPTURED the RED flag!" is 23 characters; with BLUE the blank left over is trimmed.
        app.interp.interpCapper =
            trimBlanks(line.size() > 23 ? line.substr(0, line.size() - 23) : "");
    }
    powerUpLine(app, line, kPowerUps[2]);
    powerUpLine(app, line, kPowerUps[3]);
    if (textEndsWith(line, "Recovered the BLUE flag!")) {
        app.interp.blueFlagWhere = kHome;
        if (app.interp.interpRecoverFlag) sayReport(app, std::string(kBlue) + " flag returned!");
    }
    if (textEndsWith(line, "Recovered the RED flag!")) {
        app.interp.redFlagWhere = kHome;
        if (app.interp.interpRecoverFlag) sayReport(app, std::string(kRed) + " flag returned!");
    }
    if (app.interp.interpServerMsg) {
        for (const ServerWord& word : kServerWords)
            if (line == word.line) sayReport(app, word.report);
    }
}

}  // namespace fc
