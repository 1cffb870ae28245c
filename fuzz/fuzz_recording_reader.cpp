// Feeds arbitrary bytes to the program as a recording. Reading must take whole records only,
// of either form (a reply line, or a reply of counted bytes), always move forward, stop where
// the damage is, and give records that write and read back the same; the bytes themselves, as
// a reply, must write and read back the same; playing the bytes back must replay no record
// twice and never fail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "monitor/poller.h"
#include "monitor/recording_file.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    int records = 0;
    for (std::size_t at = 0;;) {
        const std::size_t before = at;
        const fc::RecordRead r = fc::readRecord(bytes, at);
        if (r.kind != fc::RecordRead::Kind::Record) {
            if (at != before) std::abort();
            if (r.kind == fc::RecordRead::Kind::End && at < bytes.size()) std::abort();
            break;
        }
        if (at <= before || r.reply.size() > fc::kLongestRecordedReply) std::abort();
        ++records;
        const std::string again = fc::formatRecord(r.time, r.reply);
        std::size_t from = 0;
        const fc::RecordRead back = fc::readRecord(again, from);
        if (back.kind != fc::RecordRead::Kind::Record || back.reply != r.reply ||
            from != again.size()) {
            std::abort();
        }
    }

    if (size <= fc::kLongestRecordedReply) {
        const std::string record = fc::formatRecord(0, bytes);
        std::size_t from = 0;
        if (fc::readRecord(record, from).reply != bytes || from != record.size()) std::abort();
    }

    fc::test::FakePlatform platform;
    platform.files["demos/fuzz.rec"] = bytes;
    fc::WiredApp app(platform);
    fc::onServerEntryEdited(app, "demos/fuzz.rec");
    fc::toggleConnection(app);
    app.monitor.playbackStep = 10;  // the fastest the speed control allows
    for (int tick = 0; tick < 2 * records + 4 && !app.window.serverEntryEnabled; ++tick) {
        platform.advance(10);
    }
    if (app.monitor.playbackProgress > records) std::abort();
    return 0;
}
