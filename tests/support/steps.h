// A monitor fed replies of a roster whose scores each reply may change; what it said and showed.
#pragma once

#include "support/program_fixture.h"
#include "support/replies.h"

namespace fc::test {

// Six players of two clans, three a side, with these scores.
inline std::vector<PlayerLine> sixPlayers(const char* const* s) {
    return {{s[0], "50", "[ABC]Ann"}, {s[1], "70", "=XY=Bob"},  {s[2], "60", "[ABC]Cid"},
            {s[3], "90", "=XY=Dan"},  {s[4], "30", "[ABC]Eve"}, {s[5], "110", "=XY=Fay"}};
}

struct Steps : Monitor {
    // Switched on to `entry` and past its first tick; an empty entry leaves it off.
    explicit Steps(const std::string& entry = "10.0.0.5:27910") {
        app.addListener(&said);
        if (entry.empty()) return;
        switchOn(entry);
        firstTick();
        host = entry.substr(0, entry.find_first_of(": "));
        if (entry.find(':') != std::string::npos)
            port = std::stoi(entry.substr(entry.find(':') + 1));
    }
    // `start` (header line, variables), the roster with its first scores set, `paceMs` later.
    void send(const std::string& start, const std::vector<int>& scores = {}) {
        for (std::size_t i = 0; i < scores.size(); ++i) roster[i].score = std::to_string(scores[i]);
        platform.advance(paceMs);
        reply(quake2Reply({}, roster).replace(4, 6, start), host, port);
    }
    // The queries sent since the last call, "KIND HOST:PORT MS" each.
    std::string sent() {
        std::string out;
        for (const SentDatagram& d : std::exchange(socket().sent, {})) {
            const char* kind = d.bytes == kUnrealQuery   ? "UT"
                               : d.bytes == kQuake3Query ? "Q3"
                                                         : "Q2";
            out += std::string(out.empty() ? "" : ", ") + kind + " " + d.host + ":" +
                   std::to_string(d.port) + " " + std::to_string(d.atMs);
        }
        return out;
    }
    void scores(const std::string& red, const std::string& blue = "0") {  // as the server told
        app.status.red = readTeamScore(app.monitor.redScoreText = red);
        app.status.blue = readTeamScore(app.monitor.blueScoreText = blue);
    }
    // The player rows as "name|score|ping|team|colour;", a non-breaking space shown as "_".
    std::string rows() const {
        const char* const colours[] = {"Black", "Red", "Blue", "Grey", "AssignedBlue"};
        std::string out;
        for (const PlayerRow& r : app.monitor.playerRows)
            out += r.name + "|" + r.score + "|" + r.ping + "|" + r.team + "|" +
                   colours[int(r.colour)] + ";";
        for (char& c : out) c = c == '\xA0' ? '_' : c;
        return out;
    }
    // The status the layers above take: the type, counts, the first player as "name/sent score/
    // sent name/plain score/plain name/score/ping/team", red's score ("/" if split), time left.
    std::string status() const {
        const ServerStatus& s = app.status;
        std::string out = std::string(gameTypeCode(s.gameType)) + "|" +
                          std::to_string(s.variables.size()) + "|" +
                          std::to_string(s.players.size());
        if (const StatusPlayer* p = s.players.empty() ? nullptr : &s.players.front())
            out += "|" + p->name + "/" + p->sentScore + "/" + p->sentName + "/" + p->plainScore +
                   "/" + p->plainName + "/" + std::to_string(p->score) + "/" +
                   std::to_string(p->ping) + "/" + p->team;
        return out + "|" + std::to_string(int(s.red.captures)) + (s.red.split ? "/" : " ") +
               std::to_string(int(s.red.points)) + "|" + s.timeLeft.text();
    }

    std::vector<PlayerLine> roster;
    std::string host = "10.0.0.5";
    int port = 27910;
    std::int64_t paceMs = 0;
    ReportRecorder said;
};

}  // namespace fc::test
