#include "cli/SepaCommand.h"

#include "cli/JsonWriter.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/incasso/BusinessDays.h"
#include "core/incasso/KCollection.h"
#include "core/incasso/KCollectionBooking.h"
#include "core/incasso/KCollectionFile.h"
#include "core/incasso/KCreditorCheck.h"
#include "platform/CodePage.h"

#include <QFile>

#include <cstdio>
#include <map>

namespace {

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

void tell(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int sepaCommand(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(
            argc, argv,
            {"collection-date", "creditor-name", "creditor-iban", "creditor-id", "creditor-bic",
             "format", "scheme", "iban-field", "bic-field", "mandate-field", "mandate-date-field",
             "first-field", "text", "book"},
            options))
        return usage(why);
    if (options.paths.size() != 2)
        return usage("verkeerd aantal bestanden");
    for (const char* required :
         {"collection-date", "creditor-name", "creditor-iban", "creditor-id"})
        if (!options.has(required))
            return usage("sepa verwacht --collection-date, --creditor-name, --creditor-iban en "
                         "--creditor-id");

    IncassoSettings settings;
    settings.creditorName = local(options.value("creditor-name"));
    settings.creditorIban = local(options.value("creditor-iban"));
    settings.creditorBic = local(options.value("creditor-bic"));
    settings.creditorId = local(options.value("creditor-id"));
    settings.ibanField = local(options.value("iban-field"));
    settings.bicField = local(options.value("bic-field"));
    settings.mandateField = local(options.value("mandate-field"));
    settings.mandateDateField = local(options.value("mandate-date-field"));
    settings.firstField = local(options.value("first-field"));
    if (options.has("format")) {
        const std::string format = options.value("format");
        if (format == "pain.008.001.02")
            settings.format = IncassoSettings::Format::Pain00800102;
        else if (format != "pain.008.001.08")
            return usage("--format verwacht pain.008.001.08 of pain.008.001.02");
    }
    if (const QString problem = KCreditorCheck::problem(settings, true); !problem.isEmpty()) {
        tell(problem);
        return usage("de gegevens van de incassant kloppen niet");
    }

    KCollectionRequest request;
    std::int64_t date = 0;
    const std::string dateText = options.value("collection-date");
    if (dateText.size() != 8 || !readWholeNumber(dateText, date))
        return usage("--collection-date verwacht een datum JJJJMMDD");
    request.collectionDate = static_cast<std::int32_t>(date);
    if (const QString problem =
            BusinessDays::collectionDateProblem(request.collectionDate, Clock::today());
        !problem.isEmpty()) {
        tell(problem);
        return usage("de incassodatum moet een werkdag na vandaag zijn");
    }
    if (options.has("text"))
        request.textTemplate = local(options.value("text"));

    CKorvelDoc doc;
    const int status = [&] {
        if (const int opened = openMemberFile(doc, options.paths[0]))
            return opened;
        if (options.has("scheme")) {
            const KContribution* scheme = doc.findSchemeByDescription(
                CodePage::fromQString(local(options.value("scheme"))));
            if (!scheme)
                return usage("geen contributie met die omschrijving");
            request.schemeId = scheme->id();
        }

        const KCollectionList list = KCollection::list(doc, settings, request);
        if (!list.result.isDone()) {
            tell(list.result.reason());
            return 1;
        }
        const std::vector<const KCollectionItem*> items = KCollectionFile::ready(list);
        const QString path = QFile::decodeName(options.paths[1].c_str());
        const KCollectionFileResult written =
            KCollectionFile::write(path, settings, request.collectionDate, items);
        if (!written.result.isDone()) {
            QString reason = written.result.reason();
            if (!list.items.empty()) {
                std::map<std::string, int> reasons;
                for (const KCollectionItem& item : list.items)
                    ++reasons[KCollection::reasonKey(item.status)];
                QStringList counts;
                for (const auto& [key, count] : reasons)
                    counts << QStringLiteral("%1: %2").arg(QString::fromLatin1(key.c_str()))
                                  .arg(count);
                reason += QStringLiteral(" Overgeslagen leden: ") + counts.join(QStringLiteral(", "));
            }
            tell(reason);
            return 1;
        }

        {
            JsonWriter out(stdout);
            out.beginObject();
            out.key("file");
            out.codePageString(CodePage::fromQString(path));
            out.key("msgid");
            out.codePageString(CodePage::fromQString(written.msgId));
            out.key("transactions");
            out.integer(written.transactions);
            out.key("total");
            out.codePageString(CodePage::fromQString(KCollection::amountText(written.cents)));
            out.key("skipped");
            out.beginArray();
            for (const KCollectionItem& item : list.items) {
                if (item.ready())
                    continue;
                out.beginObject();
                out.key("member");
                out.integer(item.memberId);
                out.key("reason");
                out.codePageString(KCollection::reasonKey(item.status));
                out.endObject();
            }
            out.endArray();
            out.endObject();
            out.flush();
            if (!out.ok() || std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0) {
                tell(QStringLiteral("Het schrijven naar de standaarduitvoer is mislukt."));
                return 1;
            }
        }

        if (options.has("book")) {
            KCollectionBooking::book(doc, settings, items, written.msgId,
                                     request.collectionDate);
            if (const int saved = saveMemberFile(doc, options.value("book")))
                return saved;
        }
        return 0;
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return status;
}
