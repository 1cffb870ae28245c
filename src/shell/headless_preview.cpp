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

void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int RunPreview(const CommandLine& options) {
    // Nothing is read or written: the preview needs no settings and opens no connection.
    QtPlatform platform(QDir::currentPath());
    App app(platform);
    MainView& v = app.view;
    if (options.server) v.Q2Serverlist = *options.server;
    v.blackBackground = options.previewBlack;
    v.PreviewNoColors = options.previewNoColors;
    const PreviewKind kind =
        options.previewTeamGame ? PreviewKind::TeamGame : PreviewKind::Deathmatch;
    const std::string& templ = *options.previewTemplate;
    const std::string line = PreviewLine(app, templ, kind);
    const std::string rtf = PreviewDocument(app, templ, kind);
    if (options.json) {
        Line(PreviewEventJson(line, rtf));
    } else {
        Line(line);
        Line(rtf);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace fc
