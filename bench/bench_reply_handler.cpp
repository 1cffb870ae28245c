// Time to handle one status reply, from the datagram to the finished player list (no drawing).
#include <benchmark/benchmark.h>

#include <string>

#include "core/app.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "support/replies.h"

namespace {

// A reply of a capture-the-flag server; from round 1 on, player 0 captures once a round.
std::string makeReply(int players, int round = 0) {
    std::vector<fc::test::PlayerLine> lines;
    for (int i = 0; i < players; ++i) {
        const std::string tag = i % 2 ? "^4[BC]^7" : "^1=RC=^7";
        const int score = i * 3 + (i == 0 ? round * 5 : 0);
        lines.push_back(
            {std::to_string(score), std::to_string(20 + i), tag + "Player" + std::to_string(i)});
    }
    return fc::test::quake3Reply({{"sv_maxclients", "64"},
                                  {"version", "ioq3 1.36_GIT linux-x86_64"},
                                  {"com_gamename", "Quake3Arena"},
                                  {"g_gametype", "4"},
                                  {"mapname", "oa_ctf4ish"},
                                  {"gamename", "baseoa"},
                                  {"timelimit", "20"},
                                  {"capturelimit", "8"},
                                  {"sv_hostname", "Benchmark server"},
                                  {"g_needpass", "0"}},
                                 lines);
}

void BM_QuakeReply(benchmark::State& state) {
    fc::test::FakePlatform platform;
    fc::WiredApp app(platform);
    fc::onServerEntryEdited(app, "127.0.0.1:27960");
    fc::toggleConnection(app);
    platform.advance(1000);
    app.match.redMembers = "\"=RC=Player0\"\"=RC=Player2\"";
    app.match.blueMembers = "\"[BC]Player1\"\"[BC]Player3\"";
    const std::string reply = makeReply(static_cast<int>(state.range(0)));
    auto& socket = *platform.udpSockets.at(0);
    for (auto _ : state) {
        socket.deliver(reply, "127.0.0.1", 27960);
        benchmark::DoNotOptimize(app.monitor.playerRows.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_QuakeReply)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);

// A running base Quake 3 capture-the-flag match in which every reply holds a capture: the
// capper search compares all 64 players with the previous reply on each one.
void BM_CaptureReply(benchmark::State& state) {
    fc::test::FakePlatform platform;
    fc::WiredApp app(platform);
    app.settings.ctfTemplate = "Cap by %c% %as%:%bs% TL %tl%";
    fc::onServerEntryEdited(app, "127.0.0.1:27960");
    fc::toggleConnection(app);
    platform.advance(1000);
    auto& socket = *platform.udpSockets.at(0);
    socket.deliver(makeReply(64, 0), "127.0.0.1", 27960);
    int round = 1;
    for (auto _ : state) {
        socket.deliver(makeReply(64, round++), "127.0.0.1", 27960);
        benchmark::DoNotOptimize(app.match.game.capsRedQ3);
    }
    state.counters["captures"] = app.match.game.capsRedQ3 + app.match.game.capsBlueQ3;
}
BENCHMARK(BM_CaptureReply)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
