// Feeds arbitrary datagrams to the whole reply handler of a running monitor. The first byte
// picks the family the monitor believes in, so every path of the handler is reached.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "monitor/poller.h"
#include "monitor/reply_handler.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fc::test::FakePlatform platform;
    static fc::WiredApp app(platform);
    static bool started = [] {
        fc::onServerEntryEdited(app, "127.0.0.1:27960 fuzz");
        fc::toggleConnection(app);
        platform.advance(1000);
        return true;
    }();
    (void)started;

    static const fc::GameFamily kFamilies[] = {fc::GameFamily::Unknown, fc::GameFamily::Q2,
                                               fc::GameFamily::Q3, fc::GameFamily::UT,
                                               fc::GameFamily::None};
    using fc::GameType;
    static const GameType kGameTypes[] = {
        GameType::NoGameYet,        GameType::Quake2Ctf,
        GameType::Quake2Duel,       GameType::Quake2TeamDeathmatch,
        GameType::Quake2FreeForAll, GameType::Quake3TeamGame,
        GameType::Quake3BaseCtf,    GameType::Quake3OspScored,
        GameType::Quake3OspCtf};
    // Two leading bytes choose the state the reply meets: family, teams, match state, game
    // type, and whether the game name counts as new (so detection runs again).
    if (size >= 2) {
        app.monitor.gameFamily = kFamilies[data[0] % 5];
        app.match.teamsKnown = (data[0] & 0x10) != 0;
        app.match.redMembers = (data[0] & 0x20) ? "\"a\"\"b\"" : "";
        app.monitor.portBumped = (data[0] & 0x40) != 0;
        app.monitor.gameType = kGameTypes[data[1] % 9];
        app.match.matchState = static_cast<fc::MatchState>((data[1] >> 4) & 3);
        if (data[1] & 0x40) app.monitor.lastValues.game.clear();
        app.window.playerRowsSortColumn = (data[1] & 0x80) ? 1 : -1;
        data += 2;
        size -= 2;
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform.udpSockets.at(0)->deliver(bytes, "127.0.0.1", 27960);
    // Keep the entry pointing at the server the queries go to, whatever the reply did to it.
    app.settings.serverEntry = "127.0.0.1:27960 fuzz";
    app.window.serverEntryEnabled = false;
    return 0;
}
