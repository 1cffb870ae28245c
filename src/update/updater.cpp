#include "update/updater.h"

#include "core/app.h"
#include "update/version_file.h"

namespace fc {

namespace {

// More than a version file ever holds; the rest of a runaway answer is not kept.
constexpr std::size_t kAnswerLimit = 4096;

void endCheck(App& app) {
    app.updateCheck.running = false;
    app.updateCheck.manualCheck = false;
    app.updateCheck.answer.clear();
}

void tellUpdateCheckEnded(App& app) {
    if (app.updateCheckEnded) app.updateCheckEnded();
}

}  // namespace

void startUpdateCheck(App& app) {
    app.updateSocket->close();
    endCheck(app);
    const std::optional<UpdateAddress> address = readUpdateUrl(app.settings.updateUrl);
    if (!address) return;  // no address, or one that cannot be asked: silent, like any failure
    app.updateCheck.running = true;
    app.updateSocket->connectToHost(address->host, address->port);
}

void checkForUpdateNow(App& app) {
    if (app.settings.updateUrl.empty()) {
        app.showMessage("Updater.", "No update address set (UpdateURL in orvexa.ini).");
        tellUpdateCheckEnded(app);
        return;
    }
    startUpdateCheck(app);
    app.updateCheck.manualCheck = app.updateCheck.running;
    if (!app.updateCheck.running) tellUpdateCheckEnded(app);
}

void onUpdateConnected(App& app) {
    if (!app.updateCheck.running) return;
    // A simple request: the bare file comes back, and the host ends the connection.
    app.updateSocket->send("GET " + app.settings.updateUrl + "\r\n");
}

void onUpdateData(App& app, const std::string& bytes) {
    if (!app.updateCheck.running) return;
    std::string& answer = app.updateCheck.answer;
    answer += bytes.substr(0, kAnswerLimit - std::min(answer.size(), kAnswerLimit));
}

void onUpdateClosed(App& app) {
    if (!app.updateCheck.running) return;
    const bool manual = app.updateCheck.manualCheck;
    const std::optional<VersionFile> file = readVersionFile(app.updateCheck.answer);
    endCheck(app);
    app.updateSocket->close();
    if (file && isNewerVersion(file->version, kVersion))
        app.showMessage("Update available!", updateAvailableText(*file));
    else if (file && manual)
        app.showMessage("Updater.", noUpdateText(*file));
    tellUpdateCheckEnded(app);
}

void onUpdateFailed(App& app) {
    if (!app.updateCheck.running) return;
    endCheck(app);
    app.updateSocket->close();
    tellUpdateCheckEnded(app);
}

}  // namespace fc
