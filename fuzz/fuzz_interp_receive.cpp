// Feeds arbitrary bytes to the Interp feed's receive handler. The input is cut into arrivals at
// every 0xFF byte, so lines are split across arrivals and may never end at all; the first byte
// sets the report switches and the match values the handler reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "interp/interp_feed.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fc::test::FakePlatform platform;
    static fc::WiredApp app(platform);
    static fc::test::FakeTcpSocket* feed = [] {
        app.view.serverEntry = "10.0.0.5:27960";
        fc::connectInterp(app);
        fc::test::FakeTcpSocket* s = platform.tcpSockets.at(1);
        s->accept();
        return s;
    }();

    fc::MainView& v = app.view;
    if (size > 0) {
        const std::uint8_t flags = data[0];
        v.interpGotFlag = v.interpLostFlag = v.interpRecoverFlag = (flags & 0x01) != 0;
        v.interpQuad = v.interpHaste = v.interpRegen = v.interpInvis = (flags & 0x02) != 0;
        v.interpServerMsg = (flags & 0x04) != 0;
        v.interpReport = (flags & 0x08) != 0;
        v.serverIsPrivate = (flags & 0x10) != 0;
        v.matchState = static_cast<fc::MatchState>((flags >> 5) & 0x03);
        v.gameType = (flags & 0x80) ? fc::GameType::Quake3OspCtf : fc::GameType::Quake3OspScored;
        v.ctfTemplate = "%at% %as% %bs% %c% %tl%";
        ++data;
        --size;
    }
    std::string arrival;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            feed->receive(arrival);
            arrival.clear();
        } else {
            arrival += static_cast<char>(data[i]);
        }
    }
    platform.advance(3000);  // the clock runs over what the lines left behind

    // Whatever came in, the output window and the carried line stay bounded, and the service
    // is only ever sent its request words.
    if (v.interpOutput.size() > 10000 || v.interpBuffer.size() > 16384) __builtin_trap();
    for (std::size_t at = 0; at < feed->sent.size();) {
        if (feed->sent.compare(at, 8, "GAMESTAT") == 0 ||
            feed->sent.compare(at, 8, "FLAGSTAT") == 0)
            at += 8;
        else
            __builtin_trap();
    }
    feed->sent.clear();
    return 0;
}
