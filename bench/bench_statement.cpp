// A bank statement of 10,000 amounts against a club of 100,000 members: reading the camt.053
// message, and finding the member behind every amount (the review as the dialog opens it).
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"
#include "core/statement/KStatementFile.h"
#include "core/statement/KStatementReview.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr long kMembers = 100'000;
constexpr int kEntries = 10'000;
const QString kClubIban = QStringLiteral("NL91ABNA0417164300");

QString ibanOf(std::int32_t id) {
    return QStringLiteral("NL%1RABO%2").arg(10 + id % 89).arg(id, 10, 10, QLatin1Char('0'));
}

// The generated club with an IBAN field, every member's IBAN filled in; made once.
CKorvelDoc& club() {
    static std::unique_ptr<CKorvelDoc> doc;
    if (!doc) {
        Clock::pinToday(20270120);
        DateFormat::setSetting("Standard");
        QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
        doc = std::make_unique<CKorvelDoc>();
        ClubGenerator(42).generate(*doc, kMembers);
        KFieldList fields = doc->fields();
        const KField iban(doc->handOutId(), FieldType::Text, FieldMeaning::Other, "IBAN");
        fields.insert(iban);
        KEdit::replaceFields(*doc, fields, doc->tabs());
        std::vector<std::pair<std::int32_t, KMember>> contents;
        for (const KMember& member : doc->members()) {
            KMember filled = member;
            filled.valueById(iban.id())->setText(CodePage::fromQString(ibanOf(member.id())));
            contents.emplace_back(member.id(), std::move(filled));
        }
        KEdit::replaceMembers(*doc, QStringLiteral("IBAN"), std::move(contents));
    }
    return *doc;
}

QString amount(std::int64_t cents) {
    const std::int64_t whole = cents < 0 ? -cents : cents;
    return QStringLiteral("%1.%2").arg(whole / 100).arg(whole % 100, 2, 10, QLatin1Char('0'));
}

// A camt.053.001.02 message of kEntries credits from every tenth member: by IBAN, by the
// collection's end-to-end id, by federation number in the description, by name with what the
// member owes, and from strangers.
const QByteArray& statement() {
    static QByteArray xml;
    if (!xml.isEmpty())
        return xml;
    const CKorvelDoc& doc = club();
    QString out = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\"><BkToCstmrStmt>"
        "<GrpHdr><MsgId>BENCH</MsgId><CreDtTm>2027-01-16T06:00:00</CreDtTm></GrpHdr>"
        "<Stmt><Id>BENCH-1</Id><CreDtTm>2027-01-16T06:00:00</CreDtTm>"
        "<Acct><Id><IBAN>NL91ABNA0417164300</IBAN></Id></Acct>"
        "<Bal><Tp><CdOrPrtry><Cd>OPBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">0.00</Amt>"
        "<CdtDbtInd>CRDT</CdtDbtInd><Dt><Dt>2027-01-14</Dt></Dt></Bal>");
    int n = 0;
    std::size_t index = 0;
    for (const KMember& member : doc.members()) {
        if (index++ % 10 != 0)
            continue;
        if (n == kEntries)
            break;
        const int kind = n % 10;
        std::int64_t cents = 1000 + n % 5000;
        QString party = QStringLiteral("Onbekend");
        QString iban = QStringLiteral("NL18TRIO%1").arg(n, 10, 10, QLatin1Char('0'));
        QString text = QStringLiteral("Contributie 2027");
        QString endToEnd = QStringLiteral("NOTPROVIDED");
        if (kind < 4) {
            iban = ibanOf(member.id());
        } else if (kind < 6) {
            endToEnd = QStringLiteral("KVL-%1-20270115").arg(member.id());
        } else if (kind < 8) {
            text = QStringLiteral("Contributie lid %1")
                       .arg(CodePage::toQString(member.textByMeaning(FieldMeaning::FederationNumber)));
        } else if (kind == 8) {
            party = CodePage::toQString(member.name());
            cents = std::llround(member.balance() * 100.0);
            if (cents <= 0)
                cents = 1250;
        }
        out += QStringLiteral(
                   "<Ntry><Amt Ccy=\"EUR\">%1</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>BOOK</Sts>"
                   "<BookgDt><Dt>2027-01-15</Dt></BookgDt><AcctSvcrRef>B%2</AcctSvcrRef>"
                   "<BkTxCd/><NtryDtls><TxDtls><Refs><EndToEndId>%3</EndToEndId></Refs>"
                   "<RltdPties><Dbtr><Nm>%4</Nm></Dbtr><DbtrAcct><Id><IBAN>%5</IBAN></Id></DbtrAcct></RltdPties>"
                   "<RmtInf><Ustrd>%6</Ustrd></RmtInf></TxDtls></NtryDtls></Ntry>\n")
                   .arg(amount(cents))
                   .arg(n)
                   .arg(endToEnd, party.toHtmlEscaped(), iban, text.toHtmlEscaped());
        ++n;
    }
    out += QStringLiteral("</Stmt></BkToCstmrStmt></Document>\n");
    xml = out.toUtf8();
    return xml;
}

void BM_ReadCamtStatement(benchmark::State& state) {
    const QByteArray& xml = statement();
    std::size_t entries = 0;
    for (auto _ : state) {
        const KStatementRead read = KStatementFile::fromBytes(xml, QStringLiteral("bench.xml"));
        entries = read.entryCount();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["MB"] = static_cast<double>(xml.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ReadCamtStatement)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The part of it that reads the club: the members by IBAN, number and name, and what was
// booked before.
void BM_IndexClubForStatements(benchmark::State& state) {
    const CKorvelDoc& doc = club();
    for (auto _ : state) {
        const KStatementMatcher matcher(doc, QStringLiteral("IBAN"));
        benchmark::DoNotOptimize(matcher.hasIbanField());
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
}
BENCHMARK(BM_IndexClubForStatements)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// From the statement read to the review: the document's indexes and every amount matched.
void BM_MatchStatementToClub(benchmark::State& state) {
    const CKorvelDoc& doc = club();
    const KStatementRead read = KStatementFile::fromBytes(statement(), QStringLiteral("bench.xml"));
    std::size_t ready = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<KBankStatement> statements = read.statements;
        state.ResumeTiming();
        const KStatementReview review(doc, std::move(statements), QStringLiteral("IBAN"), kClubIban);
        rows = review.size();
        ready = review.checkedTotals().rows;
        benchmark::DoNotOptimize(ready);
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
    state.counters["entries"] = static_cast<double>(rows);
    state.counters["matched"] = static_cast<double>(ready);
}
BENCHMARK(BM_MatchStatementToClub)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
