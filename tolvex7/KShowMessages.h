#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

// Shows a list of lines, which the user can copy to the clipboard or open in the text editor.
// The dialog opens big enough for every line, within part of the screen, and the list follows
// when the user resizes it.
class TOLVEX7_EXPORT KShowMessages : public QDialog {
    Q_OBJECT

public:
    KShowMessages(const std::vector<std::string>& lines, const char* caption,
                  QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    // Every line followed by CR LF.
    QString clipboardText() const;
    // "&Clipboard": nothing to copy leaves the clipboard alone.
    void copyToClipboard();
    // Writes the lines (UTF-8, one a line) to a new file "<clock>.txt" in the folder; returns
    // its path, or an empty string when there is nothing to write or the file cannot be made.
    QString writeTextFile(const QString& folder) const;
    // "&Kladblok": the file in the temporary folder, opened in the user's text editor.
    void openInEditor();

    void setVisible(bool visible) override;

private:
    void fitToContents();

    const std::vector<std::string>& m_lines;
    bool m_fitted = false;
    QListWidget* m_list = nullptr;
};

// Shows the lines with the caption; beep sounds the two tones first.
TOLVEX7_EXPORT void ShowMessages(const std::vector<std::string>* lines, const char* caption,
                                 int beep);
