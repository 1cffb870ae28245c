#include "program/shown_status.h"

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

ShownStatus showStatus(const App& app) {
    const MonitorState& m = app.monitor;
    ShownStatus s;
    s.sMode = m.familyLabel;
    s.typspel = m.gameTypeLabel;
    s.qsGame = m.gameText;
    s.qsMap = m.mapText;
    s.qsTimeLeft = m.timeLeftText;
    s.qsRed = m.redScoreText;
    s.qsBlue = m.blueScoreText;
    s.txtnaamRED = app.match.redTeamName;
    s.txtnaamBLUE = app.match.blueTeamName;
    s.pingRed = plainNumber(m.avgPingRed);
    s.pingBlue = plainNumber(m.avgPingBlue);
    s.PlayersPlaying = m.playersPlaying;
    s.PlayersMax = m.playersMax;
    s.receivedBytes = m.receivedBytesText;
    s.players = &m.playerRows;
    return s;
}

}  // namespace fc
