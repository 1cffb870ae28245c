// The frame "IRC Options (Lines)": the two report templates, where Alt+B, Alt+U and Alt+K put
// in bold, underline and colour, their coloured previews, and the buttons beside them.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <functional>
#include <string>

class QCheckBox;
class QPushButton;

namespace fc {

class App;
class PreviewView;
class App;

// A template field: the formatting keys insert their character at the cursor.
class TemplateLineEdit : public QLineEdit {
public:
    TemplateLineEdit(const char* name, QWidget* parent);

    std::function<void(const std::string&)> onEdited;
    // Shows a template, its control codes as visible symbols.
    void showTemplate(const std::string& bytes);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TemplateEditor : public QGroupBox {
public:
    TemplateEditor(App& app, QWidget* parent);

    void refresh(const App& app);

private:
    App& app_;
    TemplateLineEdit* ctfTemplateEdit_ = nullptr;
    TemplateLineEdit* dmTemplateEdit_ = nullptr;
    PreviewView* ctfPreview_ = nullptr;
    PreviewView* dmPreview_ = nullptr;
    QCheckBox* noColoursBox_ = nullptr;
    QPushButton* codesButton_ = nullptr;
};

}  // namespace fc
