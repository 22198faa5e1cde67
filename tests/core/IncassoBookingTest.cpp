// Booking a written collection: payments with the run's remark, first collections made
// recurring, all of it one undoable step.
#include "core/incasso/KCollectionBooking.h"
#include "core/incasso/KCollectionFile.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/IncassoClub.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

namespace {

class IncassoBooking : public ::testing::Test {
protected:
    IncassoBooking() {
        newDocument(doc);
        addIncassoFields(doc);
        request.collectionDate = 20260320;
    }
    std::int32_t member(const std::string& name, const Debtor& debtor, double charged) {
        KMember m = makeMember(doc, name);
        setDebtor(m, debtor);
        m.addCharge(chargeOf(1, 20260101, {{"Contributie", charged}}));
        addMember(doc, m);
        return m.id();
    }
    const KField* firstField(std::int32_t id) {
        for (const KField& v : doc.findMember(id)->values())
            if (v.label() == "Eerste incasso")
                return &v;
        return nullptr;
    }

    PinnedToday today{20260316};
    CKorvelDoc doc;
    IncassoSettings settings = testCreditor();
    KCollectionRequest request;
};

TEST_F(IncassoBooking, PaysWhatWasCollectedInOneUndoableStep) {
    const std::int32_t first = member("Aap", readyDebtor(1, true), 42.5);
    const std::int32_t recurrent = member("Bes", readyDebtor(2, false), 17.25);
    Debtor none = readyDebtor(3, true);
    none.iban.clear();
    const std::int32_t skipped = member("Cor", none, 10.0);
    const std::int32_t deselected = member("Dirk", readyDebtor(4, true), 30.0);

    const std::string before = savedBytes(doc);
    const int steps = doc.undoStack().count();
    const KCollectionList list = KCollection::list(doc, settings, request);
    const auto items = KCollectionFile::chosen(list, {first, recurrent, skipped});
    ASSERT_EQ(items.size(), 2u); // a member who is not ready is never collected
    const QString msgId = QStringLiteral("KVL-20260316120000000");

    EXPECT_EQ(KCollectionBooking::book(doc, settings, items, msgId, request.collectionDate), 2u);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().text(doc.undoStack().index() - 1), QStringLiteral("Incasso boeken"));

    for (std::int32_t id : {first, recurrent}) {
        const KMember* m = doc.findMember(id);
        EXPECT_DOUBLE_EQ(m->balance(), 0.0);
        ASSERT_EQ(m->payments().size(), 1u);
        const KPayment& p = *m->payments().begin();
        EXPECT_EQ(p.date().value(), 20260320);
        EXPECT_EQ(p.remarks(), "Incasso KVL-20260316120000000");
    }
    EXPECT_EQ(firstField(first)->number(), 0); // the next run collects it as recurring
    EXPECT_EQ(firstField(deselected)->number(), 1);
    EXPECT_TRUE(doc.findMember(skipped)->payments().empty());

    // Collected members owe nothing any more: a second run finds only the others.
    const KCollectionList again = KCollection::list(doc, settings, request);
    ASSERT_EQ(again.items.size(), 2u);

    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);
}

TEST_F(IncassoBooking, AFirstCollectionFieldOfTextGetsNee) {
    CKorvelDoc textDoc;
    newDocument(textDoc);
    KFieldList fields = textDoc.fields();
    for (const char* label : {"IBAN", "Machtigingskenmerk", "Datum machtiging", "Eerste incasso"})
        fields.insert(KField(textDoc.handOutId(),
                             std::string(label) == "Datum machtiging" ? FieldType::Date
                                                                      : FieldType::Text,
                             FieldMeaning::Other, label));
    KEdit::replaceFields(textDoc, fields, textDoc.tabs());
    KMember m = makeMember(textDoc, "Aap");
    for (KField& v : m.values()) {
        if (v.label() == "IBAN")
            v.setText(dutchIban(7));
        if (v.label() == "Machtigingskenmerk")
            v.setText("M-7");
        if (v.label() == "Datum machtiging")
            v.setDate(KDateValue(20240101));
        if (v.label() == "Eerste incasso")
            v.setText("ja");
    }
    m.addCharge(chargeOf(1, 20260101, {{"Contributie", 5.0}}));
    addMember(textDoc, m);

    const KCollectionList list = KCollection::list(textDoc, settings, request);
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_TRUE(list.items[0].first);
    KCollectionBooking::book(textDoc, settings, KCollectionFile::ready(list), QStringLiteral("X"),
                             request.collectionDate);
    for (const KField& v : textDoc.findMember(m.id())->values()) {
        if (v.label() == "Eerste incasso") {
            EXPECT_EQ(v.text(), "Nee");
        }
    }
}

} // namespace
