#include "shell/template_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/app.h"
#include "preview/codes_help.h"
#include "preview/template_editor.h"
#include "shell/preview_view.h"
#include "shell/qt_text.h"
#include "shell/title_bar.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

// A template's control codes (colour, bold, underline, reverse, plain) shown as the Unicode
// pictures of those controls, one character each, so the operator sees where they are and the
// caret positions stay those of the bytes.
QString codesShown(const std::string& bytes) {
    QString shown = display(bytes);
    for (QChar& c : shown)
        if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());
    return shown;
}

std::string codesTyped(QString text) {
    for (QChar& c : text)
        if (c.unicode() >= 0x2400 && c.unicode() < 0x2420) c = QChar(c.unicode() - 0x2400);
    return fromDisplay(text);
}

}  // namespace

void TemplateLineEdit::showTemplate(const std::string& bytes) {
    const QString shown = codesShown(bytes);
    if (text() == shown) return;
    const int cursor = cursorPosition();
    setText(shown);
    setCursorPosition(std::min<int>(cursor, static_cast<int>(shown.size())));
}

TemplateLineEdit::TemplateLineEdit(const char* name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(QString::fromLatin1(name));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (onEdited) onEdited(codesTyped(text));
    });
}

void TemplateLineEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (!(held & Qt::AltModifier)) return QLineEdit::keyPressEvent(event);
    const KeyModifiers modifiers{true, held.testFlag(Qt::ShiftModifier),
                                 (held & (Qt::ControlModifier | Qt::MetaModifier)) != 0};
    const int key = event->key();
    const char letter =
        key >= Qt::Key_A && key <= Qt::Key_Z ? static_cast<char>('A' + key - Qt::Key_A) : 0;
    const auto edited = formattingKey(
        codesTyped(text()), static_cast<std::size_t>(cursorPosition()), letter, modifiers);
    // Alt with any other key types nothing here; it is left to the window's shortcuts.
    if (!edited) return event->ignore();
    setText(codesShown(edited->text));
    setCursorPosition(static_cast<int>(edited->cursor));
    if (onEdited) onEdited(edited->text);
    event->accept();
}

TemplateEditor::TemplateEditor(App& app, QWidget* parent)
    : QGroupBox(tr("IRC Options (Lines)"), parent), app_(app) {
    setObjectName(QStringLiteral("IRCOptionsLines"));
    ctfTemplateEdit_ = new TemplateLineEdit("IRCLineCTF", this);
    dmTemplateEdit_ = new TemplateLineEdit("IRCLineDM", this);
    ctfPreview_ = new PreviewView("rtfCTF", this);
    dmPreview_ = new PreviewView("rtfDM", this);
    noColoursBox_ = new QCheckBox(tr("NoColors"), this);
    noColoursBox_->setObjectName(QStringLiteral("PreviewNoColors"));
    noColoursBox_->setFocusPolicy(Qt::NoFocus);

    auto button = [this](const char* name, const QString& caption,
                         const std::function<void()>& action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, action] {
            app_.dispatch(action);
            unfocus(this);
        });
        return b;
    };
    auto* reset = button("Command15", tr("Reset"), [this] { resetTemplates(app_); });
    auto* black = button("Command10", tr("Black"), [this] { setPreviewBackground(app_, true); });
    auto* white = button("Command13", tr("White"), [this] { setPreviewBackground(app_, false); });
    codesButton_ = button("Command16", tr("Codes"), [this] { openCodesHelp(app_); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("IRC Report line for:"), this), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("CTF"), this), 1, 0);
    grid->addWidget(ctfTemplateEdit_, 1, 1);
    grid->addWidget(new QLabel(tr("DM"), this), 2, 0);
    grid->addWidget(dmTemplateEdit_, 2, 1);
    grid->addWidget(new QLabel(tr("IRC Lines Preview:"), this), 3, 0, 1, 2);
    grid->addWidget(ctfPreview_, 4, 0, 1, 2);
    grid->addWidget(dmPreview_, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(reset), static_cast<QWidget*>(black),
                       static_cast<QWidget*>(white), static_cast<QWidget*>(noColoursBox_)})
        buttons->addWidget(w);
    buttons->addStretch(1);
    buttons->addWidget(codesButton_);
    grid->addLayout(buttons, 6, 0, 1, 2);

    ctfTemplateEdit_->onEdited = [this](const std::string& text) {
        app_.dispatch([&] { onTemplateEdited(app_, TemplateField::Ctf, text); });
    };
    dmTemplateEdit_->onEdited = [this](const std::string& text) {
        app_.dispatch([&] { onTemplateEdited(app_, TemplateField::Dm, text); });
    };
    connect(noColoursBox_, &QCheckBox::clicked, this, [this](bool on) {
        app_.dispatch([&] { setPreviewNoColors(app_, on); });
        unfocus(this);
    });
}

void TemplateEditor::refresh(const App& app) {
    ctfTemplateEdit_->showTemplate(app.settings.ctfTemplate);
    dmTemplateEdit_->showTemplate(app.settings.dmTemplate);
    ctfPreview_->showDocument(app.preview.ctfPreviewRtf, app.preview.blackBackground);
    dmPreview_->showDocument(app.preview.dmPreviewRtf, app.preview.blackBackground);
    if (noColoursBox_->isChecked() != app.preview.previewNoColors) {
        const QSignalBlocker block(noColoursBox_);
        noColoursBox_->setChecked(app.preview.previewNoColors);
    }
    codesButton_->setEnabled(app.preview.codesButtonEnabled);
    setVisible(app.settings.advancedMode);
}

}  // namespace fc
