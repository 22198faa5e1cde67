#pragma once

#include "core/KOutcome.h"
#include "core/statement/KBankStatement.h"

#include <vector>

// What reading a statement file gave: every statement in it, or why it could not be read (and
// then no statement at all, so that nothing of a damaged file is ever booked).
struct KStatementRead {
    KResult result;
    std::vector<KBankStatement> statements;

    std::size_t entryCount() const {
        std::size_t count = 0;
        for (const KBankStatement& statement : statements)
            count += statement.entries.size();
        return count;
    }
};
