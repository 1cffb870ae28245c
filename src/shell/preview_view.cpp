#include "shell/preview_view.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTextCursor>

#include "preview/rtf_reader.h"
#include "shell/qt_text.h"

namespace fc {

namespace {

// The document's font where the desktop has it (Fixedsys seldom is), else a fixed-width one.
QFont previewFont(const RtfDocument& doc) {
    QFont font(display(doc.font));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(doc.halfPoints / 2.0);
    return font;
}

}  // namespace

PreviewView::PreviewView(const char* name, QWidget* parent) : QTextEdit(parent) {
    setObjectName(QString::fromLatin1(name));
    setReadOnly(true);
    // A long line wraps, so the whole line is seen at once.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFixedHeight(fontMetrics().height() * 3 + 10);
}

void PreviewView::showDocument(const std::string& rtf, bool blackBackground) {
    const QByteArray shown = QByteArray::fromStdString(rtf) + (blackBackground ? "B" : "W");
    if (property("fcShown").toByteArray() == shown) return;
    setProperty("fcShown", shown);

    const QColor background = blackBackground ? Qt::black : Qt::white;
    const QColor automatic = blackBackground ? Qt::white : Qt::black;  // stands out from it
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, automatic);
    setPalette(palette);

    const RtfDocument doc = readRtf(rtf);
    clear();
    document()->setDefaultFont(previewFont(doc));
    QTextCursor cursor(document());
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const StyledRun& run = doc.runs[i];
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontUnderline(run.underline);
        format.setForeground(
            run.colour ? QColor(run.colour->red, run.colour->green, run.colour->blue) : automatic);
        std::string text = run.text;
        // The last paragraph's end closes the document; it opens no new line.
        if (i + 1 == doc.runs.size() && !text.empty() && text.back() == '\n') text.pop_back();
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;) {
            cursor.insertText(display(text.substr(start, end - start)), format);
            cursor.insertBlock();
            start = end + 1;
        }
        cursor.insertText(display(text.substr(start)), format);
    }
    moveCursor(QTextCursor::Start);
}

}  // namespace fc
