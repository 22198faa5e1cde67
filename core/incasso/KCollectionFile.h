#pragma once

#include "core/KOutcome.h"
#include "core/incasso/KCollection.h"
#include "core/settings/IncassoSettings.h"

#include <QString>

#include <cstdint>
#include <vector>

class KProgressReport;

// What a written direct-debit file holds.
struct KCollectionFileResult {
    KResult result;
    QString msgId;
    std::int64_t transactions = 0;
    std::int64_t cents = 0;
    std::int64_t first = 0; // of them collected with FRST
};

// Writing one direct-debit file of the members chosen, through a save file: the file appears
// whole or not at all.
namespace KCollectionFile {

// The items of the list that are ready and whose member is among memberIds, in list order.
std::vector<const KCollectionItem*> chosen(const KCollectionList& list,
                                           const std::vector<std::int32_t>& memberIds);
// Every ready item of the list.
std::vector<const KCollectionItem*> ready(const KCollectionList& list);

// Writes the file. NothingToDo (no file) without items; Failed with the Dutch reason when the
// creditor data are incomplete or wrong or the file cannot be written; Stopped (no file) when
// the user stopped it.
KCollectionFileResult write(const QString& path, const IncassoSettings& settings,
                            std::int32_t collectionDate,
                            const std::vector<const KCollectionItem*>& items,
                            KProgressReport* progress = nullptr);

// What the user is told after the file was written.
QString summaryText(const KCollectionFileResult& written, const QString& path);

} // namespace KCollectionFile
