#pragma once
// The label editor's help: a window showing the help page shipped with the program (English or
// Japanese), opened at the section asked for.

#include <QTextBrowser>

#include "platform/strings.h"

namespace tovik::label {

class HelpWindow : public QTextBrowser {
public:
    explicit HelpWindow(const StringTable& strings, QWidget* parent = nullptr);
    // Shows the window at a section of the page ("" for the top) and brings it forward.
    void showSection(const QString& anchor);
    // The page's resource name for a language.
    static QString pageFor(Language language);
};

}  // namespace tovik::label
