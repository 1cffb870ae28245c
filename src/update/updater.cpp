#include "update/updater.h"

#include "core/app.h"
#include "update/version_file.h"

namespace fc {

namespace {

// More than a version file ever holds; the rest of a runaway answer is not kept.
constexpr std::size_t kAnswerLimit = 4096;

void EndCheck(App& app) {
    app.updateCheck.running = false;
    app.updateCheck.manualCheck = false;
    app.updateCheck.answer.clear();
}

void Ended(App& app) {
    if (app.updateCheckEnded) app.updateCheckEnded();
}

}  // namespace

void Updater(App& app) {
    app.USock->close();
    EndCheck(app);
    const std::optional<UpdateAddress> address = ReadUpdateUrl(app.view.UpdateURL);
    if (!address) return;  // no address, or one that cannot be asked: silent, like any failure
    app.updateCheck.running = true;
    app.USock->connectToHost(address->host, address->port);
}

void UpdateKnop(App& app) {
    if (app.view.UpdateURL.empty()) {
        app.showMessage("Updater.", "No update address set (UpdateURL in orvexa.ini).");
        Ended(app);
        return;
    }
    Updater(app);
    app.updateCheck.manualCheck = app.updateCheck.running;
    if (!app.updateCheck.running) Ended(app);
}

void OnUpdateConnected(App& app) {
    if (!app.updateCheck.running) return;
    // A simple request: the bare file comes back, and the host ends the connection.
    app.USock->send("GET " + app.view.UpdateURL + "\r\n");
}

void OnUpdateData(App& app, const std::string& bytes) {
    if (!app.updateCheck.running) return;
    std::string& answer = app.updateCheck.answer;
    answer += bytes.substr(0, kAnswerLimit - std::min(answer.size(), kAnswerLimit));
}

void OnUpdateClosed(App& app) {
    if (!app.updateCheck.running) return;
    const bool manual = app.updateCheck.manualCheck;
    const std::optional<VersionFile> file = ReadVersionFile(app.updateCheck.answer);
    EndCheck(app);
    app.USock->close();
    if (file && IsNewerVersion(file->version, kVersion))
        app.showMessage("Update available!", UpdateAvailableText(*file));
    else if (file && manual)
        app.showMessage("Updater.", NoUpdateText(*file));
    Ended(app);
}

void OnUpdateFailed(App& app) {
    if (!app.updateCheck.running) return;
    EndCheck(app);
    app.USock->close();
    Ended(app);
}

}  // namespace fc
