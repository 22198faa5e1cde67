#pragma once

#include "core/statement/KBankEntry.h"

#include <QString>

#include <vector>

// One statement of one account, as read from a camt.053 message or an MT940 file.
struct KBankStatement {
    // The file it came from; within a zip archive "archive.zip/file.xml".
    QString source;
    // The bank's id of the statement.
    QString id;
    // The account as the bank wrote it, and its IBAN normalised (empty when it is none).
    QString account;
    QString accountIban;
    QString currency;
    std::vector<KBankEntry> entries;
};
