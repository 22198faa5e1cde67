#include "core/incasso/KCollectionBooking.h"

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/incasso/KCollection.h"
#include "platform/CodePage.h"

namespace KCollectionBooking {

QString remark(const QString& msgId) {
    return QStringLiteral("Incasso ") + msgId;
}

std::size_t book(CKorvelDoc& doc, const IncassoSettings& settings,
                 const std::vector<const KCollectionItem*>& items, const QString& msgId,
                 std::int32_t collectionDate) {
    const std::string firstLabel = CodePage::fromQString(settings.firstLabel());
    std::int32_t firstId = 0;
    bool hasFirst = false;
    for (const KField& field : doc.fields()) {
        if (field.label() == firstLabel) {
            firstId = field.id();
            hasFirst = true;
            break;
        }
    }
    const std::string text = CodePage::fromQString(remark(msgId));

    std::vector<std::pair<std::int32_t, KMember>> contents;
    contents.reserve(items.size());
    for (const KCollectionItem* item : items) {
        const KMember* member = doc.findMember(item->memberId);
        if (!member)
            continue;
        KMember booked(*member);
        booked.addPayment(KPayment(static_cast<double>(item->cents) / 100.0,
                                   KDateValue(collectionDate), text));
        if (item->first && hasFirst) {
            if (KField* first = booked.valueById(firstId)) {
                if (first->type() == FieldType::Boolean)
                    first->setNumber(0);
                else if (first->type() == FieldType::Text)
                    first->setText("Nee");
            }
        }
        contents.emplace_back(item->memberId, std::move(booked));
    }
    return KEdit::replaceMembers(doc, QString::fromLatin1(kUndoText), std::move(contents));
}

} // namespace KCollectionBooking
