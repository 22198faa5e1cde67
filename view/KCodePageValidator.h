#pragma once

#include <QValidator>

class QLineEdit;

// Keeps an edit to the characters an administration can hold (Windows-1252): a character the
// code page lacks, typed or pasted, becomes its nearest letter ("ı" i, "ł" l, "ş" s, "—" -), and
// the status bar of the main window says once which were replaced, so that no character turns
// into a question mark or disappears behind the user's back.
class KCodePageValidator : public QValidator {
    Q_OBJECT

public:
    explicit KCodePageValidator(QObject* parent = nullptr) : QValidator(parent) {}

    // Gives the edit a validator of its own.
    static void attach(QLineEdit* edit);

    // Whether every character of the text fits the code page.
    static bool fits(const QString& text);
    // What the status bar says after the characters were replaced.
    static QString replacedMessage(const QString& characters);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    // The characters replaced in one change, each once.
    void replaced(const QString& characters) const;

private:
    void tell(const QString& characters) const;
};
