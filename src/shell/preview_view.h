// A template preview field: shows the preview's RTF document as its text says, so what the
// operator sees is the document itself and not the template drawn a second way.
#pragma once

#include <QTextEdit>
#include <string>

namespace fc {

class PreviewView : public QTextEdit {
public:
    PreviewView(const char* name, QWidget* parent);

    // Redraws only when the document or the background changed.
    void showDocument(const std::string& rtf, bool blackBackground);
};

}  // namespace fc
