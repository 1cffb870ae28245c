// Drawing the view model into widgets. A widget is only touched when what it shows differs
// from the view, so a redraw after every event keeps the operator's cursor, selection and
// scroll position, and programmatic changes never echo back as edits.
#pragma once

#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace fc {

struct PlayerRow;

void syncText(QLineEdit* edit, const std::string& text);
void syncText(QLabel* label, const std::string& text);
void syncText(QAbstractButton* button, const std::string& text);
void syncText(QPlainTextEdit* edit, const std::string& text);

// The drop-down items of an editable combo box, then its edit text.
void syncCombo(QComboBox* combo, const std::vector<std::string>& items, const std::string& text);

// Row by row: existing rows are updated in place so the selection survives a redraw.
void syncPlayerList(QTreeWidget* list, const std::vector<PlayerRow>& rows);

}  // namespace fc
