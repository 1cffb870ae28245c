#include "shell/widget_sync.h"

#include <QAbstractButton>
#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "core/app.h"
#include "shell/qt_text.h"

namespace fc {

namespace {

// The plain-text edit turns CR into a line break, so its contents cannot be compared with the
// view's bytes; the bytes it was last given are kept beside it instead.
constexpr const char* kShownBytes = "fcShownBytes";

constexpr int kPlayerColumns = 4;

QColor colourOf(RowColour colour) {
    switch (colour) {
        case RowColour::Red:
            return QColor(0xFF, 0x00, 0x00);
        case RowColour::Blue:
            return QColor(0x00, 0x00, 0xFF);
        case RowColour::AssignedBlue:
            return QColor(0x01, 0x00, 0xFF);
        case RowColour::Grey:
            return QColor(0x80, 0x80, 0x80);
        case RowColour::Black:
            break;
    }
    return QColor(0x00, 0x00, 0x00);
}

void fillRow(QTreeWidgetItem* item, const PlayerRow& row) {
    const QString texts[kPlayerColumns] = {display(row.name), display(row.score), display(row.ping),
                                           display(row.team)};
    const QColor colour = colourOf(row.colour);
    for (int column = 0; column < kPlayerColumns; ++column) {
        if (item->text(column) != texts[column]) item->setText(column, texts[column]);
        if (item->foreground(column).color() != colour) item->setForeground(column, colour);
    }
}

}  // namespace

void syncText(QLineEdit* edit, const std::string& text) {
    const QString shown = display(text);
    if (edit->text() == shown) return;
    const int cursor = edit->cursorPosition();
    edit->setText(shown);
    // A read-only field shows the start of a long value; an editable one keeps the caret
    // where the operator left it.
    edit->setCursorPosition(edit->isReadOnly() ? 0 : std::min<int>(cursor, edit->text().size()));
}

void syncText(QLabel* label, const std::string& text) {
    // Server texts may look like markup; they are always shown as they are.
    if (label->textFormat() != Qt::PlainText) label->setTextFormat(Qt::PlainText);
    const QString shown = display(text);
    if (label->text() != shown) label->setText(shown);
}

void syncText(QAbstractButton* button, const std::string& text) {
    QString shown = display(text);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));  // no accidental mnemonics
    if (button->text() != shown) button->setText(shown);
}

void syncText(QPlainTextEdit* edit, const std::string& text) {
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    const QVariant shown = edit->property(kShownBytes);
    if (shown.isValid() && shown.toByteArray() == bytes) return;
    edit->setProperty(kShownBytes, bytes);
    edit->setPlainText(display(text));
}

void syncCombo(QComboBox* combo, const std::vector<std::string>& items, const std::string& text) {
    bool same = combo->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < combo->count(); ++i) {
        same = combo->itemText(i) == display(items[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const std::string& item : items) combo->addItem(display(item));
    }
    // Rebuilding the items moves the edit text; the view's text is put back below.
    if (QLineEdit* edit = combo->lineEdit()) syncText(edit, text);
}

void syncPlayerList(QTreeWidget* list, const std::vector<PlayerRow>& rows) {
    const int wanted = static_cast<int>(rows.size());
    while (list->topLevelItemCount() > wanted) {
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    }
    const int existing = list->topLevelItemCount();
    for (int i = 0; i < existing; ++i)
        fillRow(list->topLevelItem(i), rows[static_cast<std::size_t>(i)]);
    if (existing == wanted) return;

    QList<QTreeWidgetItem*> added;
    added.reserve(wanted - existing);
    for (int i = existing; i < wanted; ++i) {
        auto* item = new QTreeWidgetItem;
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        fillRow(item, rows[static_cast<std::size_t>(i)]);
        added.append(item);
    }
    list->addTopLevelItems(added);
}

}  // namespace fc
