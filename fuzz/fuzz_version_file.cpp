// Feeds arbitrary bytes to the update check as the host's answer, split into two blocks at a
// place the first byte picks, and as the update address. A check ends exactly once, with at
// most one message box of the two kinds; an address that is taken has a host and a real port.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "update/updater.h"
#include "update/version_file.h"

namespace {

struct Shown : fc::AppListener {
    int boxes = 0;
    std::string title;
    void messageShown(const std::string& t, const std::string&) override {
        ++boxes;
        title = t;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string answer(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] % (answer.size() + 1);

    if (const auto address = fc::readUpdateUrl(answer)) {
        if (address->host.empty() || address->port < 1 || address->port > 65535) std::abort();
    }

    fc::test::FakePlatform platform;
    fc::WiredApp app(platform);
    Shown shown;
    app.addListener(&shown);
    int ended = 0;
    app.updateCheckEnded = [&] { ++ended; };
    app.settings.updateUrl = "http://127.0.0.1/fcst.versie";
    (data[0] & 1) ? fc::checkForUpdateNow(app) : fc::startUpdateCheck(app);
    fc::test::FakeTcpSocket& fakeUpdateSocket = *platform.tcpSockets.at(2);
    fakeUpdateSocket.accept();
    fakeUpdateSocket.receive(answer.substr(0, split));
    fakeUpdateSocket.receive(answer.substr(split));
    fakeUpdateSocket.peerClose();
    if (ended != 1 || shown.boxes > 1) std::abort();
    if (shown.boxes == 1 && shown.title != "Update available!" && shown.title != "Updater.")
        std::abort();
    if (shown.title == "Updater." && !(data[0] & 1)) std::abort();  // automatic checks say no "no"
    app.removeListener(&shown);
    return 0;
}
