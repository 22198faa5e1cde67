#include "core/incasso/KCollectionFile.h"

#include "core/incasso/KCreditorCheck.h"
#include "core/incasso/KMessageId.h"
#include "core/incasso/Pain008Writer.h"
#include "platform/FileErrorReason.h"
#include "platform/KSafeFileDevice.h"

#include <QDir>

#include <cerrno>
#include <unordered_set>

namespace KCollectionFile {

std::vector<const KCollectionItem*> chosen(const KCollectionList& list,
                                           const std::vector<std::int32_t>& memberIds) {
    const std::unordered_set<std::int32_t> wanted(memberIds.begin(), memberIds.end());
    std::vector<const KCollectionItem*> items;
    for (const KCollectionItem& item : list.items)
        if (item.ready() && wanted.count(item.memberId))
            items.push_back(&item);
    return items;
}

std::vector<const KCollectionItem*> ready(const KCollectionList& list) {
    std::vector<const KCollectionItem*> items;
    for (const KCollectionItem& item : list.items)
        if (item.ready())
            items.push_back(&item);
    return items;
}

KCollectionFileResult write(const QString& path, const IncassoSettings& settings,
                            std::int32_t collectionDate,
                            const std::vector<const KCollectionItem*>& items,
                            KProgressReport* progress) {
    KCollectionFileResult out;
    if (const QString problem = KCreditorCheck::problem(settings, true); !problem.isEmpty()) {
        out.result = KResult::failed(problem);
        return out;
    }
    if (items.empty()) {
        out.result = KResult::nothingToDo(
            QStringLiteral("Er is geen lid dat kan worden geïncasseerd; er is geen bestand "
                           "gemaakt."));
        return out;
    }

    KPain008Message message;
    message.msgId = KMessageId::next(&message.created);
    message.collectionDate = collectionDate;
    message.creditor = {settings.creditorName, settings.creditorIban, settings.creditorBic,
                        settings.creditorId};
    message.format = settings.format;

    const auto cannotWrite = [&path](const KSafeFileDevice& file) {
        return KResult::failed(
            QStringLiteral("Het incassobestand %1 kan niet worden bewaard: %2.")
                .arg(QDir::toNativeSeparators(path),
                     fileErrorReason(QFileDevice::WriteError, file.systemError(), path,
                                     FileAccess::Writing)));
    };
    // Through the file layer: the old file or the new, never half a file for the bank.
    KSafeFileDevice file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        out.result = cannotWrite(file);
        return out;
    }
    errno = 0;
    const KResult written = Pain008Writer::write(file, message, items, progress);
    if (!written.isDone()) {
        // A full disk says why in the file's own error.
        out.result = written.isFailed() && file.systemError() != 0
                         ? cannotWrite(file)
                         : written;
        file.cancelWriting();
        return out;
    }
    errno = 0;
    if (!file.commit()) {
        out.result = cannotWrite(file);
        return out;
    }
    out.result = KResult::done();
    out.msgId = message.msgId;
    for (const KCollectionItem* item : items) {
        ++out.transactions;
        out.cents += item->cents;
        if (item->first)
            ++out.first;
    }
    return out;
}

QString summaryText(const KCollectionFileResult& written, const QString& path) {
    return QStringLiteral("Het incassobestand %1 is gemaakt.\n\nKenmerk: %2\nAantal incasso's: "
                          "%3 (%4 eerste, %5 herhaalde)\nTotaal: € %6")
        .arg(QDir::toNativeSeparators(path), written.msgId)
        .arg(written.transactions)
        .arg(written.first)
        .arg(written.transactions - written.first)
        .arg(KCollection::amountText(written.cents).replace(QLatin1Char('.'), QLatin1Char(',')));
}

} // namespace KCollectionFile
