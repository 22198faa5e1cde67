#include "cli/StatementCommand.h"

#include "cli/JsonWriter.h"
#include "core/document/CKorvelDoc.h"
#include "core/settings/Settings.h"
#include "core/statement/KStatementFile.h"
#include "core/statement/KStatementReview.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

// Cents as "%1.2f" writes them, without going through a double.
std::string amountText(std::int64_t cents) {
    const std::int64_t whole = std::llabs(cents);
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>(whole / 100), static_cast<long long>(whole % 100));
    return text;
}

const char* ruleName(KMatchRule rule) {
    switch (rule) {
    case KMatchRule::EndToEnd:
        return "end-to-end";
    case KMatchRule::Storno:
        return "storno";
    case KMatchRule::Iban:
        return "iban";
    case KMatchRule::Reference:
        return "reference";
    case KMatchRule::Name:
        return "name";
    case KMatchRule::Chosen:
    case KMatchRule::None:
        break;
    }
    return "";
}

std::string quoted(const QString& text) {
    std::string out;
    JsonWriter::appendQuoted(out, text.toUtf8().toStdString());
    return out;
}

std::string report(const KStatementReview& review) {
    std::size_t already = 0;
    std::size_t notBookable = 0;
    std::string booked;
    std::string unmatched;
    for (std::size_t i = 0; i < review.size(); ++i) {
        const KStatementReview::Row& row = review.row(i);
        const KBankEntry& entry = review.entry(i);
        const std::string amount = "\"amount\": \"" + amountText(entry.cents) + "\", \"date\": " +
                                   std::to_string(entry.bookingDate);
        if (row.match.state == KMatchState::Already) {
            ++already;
        } else if (row.match.state == KMatchState::NotBookable) {
            ++notBookable;
        } else if (row.checked) {
            booked += booked.empty() ? "" : ", ";
            booked += "{\"member\": " + std::to_string(row.match.member) + ", " + amount +
                      ", \"rule\": \"" + ruleName(row.match.rule) + "\"}";
        } else {
            unmatched += unmatched.empty() ? "" : ", ";
            unmatched += "{" + amount + ", \"name\": " + quoted(entry.name) +
                         ", \"text\": " + quoted(entry.text) + "}";
        }
    }
    return "{\"entries\": " + std::to_string(review.size()) + ", \"booked\": [" + booked +
           "], \"already\": " + std::to_string(already) + ", \"unmatched\": [" + unmatched +
           "], \"not-bookable\": " + std::to_string(notBookable) + "}\n";
}

} // namespace

int statementCommand(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv, {"iban-field", "creditor-iban"}, options))
        return usage(why);
    if (options.paths.size() != 3)
        return usage("verkeerd aantal bestanden");
    const IncassoSettings settings = Settings::incasso();
    const QString ibanLabel = options.has("iban-field")
                                  ? QString::fromLocal8Bit(options.value("iban-field"))
                                  : settings.ibanLabel();
    const QString clubIban = options.has("creditor-iban")
                                 ? QString::fromLocal8Bit(options.value("creditor-iban"))
                                 : settings.creditorIban;
    if (ibanLabel.trimmed().isEmpty())
        return usage("--iban-field verwacht de naam van een veld");

    CKorvelDoc doc;
    const int status = [&] {
        if (const int opened = openMemberFile(doc, options.paths[0]))
            return opened;
        KStatementRead read = KStatementFile::read(QString::fromLocal8Bit(options.paths[1]));
        if (read.result.isFailed()) {
            std::fprintf(stderr, "%s\n", read.result.reason().toLocal8Bit().constData());
            return 1;
        }
        const KStatementReview review(doc, std::move(read.statements), ibanLabel, clubIban);
        for (const QString& warning : review.warnings())
            std::fprintf(stderr, "%s\n", warning.toLocal8Bit().constData());
        review.book(doc);
        if (const int saved = saveMemberFile(doc, options.paths[2]))
            return saved;
        const std::string json = report(review);
        if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "Het schrijven naar de standaarduitvoer is mislukt.\n");
            return 1;
        }
        return 0;
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return status;
}
