#pragma once

#include <QValidator>

// Lets into an edit only the characters an administration can hold (Windows-1252), so that no
// typed or pasted character turns into a question mark behind the user's back.
class KCodePageValidator : public QValidator {
    Q_OBJECT

public:
    explicit KCodePageValidator(QObject* parent = nullptr) : QValidator(parent) {}

    // Whether every character of the text fits the code page.
    static bool fits(const QString& text);

    State validate(QString& input, int& pos) const override;
};
