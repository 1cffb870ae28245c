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
std::string From(const std::string& line, std::size_t position) {
    return position - 1 < line.size() ? line.substr(position - 1) : std::string();
}

// The name before a tail: the line without its last `cut` characters, colours removed.
std::string NameBefore(const std::string& line, std::size_t cut) {
    return FilterQ3Colors(line.size() > cut ? line.substr(0, line.size() - cut) : std::string());
}

void Report(App& app, const std::string& text) {
    stuurMSG(app, app.view.botChannel, text, ReportKind::Interp);
}

// A flag status line's value: the carrier's name as it comes, or where the flag lies.
std::string FlagWhereabouts(const std::string& value) {
    if (value == "HOME") return kHome;
    if (value == "FC Died") return kSomewhere;
    return value;
}

struct PowerUp {
    const char* tail;
    std::size_t cut;  // the tail and the blank before it
    bool MainView::*reported;
    const char* shown;  // the power-up's name with its colour
};

const PowerUp kPowerUps[] = {
    {"got INVIS!", 11, &MainView::InterpInvis,
     "\x03"
     "14\x02INVISIBILITY\x02\x03"},
    {"got QUAD!", 10, &MainView::InterpQuad,
     "\x03"
     "4\x02QUAD\x02\x03"},
    {"got HASTE!", 11, &MainView::InterpHaste,
     "\x03"
     "7\x02HASTE\x02\x03"},
    {"got Regen", 10, &MainView::InterpRegen,
     "\x03"
     "6\x02REGEN\x02\x03"},
};

void PowerUpLine(App& app, const std::string& line, const PowerUp& p) {
    if (EndsWith(line, p.tail) && app.view.*p.reported)
        Report(app, std::string(p.shown) + " taken by " + NameBefore(line, p.cut));
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

void HandleInterpLine(App& app, const std::string& line) {
    MainView& v = app.view;
    if (StartsWith(line, "Welcome to Interp")) v.InterpVersion = From(line, 19);
    if (StartsWith(line, "Made by:")) v.InterpAuthor = From(line, 10);
    if (StartsWith(line, "Email:")) {
        v.InterpEmail = From(line, 8);
        SendInterp(app, "GAMESTAT");  // the greeting is complete: ask where things stand
    }
    if (EndsWith(line, "lost the BLUE flag!")) {
        v.StatBlue = kSomewhere;
        if (v.InterpLostFlag) Report(app, std::string(kBlue) + " flag lost!");
    }
    if (EndsWith(line, "lost the RED flag!")) {
        v.StatRed = kSomewhere;
        if (v.InterpLostFlag) Report(app, std::string(kRed) + " flag lost!");
    }
    if (StartsWith(line, "RED Flag Status:")) v.StatRed = FlagWhereabouts(From(line, 18));
    if (StartsWith(line, "BLUE Flag Status:")) v.StatBlue = FlagWhereabouts(From(line, 19));
    if (EndsWith(line, "got the BLUE flag!")) {
        v.StatBlue = NameBefore(line, 19);
        if (v.InterpGotFlag) Report(app, std::string(kBlue) + " flag taken by " + v.StatBlue);
    }
    if (EndsWith(line, "got the RED flag!")) {
        v.StatRed = NameBefore(line, 18);
        if (v.InterpGotFlag) Report(app, std::string(kRed) + " flag taken by " + v.StatRed);
    }
    if (StartsWith(line, "Current Score (Red-Blue):")) InterpCurrentScore(app, line);
    if (StartsWith(line, "Score (Red-Blue):")) InterpScore(app, line);
    PowerUpLine(app, line, kPowerUps[0]);
    PowerUpLine(app, line, kPowerUps[1]);
    if (line == "Timelimit hit!") InterpTimelimitHit(app);
    if (StartsWith(line, "Match Started!!!")) InterpMatchStarted(app, line);
    if (StartsWith(line, "Time Left:")) InterpTimeLeft(app, line);
    if (Contains(line, "CAPTURED the")) {
        // " CAPTURED the RED flag!" is 23 characters; with BLUE the blank left over is trimmed.
        v.interpCapper = Trim(line.size() > 23 ? line.substr(0, line.size() - 23) : "");
    }
    PowerUpLine(app, line, kPowerUps[2]);
    PowerUpLine(app, line, kPowerUps[3]);
    if (EndsWith(line, "Recovered the BLUE flag!")) {
        v.StatBlue = kHome;
        if (v.InterpRecoverFlag) Report(app, std::string(kBlue) + " flag returned!");
    }
    if (EndsWith(line, "Recovered the RED flag!")) {
        v.StatRed = kHome;
        if (v.InterpRecoverFlag) Report(app, std::string(kRed) + " flag returned!");
    }
    if (v.InterpServerMsg) {
        for (const ServerWord& word : kServerWords)
            if (line == word.line) Report(app, word.report);
    }
}

}  // namespace fc
