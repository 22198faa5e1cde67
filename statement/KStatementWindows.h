#pragma once

#include "statement/KStatementDialogs.h"

class QWidget;

// The bank statement command's windows as the program shows them.
class KStatementWindows : public KStatementDialogs {
public:
    explicit KStatementWindows(QWidget* parent) : m_parent(parent) {}

    QString statementFile() override;
    bool review(KStatementReview& review) override;

private:
    QWidget* m_parent;
};
