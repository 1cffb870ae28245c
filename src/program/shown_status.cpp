#include "program/shown_status.h"

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

ShownStatus showStatus(const App& app) {
    const MonitorState& m = app.monitor;
    ShownStatus s;
    s.family = m.familyLabel;
    s.gameType = m.gameTypeLabel;
    s.game = m.gameText;
    s.map = m.mapText;
    s.timeLeft = m.timeLeft.text();
    s.redScore = m.redScoreText;
    s.blueScore = m.blueScoreText;
    s.redTeamName = app.match.redTeamName;
    s.blueTeamName = app.match.blueTeamName;
    s.pingRed = plainNumber(m.avgPingRed);
    s.pingBlue = plainNumber(m.avgPingBlue);
    s.playersPlaying = m.playersPlaying;
    s.playersMax = m.playersMax;
    s.receivedBytes = m.receivedBytesText;
    s.players = &m.playerRows;
    return s;
}

MatchCaptions matchCaptions(MatchState state) {
    switch (state) {
        case MatchState::None:
            return {"No", "Start it!"};
        case MatchState::Running:
            return {"Yes", "Stop it!"};
        case MatchState::Ready:
            return {"Ready to start", "Skip this match"};
        case MatchState::Skip:
            return {"No (Skipped)", "Set: 'Ready to start'"};
    }
    return {"", ""};
}

}  // namespace fc
