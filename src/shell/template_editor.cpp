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

TemplateLineEdit::TemplateLineEdit(const char* name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(QString::fromLatin1(name));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (onEdited) onEdited(FromDisplay(text));
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
    const auto edited = FormattingKey(
        FromDisplay(text()), static_cast<std::size_t>(cursorPosition()), letter, modifiers);
    // Alt with any other key types nothing here; it is left to the window's shortcuts.
    if (!edited) return event->ignore();
    setText(Display(edited->text));
    setCursorPosition(static_cast<int>(edited->cursor));
    if (onEdited) onEdited(edited->text);
    event->accept();
}

TemplateEditor::TemplateEditor(App& app, QWidget* parent)
    : QGroupBox(tr("IRC Options (Lines)"), parent), app_(app) {
    setObjectName(QStringLiteral("IRCOptionsLines"));
    IRCLineCTF_ = new TemplateLineEdit("IRCLineCTF", this);
    IRCLineDM_ = new TemplateLineEdit("IRCLineDM", this);
    rtfCTF_ = new PreviewView("rtfCTF", this);
    rtfDM_ = new PreviewView("rtfDM", this);
    PreviewNoColors_ = new QCheckBox(tr("NoColors"), this);
    PreviewNoColors_->setObjectName(QStringLiteral("PreviewNoColors"));
    PreviewNoColors_->setFocusPolicy(Qt::NoFocus);

    auto button = [this](const char* name, const QString& caption,
                         const std::function<void()>& action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, action] {
            app_.dispatch(action);
            UnFocus(this);
        });
        return b;
    };
    auto* reset = button("Command15", tr("Reset"), [this] { ResetTemplates(app_); });
    auto* black = button("Command10", tr("Black"), [this] { SetPreviewBackground(app_, true); });
    auto* white = button("Command13", tr("White"), [this] { SetPreviewBackground(app_, false); });
    Command16_ = button("Command16", tr("Codes"), [this] { OpenCodesHelp(app_); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("IRC Report line for:"), this), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("CTF"), this), 1, 0);
    grid->addWidget(IRCLineCTF_, 1, 1);
    grid->addWidget(new QLabel(tr("DM"), this), 2, 0);
    grid->addWidget(IRCLineDM_, 2, 1);
    grid->addWidget(new QLabel(tr("IRC Lines Preview:"), this), 3, 0, 1, 2);
    grid->addWidget(rtfCTF_, 4, 0, 1, 2);
    grid->addWidget(rtfDM_, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(reset), static_cast<QWidget*>(black),
                       static_cast<QWidget*>(white), static_cast<QWidget*>(PreviewNoColors_)})
        buttons->addWidget(w);
    buttons->addStretch(1);
    buttons->addWidget(Command16_);
    grid->addLayout(buttons, 6, 0, 1, 2);

    IRCLineCTF_->onEdited = [this](const std::string& text) {
        app_.dispatch([&] { OnTemplateEdited(app_, TemplateField::Ctf, text); });
    };
    IRCLineDM_->onEdited = [this](const std::string& text) {
        app_.dispatch([&] { OnTemplateEdited(app_, TemplateField::Dm, text); });
    };
    connect(PreviewNoColors_, &QCheckBox::clicked, this, [this](bool on) {
        app_.dispatch([&] { SetPreviewNoColors(app_, on); });
        UnFocus(this);
    });
}

void TemplateEditor::refresh(const MainView& view) {
    SyncText(IRCLineCTF_, view.IRCLineCTF);
    SyncText(IRCLineDM_, view.IRCLineDM);
    rtfCTF_->showDocument(view.rtfCTF, view.blackBackground);
    rtfDM_->showDocument(view.rtfDM, view.blackBackground);
    if (PreviewNoColors_->isChecked() != view.PreviewNoColors) {
        const QSignalBlocker block(PreviewNoColors_);
        PreviewNoColors_->setChecked(view.PreviewNoColors);
    }
    Command16_->setEnabled(view.Command16Enabled);
    setVisible(view.Advanced);
}

}  // namespace fc
