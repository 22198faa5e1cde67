#pragma once

#include <QString>

class KStatementReview;

// The windows the bank statement command opens. The program shows real dialogs
// (KStatementWindows); tests answer from a script. None of them changes the document.
class KStatementDialogs {
public:
    virtual ~KStatementDialogs() = default;

    // The statement file to read; empty after "Annuleren".
    virtual QString statementFile() = 0;
    // The review until "Boeken" (true) or "Annuleren" (false). The treasurer's ticks and
    // choices are made on the review itself.
    virtual bool review(KStatementReview& review) = 0;
};
