// What the monitor keeps: the server it watches, what the last reply showed (as the window
// shows it), what the next reply is compared against, the Unreal Tournament answer being
// assembled, and the recording and playback of replies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game_type.h"
#include "core/time_left.h"

namespace fc {

// Red FF0000, Blue 0000FF, Grey 808080, Black 000000; AssignedBlue is 0100FF, the blue that
// team assignment paints (the reply parser paints plain blue).
enum class RowColour { Black, Red, Blue, Grey, AssignedBlue };

// The team column's text for players on neither side.
inline constexpr const char* kTeamSpectators = "Spec";

// One row of the player list: the name as row text, then score, ping and team.
struct PlayerRow {
    std::string name;
    std::string score;
    std::string ping;
    std::string team;  // "Red", "Blue", kTeamSpectators or ""
    RowColour colour = RowColour::Black;

    bool operator==(const PlayerRow&) const = default;
};

// A side's score as the next reply compares it: a whole number, none before a game's first
// reply.
class ComparedScore {
public:
    ComparedScore() = default;
    ComparedScore(long long value) : value_(value) {}
    // The number; 0 when there is none.
    long long value() const { return value_.value_or(0); }
    bool operator==(const ComparedScore&) const = default;

private:
    std::optional<long long> value_;
};

// A player of an Unreal Tournament answer as the next answer's capper search compares it.
struct ComparedPlayer {
    std::string name;
    long long score = 0;

    bool operator==(const ComparedPlayer&) const = default;
};

// What the next reply is compared against.
struct LastValues {
    TimeLeft timeLeft;
    ComparedScore red;  // red score as compared: captures or frags
    ComparedScore blue;
    // The scores as a final score says them should the game change before the next reply.
    std::string redFinal;
    std::string blueFinal;
    std::string game;                     // the game name the type was detected for
    std::vector<ComparedPlayer> players;  // Unreal Tournament: whose score may have risen

    void clear() { *this = LastValues{}; }
};

struct MonitorState {
    std::string gameText;
    std::string mapText;
    std::string statisticsText;
    TimeLeft timeLeft;
    std::string receivedBytesText;
    std::vector<PlayerRow> playerRows;
    std::string redScoreText = "0/0";
    std::string blueScoreText = "0/0";
    std::string playersPlaying;
    std::string playersMax;
    std::string serverInfoText;
    bool recordingOn = false;
    std::string recordingFolder;    // "Directory:", ends with "/"
    std::string recordingFileName;  // "Filename:"
    std::string serverRecordedIn;   // the file this run's server record went to; "" for none
    std::vector<std::string> recordedDemos;  // "Current recorded demos in this directory:"
    int recordedDemoSelected = -1;           // -1: nothing selected
    int playbackProgress = 0;
    int playbackLength = 1;
    double playbackStep = 0.01;  // recorded seconds replayed per 10 ms tick
    GameFamily gameFamily = GameFamily::Unknown;
    GameType gameType = GameType::NoGameYet;
    LastValues lastValues;
    std::string lastReplyText;
    bool utQueryFresh = false;
    // Unreal Tournament: the pieces of the answer to the last query, by packet number 0 to 100,
    // the number of the piece that carried the final marker (0 while none has), the joined
    // answer.
    std::vector<std::string> utPackets = std::vector<std::string>(101);
    std::int16_t utPacketCount = 0;
    std::string utWholeReply;
    bool portBumped = false;
    // When the watched server last answered (or monitoring began), and whether its silence
    // since has been told.
    std::int64_t lastAnswerMs = 0;
    bool silenceTold = false;
    std::int32_t avgPingRed = 0;
    std::int32_t avgPingBlue = 0;
};

}  // namespace fc
