#include "shell/info_tabs.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QTextBrowser>
#include <QTextCursor>
#include <initializer_list>
#include <string>

#include "core/app.h"
#include "core/text_util.h"
#include "program/startup.h"
#include "shell/qt_text.h"

namespace fc {

namespace {

struct HelpSection {
    const char* heading;
    std::initializer_list<const char*> paragraphs;
};

// The operator's help, one section per tab, worded as the program has always shown it.
const HelpSection kHelp[] = {
    {"IRC Window",
     {"Here you can configure your IRC options. Just fill in the server name, channel name (with "
      "the # in front of it) and the name of the bot. (Remember, some servers don't accept long "
      "names). Click on CONNECT to connect to the server. To disconnect again, click Quit IRC."}},
    {"Game Window",
     {"Here you set up the quake/unreal tournament server you wish to monitor. You can select a "
      "server from the list or fill one in yourself. You can add the selected server if you wish "
      "(or delete it). If you want to start monitoring the server, click \"Connection: OFF\". The "
      "button will change into Connection ON. Every second the information will be refreshed. It "
      "is not necessary to be connected to an IRC server.",
      "Standard the game match will be set to \"No\". So no info will be passed on to the IRC "
      "server. This will automatically go on Yes when Fragcaster detects that a game has started. "
      "If "
      "you think the game already has started or shouldn't be started yet, click on the button "
      "below the match state."}},
    {"Options",
     {"You can set some options here. The \"get-info\" means: When IRC-user requests information "
      "from the bot, Fragcaster will give the information. But if the user is on the "
      "\"get-info-ignore list\" Fragcaster will just ignore the request. So the get-info-ignore "
      "time "
      "means how many seconds should Fragcaster ignore the IRC-user."}},
    {"Srv. Info",
     {"All information that comes from the quake 2/3/unreal server will be shown here."}},
    {"Record",
     {"Records all information that comes from the server. Not the actual in-game demo! You could "
      "use this for viewing the scores later, who scores at what moment and even replay the whole "
      "game to an IRC channel again."}},
};

const char* const kCredits[] = {
    "Everybody who tested it during their clan matches",
    "The league admins who asked for the features it has",
    "The IRC operators who let the bot stay in their channels",
    "The server admins who kept their query ports open",
    "Everybody who took the time to report a bug",
};

std::string aboutText() {
    std::string text;
    auto line = [&text](const std::string& l) { text += l + "\n"; };
    line("Fragcaster - Version " + versionText());
    line("");
    line(std::string("Written by the Fragcaster team - ") + kWebPage);
    line(
        "This program will poll any quake2/q3/unreal tournament server for information, will "
        "analyze it and when someone scores, it will report it in any predefined IRC channel. "
        "Lots of features.");
    line("");
    line("-");
    line("");
    line("Special thanks to:");
    for (const char* credit : kCredits) line(credit);
    line("");
    line("-");
    line("");
    line("Build " + plainNumber(kBuildNumber));
    for (const char* l : {"", "-", "", "", ""}) line(l);
    return text;
}

}  // namespace

QWidget* buildAboutPage(QWidget* parent) {
    auto* page = new QScrollArea(parent);
    page->setWidgetResizable(true);
    page->setFrameShape(QFrame::NoFrame);
    auto* about = new QLabel(display(aboutText()), page);
    about->setObjectName(QStringLiteral("aboutlabel"));
    about->setTextFormat(Qt::PlainText);
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    page->setWidget(about);
    return page;
}

QWidget* buildHelpPage(QWidget* parent) {
    auto* help = new QTextBrowser(parent);
    help->setObjectName(QStringLiteral("HelpText"));
    help->setOpenLinks(false);

    // Built block by block rather than as markup, so the texts go in exactly as written.
    QTextCursor cursor(help->document());
    QTextCharFormat headingFormat;
    headingFormat.setFontWeight(QFont::Bold);
    headingFormat.setFontPointSize(help->font().pointSizeF() * 1.2);
    const QTextCharFormat textFormat;
    QTextBlockFormat spaced;
    spaced.setTopMargin(8);

    bool first = true;
    for (const HelpSection& section : kHelp) {
        if (!first) cursor.insertBlock(spaced);
        first = false;
        cursor.insertText(QString::fromLatin1(section.heading), headingFormat);
        for (const char* paragraph : section.paragraphs) {
            cursor.insertBlock(spaced);
            cursor.insertText(QString::fromLatin1(paragraph), textFormat);
        }
    }
    help->moveCursor(QTextCursor::Start);
    return help;
}

}  // namespace fc
