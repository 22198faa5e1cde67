#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QDialog>

#include <string>

// A text in a sunken frame with OK and a Help button that opens the application's help on a
// context. The caller runs it with exec().
class TOLVEX7_EXPORT KHelpShow : public QDialog {
    Q_OBJECT

public:
    KHelpShow(const char* text, unsigned helpContext, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    unsigned helpContext() const { return m_helpContext; }

    // The application's help file, which the Help button opens.
    static void setApplicationHelpFile(const std::string& path);
    static std::string applicationHelpFile();
    // Opens help on a context: a folder of help pages (see KHelpWindow) in the help window,
    // any other file in the user's browser. False when there is no file.
    static bool openHelp(const std::string& helpFile, unsigned helpContext);

    void onHelp();

private:
    QString m_text;
    unsigned m_helpContext;
};
