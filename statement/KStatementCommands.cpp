#include "statement/KStatementCommands.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/AmountText.h"
#include "core/settings/Settings.h"
#include "core/statement/KStatementFile.h"
#include "core/statement/KStatementReview.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "statement/KStatementDialogs.h"

KStatementCommands::KStatementCommands(KCommandHost& host, std::unique_ptr<KStatementDialogs> dialogs)
    : m_host(host), m_doc(host.document()), m_dialogs(std::move(dialogs)) {
    CKorvelDoc& doc = m_doc;
    host.setHandler(Cmd::ContrStatement, [this] { readStatement(); });
    host.setEnabledRule(Cmd::ContrStatement, [&doc] { return !doc.members().empty(); });
}

KStatementCommands::~KStatementCommands() = default;

void KStatementCommands::readStatement() {
    const QString path = m_dialogs->statementFile();
    if (path.isEmpty())
        return;
    KStatementRead read = KStatementFile::read(path);
    if (read.result.isFailed()) {
        m_host.questions().alert(read.result.reason());
        return;
    }
    if (read.entryCount() == 0) {
        m_host.questions().alert(QString::fromUtf8(kNoEntries));
        return;
    }
    const IncassoSettings settings = Settings::incasso();
    KStatementReview review(m_doc, std::move(read.statements), settings.ibanLabel(),
                            settings.creditorIban);
    if (!m_dialogs->review(review))
        return;
    const KStatementReview::Totals totals = review.checkedTotals();
    const std::size_t booked = review.book(m_doc);
    if (booked == 0) {
        m_host.questions().alert(QString::fromUtf8(kNothingBooked));
        return;
    }
    const QString total = CodePage::toQString(AmountText(static_cast<double>(totals.cents) / 100.0, 2));
    m_host.questions().alert(booked == 1 ? QString::fromUtf8(kBookedOne).arg(total)
                                         : QString::fromUtf8(kBooked).arg(booked).arg(total));
}
