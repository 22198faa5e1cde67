// The members a direct-debit run collects from: amounts, statuses and texts.
#include "core/incasso/KCollection.h"
#include "platform/CodePage.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/IncassoClub.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

namespace {

class IncassoCollection : public ::testing::Test {
protected:
    IncassoCollection() {
        newDocument(doc);
        addIncassoFields(doc);
        request.collectionDate = 20260320;
    }

    // A member owing the charges given, with the debtor's data.
    std::int32_t member(const std::string& name, const Debtor& debtor, double charged,
                        double paid = 0.0) {
        KMember m = makeMember(doc, name);
        setDebtor(m, debtor);
        if (charged != 0.0)
            m.addCharge(chargeOf(1, 20260101, {{"Contributie", charged}}));
        if (paid != 0.0)
            m.addPayment(KPayment(paid, KDateValue(20260201)));
        addMember(doc, m);
        return m.id();
    }

    const KCollectionItem* item(const KCollectionList& list, std::int32_t id) {
        for (const KCollectionItem& i : list.items)
            if (i.memberId == id)
                return &i;
        return nullptr;
    }

    PinnedDateFormat dateFormat{"%d-%m-%Y"};
    CKorvelDoc doc;
    IncassoSettings settings = testCreditor();
    KCollectionRequest request;
};

TEST_F(IncassoCollection, EveryoneWhoOwesIsListedWithTheFirstReasonHeCannotBeCollected) {
    Debtor ready = readyDebtor(1);
    Debtor noIban = ready;
    noIban.iban.clear();
    noIban.mandate.clear(); // two problems: the first is told
    Debtor badIban = ready;
    badIban.iban = "NL91ABNA0417164301";
    Debtor noMandate = ready;
    noMandate.mandate = "  ";
    Debtor longMandate = ready;
    longMandate.mandate = std::string(36, 'M');
    Debtor oddMandate = ready;
    oddMandate.mandate = "M\xEBR-1"; // an accent would be lost in the file
    Debtor noDate = ready;
    noDate.mandateDate = 0;
    Debtor late = ready;
    late.mandateDate = 20260321;
    Debtor sameDay = ready;
    sameDay.mandateDate = 20260320;

    const std::int32_t a = member("Aap", ready, 50.0);
    const std::int32_t b = member("Bes", noIban, 50.0);
    const std::int32_t c = member("Cor", badIban, 50.0);
    const std::int32_t d = member("Dirk", noMandate, 50.0);
    const std::int32_t e = member("Els", longMandate, 50.0);
    const std::int32_t f = member("Fien", oddMandate, 50.0);
    const std::int32_t g = member("Gijs", noDate, 50.0);
    const std::int32_t h = member("Hans", late, 50.0);
    const std::int32_t i = member("Ine", sameDay, 50.0);
    const std::int32_t j = member("Rich", ready, 2e9); // more than one collection may hold
    member("Paid", ready, 50.0, 50.0);       // owes nothing
    member("Ahead", ready, 50.0, 80.0);      // paid in advance
    member("Half a cent", ready, 0.004);     // less than a cent

    const KCollectionList list = KCollection::list(doc, settings, request);
    ASSERT_TRUE(list.result.isDone());
    ASSERT_EQ(list.items.size(), 10u);
    const std::pair<std::int32_t, KCollectStatus> expected[] = {
        {a, KCollectStatus::Ready},
        {b, KCollectStatus::NoIban},
        {c, KCollectStatus::BadIban},
        {d, KCollectStatus::NoMandate},
        {e, KCollectStatus::BadMandate},
        {f, KCollectStatus::BadMandate},
        {g, KCollectStatus::NoMandateDate},
        {h, KCollectStatus::MandateAfterCollection},
        {i, KCollectStatus::Ready},
        {j, KCollectStatus::AmountTooHigh},
    };
    for (const auto& [id, status] : expected) {
        ASSERT_NE(item(list, id), nullptr) << id;
        EXPECT_EQ(item(list, id)->status, status) << id;
        EXPECT_FALSE(KCollection::statusText(*item(list, id)).isEmpty());
    }
    EXPECT_STREQ(KCollection::reasonKey(KCollectStatus::NoIban), "no-iban");
    EXPECT_STREQ(KCollection::reasonKey(KCollectStatus::MandateAfterCollection),
                 "mandate-after-collection");
}

TEST_F(IncassoCollection, BalanceOrTheSchemesColumnOfTheOverview) {
    // Two schemes; the payment clears the older debt first, as the overview shows it.
    KContribution older(doc.handOutId());
    older.setDescription("Contributie 2025");
    older.setDate(KDateValue(20250101));
    KEdit::addScheme(doc, older);
    KContribution newer(doc.handOutId());
    newer.setDescription("Contributie 2026");
    newer.setDate(KDateValue(20260101));
    KEdit::addScheme(doc, newer);

    KMember m = makeMember(doc, "Jansen");
    setDebtor(m, readyDebtor(1));
    m.addCharge(chargeOf(older.id(), 20250101, {{"Contributie", 40.0}}));
    m.addCharge(chargeOf(newer.id(), 20260101, {{"Contributie", 60.0}, {"Bond", 12.5}}));
    m.addPayment(KPayment(50.0, KDateValue(20250601)));
    addMember(doc, m);

    const KCollectionList balance = KCollection::list(doc, settings, request);
    ASSERT_EQ(balance.items.size(), 1u);
    EXPECT_EQ(balance.items[0].cents, 6250);

    request.schemeId = older.id();
    EXPECT_TRUE(KCollection::list(doc, settings, request).items.empty()); // paid off

    request.schemeId = newer.id();
    const KCollectionList scheme = KCollection::list(doc, settings, request);
    ASSERT_EQ(scheme.items.size(), 1u);
    EXPECT_EQ(scheme.items[0].cents, 6250); // 50.00 + 12.50: 10.00 of the payment was left
    EXPECT_EQ(scheme.description, QStringLiteral("Contributie 2026"));

    request.schemeId = 99999;
    EXPECT_TRUE(KCollection::list(doc, settings, request).result.isFailed());
}

TEST_F(IncassoCollection, DebtorDataAsTheFieldsHoldThem) {
    Debtor typed = readyDebtor(1, true);
    typed.iban = "nl91 abna 0417 1643 00";
    typed.bic = "abna nl2a";
    Debtor wrongBic = readyDebtor(2);
    wrongBic.bic = "ABN AMRO";
    const std::int32_t a = member(CodePage::fromUtf8("Zoë Öztürk"), typed, 25.0);
    const std::int32_t b = member("Visser", wrongBic, 25.0);

    const KCollectionList list = KCollection::list(doc, settings, request);
    const KCollectionItem* first = item(list, a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->iban, QStringLiteral("NL91ABNA0417164300"));
    EXPECT_EQ(first->bic, QStringLiteral("ABNANL2A"));
    EXPECT_TRUE(first->first);
    EXPECT_EQ(first->debtorName, QStringLiteral("Zoe Ozturk"));
    EXPECT_EQ(first->memberName, QStringLiteral("Zoë Öztürk"));
    EXPECT_EQ(first->remittance, QStringLiteral("Openstaand bedrag Zoe Ozturk"));

    // A name with no letter the bank takes still names somebody.
    const std::int32_t odd = member("& *", typed, 5.0);
    const KCollectionList again = KCollection::list(doc, settings, request);
    EXPECT_EQ(item(again, odd)->debtorName, QStringLiteral("Lid %1").arg(odd));

    const KCollectionItem* second = item(list, b);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->ready()); // the BIC is optional: without a right one the bank finds it
    EXPECT_TRUE(second->bic.isEmpty());
    EXPECT_TRUE(second->bicIgnored);
    EXPECT_FALSE(second->first);

    // Other labels in the settings: nothing is found under the default ones any more.
    settings.ibanField = QStringLiteral("Rekening");
    settings.firstField = QStringLiteral("Eerste");
    const KCollectionList other = KCollection::list(doc, settings, request);
    EXPECT_EQ(item(other, a)->status, KCollectStatus::NoIban);
    EXPECT_FALSE(item(other, a)->first);
}

TEST_F(IncassoCollection, AMandateDateInATextField) {
    CKorvelDoc textDoc;
    newDocument(textDoc);
    addIncassoFields(textDoc, FieldType::Text);
    struct Case {
        const char* text;
        std::int32_t date;
    };
    const Case cases[] = {{"15-01-2024", 20240115}, {"15/1/2024", 20240115},
                          {"2024-01-15", 20240115}, {"20240115", 20240115},
                          {"31-02-2024", 0},        {"januari", 0},
                          {"", 0}};
    std::vector<std::pair<std::int32_t, std::int32_t>> members;
    for (const Case& c : cases) {
        KMember m = makeMember(textDoc, c.text);
        Debtor d = readyDebtor(1);
        d.mandateDateText = c.text;
        setDebtor(m, d);
        m.addCharge(chargeOf(1, 20260101, {{"Contributie", 10.0}}));
        addMember(textDoc, m);
        members.emplace_back(m.id(), c.date);
    }
    const KCollectionList list = KCollection::list(textDoc, settings, request);
    for (const auto& [id, date] : members) {
        const KCollectionItem* i = nullptr;
        for (const KCollectionItem& it : list.items)
            if (it.memberId == id)
                i = &it;
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->mandateDate, date) << i->memberName.toStdString();
        EXPECT_EQ(i->ready(), date != 0);
    }
}

TEST_F(IncassoCollection, TheRemittanceTemplateAndTheLengthsOfTheTexts) {
    const std::string longName = "Van " + std::string(80, 'x');
    const std::int32_t id = member(longName, readyDebtor(1), 12.5);
    request.textTemplate = QStringLiteral("Contributie %naam% lid %lidnummer% %bedrag% %datum%");
    const KCollectionList list = KCollection::list(doc, settings, request);
    const KCollectionItem* i = item(list, id);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->debtorName.size(), 70);
    EXPECT_TRUE(i->shortened);
    EXPECT_LE(i->remittance.size(), 140);
    EXPECT_TRUE(i->remittance.startsWith(QStringLiteral("Contributie Van xxx")));

    request.textTemplate = QStringLiteral("%omschrijving% lid %lidnummer%: %bedrag% op %datum%");
    const KCollectionList plain = KCollection::list(doc, settings, request);
    EXPECT_EQ(item(plain, id)->remittance,
              QStringLiteral("Openstaand bedrag lid %1: 12,50 op 20-03-2026").arg(id));
}

TEST(IncassoRemittance, FillsInTheKnownFieldsAndLeavesTheRest) {
    const auto fill = [](const char* t) {
        return KCollection::remittance(QString::fromUtf8(t), QStringLiteral("Contributie 2026"),
                                       QStringLiteral("Jan"), 42, QStringLiteral("123"), 1250,
                                       20260320);
    };
    EXPECT_EQ(fill("%omschrijving% %naam%"), QStringLiteral("Contributie 2026 Jan"));
    EXPECT_EQ(fill("%lidnummer%/%bondsnummer%: %bedrag% %datum%"),
              QStringLiteral("42/123: 12,50 20-03-2026"));
    EXPECT_EQ(fill("100% %naam%"), QStringLiteral("100% Jan"));
    EXPECT_EQ(fill("%onbekend% %naam% %"), QStringLiteral("%onbekend% Jan %"));
    EXPECT_EQ(fill("%naam%%naam%"), QStringLiteral("JanJan"));
    EXPECT_EQ(fill(""), QString());
}

TEST(IncassoAmountText, CentsAsTheBankWritesThem) {
    EXPECT_EQ(KCollection::amountText(0), QStringLiteral("0.00"));
    EXPECT_EQ(KCollection::amountText(5), QStringLiteral("0.05"));
    EXPECT_EQ(KCollection::amountText(123450), QStringLiteral("1234.50"));
    EXPECT_EQ(KCollection::amountText(KCollection::kMaxCents), QStringLiteral("999999999.99"));
    EXPECT_EQ(KCollection::amountText(-250), QStringLiteral("-2.50"));
}

} // namespace
