#pragma once

#include "core/incasso/KCollection.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class KProgressReport;

// What the dialog "Incassobestand maken" starts with.
struct KIncassoSetup {
    // The schemes whose outstanding amount can be collected, in scheme order.
    QStringList schemeNames;
    std::vector<std::int32_t> schemeIds;
    std::int32_t today = 0;
    std::int32_t collectionDate = 0; // proposed
    QString textTemplate = KCollectionRequest::defaultTemplate();
};

// What the user chose in it.
struct KIncassoChoice {
    KCollectionRequest request;
    // The members left selected; only those who are ready are collected.
    std::vector<std::int32_t> memberIds;
};

// The windows of the direct-debit command. The program shows real ones; tests answer from a
// script. None of them changes the document.
class KIncassoDialogs {
public:
    virtual ~KIncassoDialogs() = default;

    // The dialog, which asks listFor for the members of each request it shows. Nothing after
    // "Annuleren".
    virtual std::optional<KIncassoChoice>
    chooseCollection(const KIncassoSetup& setup,
                     const std::function<KCollectionList(const KCollectionRequest&)>& listFor) = 0;
    // Where to save the file; nothing on cancel.
    virtual std::optional<QString> savePath(const QString& suggested) = 0;
    // Where writing a large file shows its progress; nullptr for none.
    virtual std::unique_ptr<KProgressReport> progress() = 0;
};
