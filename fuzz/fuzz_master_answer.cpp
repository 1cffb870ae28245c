// Feeds arbitrary bytes to the browser as the master server's answer. Every server it takes
// is a numeric address with a port, none twice, at most the list's limit, and each of them is
// in the stored list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "browser/answers.h"
#include "browser/browser_actions.h"
#include "core/app.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string datagram(reinterpret_cast<const char*>(data), size);
    const fc::MasterAnswer answer = fc::readMasterAnswer(datagram);
    for (const std::string& server : answer.servers) {
        if (server.find_first_not_of("0123456789.:") != std::string::npos) std::abort();
    }
    if (answer.ended && answer.damaged) std::abort();

    fc::test::FakePlatform platform;
    fc::WiredApp app(platform);
    app.settings.masterServer = "127.0.0.1:27950";
    fc::openBrowser(app);
    for (int i = 0; i < 3; ++i) platform.udpSockets.at(3)->deliver(datagram, "127.0.0.1", 27950);
    const std::vector<std::string>& stored = app.settings.savedServers;
    if (stored.size() > fc::kBrowserListLimit) std::abort();
    if (std::set<std::string>(stored.begin(), stored.end()).size() != stored.size()) std::abort();
    platform.advance(3000);
    if (app.browserView.askingMaster) std::abort();
    return 0;
}
