#include "shell/headless_preview.h"

#include <QDir>
#include <cstdio>
#include <string>

#include "core/app.h"
#include "preview/template_preview.h"
#include "program/command_line.h"
#include "program/json_events.h"
#include "shell/qt_platform.h"

namespace fc {

namespace {

void printLine(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int runPreview(const CommandLine& options) {
    // Nothing is read or written: the preview needs no settings and opens no connection.
    QtPlatform platform(QDir::currentPath());
    App app(platform);
    if (options.server) app.settings.serverEntry = *options.server;
    app.preview.blackBackground = options.previewBlack;
    app.preview.previewNoColors = options.previewNoColors;
    const PreviewKind kind =
        options.previewTeamGame ? PreviewKind::TeamGame : PreviewKind::Deathmatch;
    const std::string& templ = *options.previewTemplate;
    const std::string line = previewLine(app, templ, kind);
    const std::string rtf = previewDocument(app, templ, kind);
    if (options.json) {
        printLine(previewEventJson(line, rtf));
    } else {
        printLine(line);
        printLine(rtf);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace fc
