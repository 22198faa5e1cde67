// What messages to members hand to the correspondence component, and in which order.
#include "core/KProgressReport.h"
#include "core/edit/KEdit.h"
#include "core/output/MemberMessages.h"
#include "core/settings/IncassoSettings.h"
#include "core/settings/Settings.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/RecordingComponents.h"

#include <gtest/gtest.h>

namespace {

using Call = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

const std::vector<std::string> kPersonalLabels = {
    "Naam", "Adres", "Postcode", "Woonplaats", "Telefoon", "Geboortedatum",
    "E-mail", "Man", "Soort lid", "Inschrijfdatum", "Diversen"};
const std::vector<std::string> kFederationLabels = {"Bondsnummer", "Senior", "Aangemeld",
                                                    "Competitiegerechtigd", "Licentie"};

std::vector<std::string> labels(const Values& values) {
    std::vector<std::string> out;
    for (const auto& value : values)
        out.push_back(value.first);
    return out;
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MemberMessagesTest : public DocFixture {
protected:
    MemberMessagesTest() : DocFixture({.today = 20260315, .dateFormat = "%d-%m-%Y"}) {
        doc.OnNewDocument();
    }

    // The values after the member's fields.
    Values money(const KMember& member) {
        const Values all = MemberMessages::valuesOf(doc, member);
        return Values(all.begin() + static_cast<long>(kPersonalLabels.size() + kFederationLabels.size()),
                      all.end());
    }
};

TEST_F(MemberMessagesTest, FieldsInTabOrderWithTheMembersOwnLabels) {
    KMember m = makeMember(doc, "Cor Claes");
    m.setTextByMeaning(FieldMeaning::City, "Zwolle");
    m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(19800314));
    m.valueByMeaning(FieldMeaning::Phone)->setLabel("Mobiel");
    m.removeValue(*m.valueByMeaning(FieldMeaning::Email));
    const KMember& cor = addMember(doc, m);

    const Values values = MemberMessages::valuesOf(doc, cor);
    std::vector<std::string> expected = joined(kPersonalLabels, kFederationLabels);
    expected[4] = "Mobiel";
    expected.erase(expected.begin() + 6); // no e-mail value: left out
    EXPECT_EQ(labels(values), expected) << "no charge: no money values";
    EXPECT_EQ(values[0].second, "Cor Claes");
    EXPECT_EQ(values[3].second, "Zwolle");
    EXPECT_EQ(values[5].second, "14-03-1980");
    EXPECT_EQ(values[6].second, "Nee");
    EXPECT_EQ(values[7].second, "Lid");

    // The tabs by position; the first tab of a position counts, positions beyond 99 do not.
    KTabList tabs;
    for (const KTabDef& tab : doc.tabs()) {
        KTabDef copy = tab;
        copy.setPosition(tab.name() == "NTTB" ? 0 : 1);
        tabs.insert(copy);
    }
    KTabDef later("Zzz", 0);
    later.addFieldId(doc.fields().begin()->id());
    tabs.insert(later);
    KTabDef beyond("Extra", 100);
    beyond.addFieldId(doc.fields().begin()->id());
    tabs.insert(beyond);
    KEdit::replaceTabs(doc, tabs);
    EXPECT_EQ(labels(MemberMessages::valuesOf(doc, *doc.findMember(cor.id()))),
              joined(kFederationLabels, {"Naam", "Adres", "Postcode", "Woonplaats", "Mobiel",
                                         "Geboortedatum", "Man", "Soort lid", "Inschrijfdatum",
                                         "Diversen"}));
}

TEST_F(MemberMessagesTest, MoneyFromTheLatestChargeThenTotalAndArrears) {
    KMember m = makeMember(doc, "Cor Claes");
    m.addCharge(chargeOf(7, 20250101, {{"Contributie", 25.0}, {"Korting", 0.0}, {"Bar", 0.004}}));
    m.addCharge(chargeOf(6, 20240101, {{"Contributie", 40.0}}));
    m.addPayment(KPayment(10.0, KDateValue(20250201)));
    const KMember& cor = addMember(doc, m);
    EXPECT_EQ(money(cor), (Values{{"Contributie", "25.00"},
                                  {"Totaal", "55.00"},
                                  {"Achterstallig", "30.00"},
                                  {"Onderdelen", "Contributie: 25.00"}}));

    KMember o = makeMember(doc, "Els Overbetaald");
    o.addCharge(chargeOf(7, 20250101, {{"Contributie", 25.0}}));
    o.addPayment(KPayment(40.0, KDateValue(20250201)));
    const KMember& els = addMember(doc, o);
    EXPECT_EQ(money(els), (Values{{"Contributie", "25.00"},
                                  {"Totaal", "-15.00"},
                                  {"Achterstallig", "0.00"},
                                  {"Onderdelen", "Contributie: 25.00"}}));
}

TEST_F(MemberMessagesTest, EveryLetterGetsTheDateTheClubAndThePartsOneALine) {
    KMember m = makeMember(doc, "Cor Claes");
    m.addCharge(chargeOf(7, 20250101,
                         {{"Contributie", 85.0}, {"Korting", -10.0}, {"Niets", 0.0}, {"Bond", 8.0}}));
    const KMember& cor = addMember(doc, m);
    const std::size_t fields = kPersonalLabels.size() + kFederationLabels.size();

    const MemberMessages::Letterhead head{"15-03-2026", "TTV De Batje", "NL91ABNA0417164300"};
    const Values all = MemberMessages::valuesOf(doc, cor, head);
    const Values after(all.begin() + static_cast<long>(fields) + 4, all.end());
    EXPECT_EQ(after, (Values{{"Vandaag", "15-03-2026"},
                             {"Vereniging", "TTV De Batje"},
                             {"IBAN vereniging", "NL91ABNA0417164300"},
                             {"Onderdelen", "Contributie: 85.00\nBond: 8.00\nKorting: -10.00"}}));

    // Without the club's data only the date; without a charge no parts.
    const KMember& anna = addMember(doc, "Anna Bakker");
    const Values plain = MemberMessages::valuesOf(doc, anna, {"15-03-2026", "", ""});
    EXPECT_EQ(Values(plain.begin() + static_cast<long>(fields), plain.end()),
              (Values{{"Vandaag", "15-03-2026"}}));

    // The letterhead of a run: today written out as a letter does, whatever the date format, the club from the incasso settings,
    // with characters the code page lacks turned into their nearest letter.
    TempProfile profile;
    IncassoSettings club;
    club.creditorName = QString::fromUtf8("TTV Łódź");
    club.creditorIban = QStringLiteral("NL91ABNA0417164300");
    Settings::setIncasso(club);
    const MemberMessages::Letterhead read = MemberMessages::letterhead();
    EXPECT_EQ(read.today, "15 maart 2026");
    EXPECT_EQ(MemberMessages::writtenDate(20261209), "9 december 2026");
    EXPECT_EQ(MemberMessages::writtenDate(20000101), "1 januari 2000");
    EXPECT_EQ(read.clubName, "TTV L\xF3" "dz");
    EXPECT_EQ(read.clubIban, "NL91ABNA0417164300");
}

TEST_F(MemberMessagesTest, TheCallsForAllMembersOrOne) {
    const KMember& cor = addMember(doc, "Cor Claes");
    const KMember& anna = addMember(doc, "Anna Bakker");
    RecordingCorrespondence component;
    ASSERT_TRUE(MemberMessages::canSend(doc));
    ASSERT_TRUE(MemberMessages::send(doc, MemberMessages::kAllMembers, component, nullptr, {}).isDone());
    const auto& calls = component.calls();
    ASSERT_EQ(calls.size(), 3 + 2 * (kPersonalLabels.size() + kFederationLabels.size()));
    EXPECT_EQ(calls.front(), (Call{"BeginCorrespondence", "Korvel", "Correspondentie", "KVB-veld:"}));
    EXPECT_EQ(calls[1], (Call{"SetListFields", "Naam", "Totaal"}));
    EXPECT_EQ(calls.back(), (Call{"RunCorrespondence"}));
    // In the order of the member list: by name.
    EXPECT_EQ(calls[2], (Call{"AddMemberValue", std::to_string(anna.id()), "Naam", "Anna Bakker"}));
    EXPECT_EQ(calls[2 + kPersonalLabels.size() + kFederationLabels.size()],
              (Call{"AddMemberValue", std::to_string(cor.id()), "Naam", "Cor Claes"}));

    RecordingCorrespondence one;
    MemberMessages::send(doc, cor.id(), one, nullptr, {});
    EXPECT_EQ(one.calls().size(), 3 + kPersonalLabels.size() + kFederationLabels.size());
    EXPECT_EQ(one.calls()[2][1], std::to_string(cor.id()));

    RecordingCorrespondence nobody;
    MemberMessages::send(doc, 424242, nobody, nullptr, {});
    EXPECT_EQ(nobody.names(),
              (std::vector<std::string>{"BeginCorrespondence", "SetListFields", "RunCorrespondence"}));

    // The component's failures do not stop the run.
    RecordingCorrespondence failing;
    failing.failOn("AddMemberValue");
    MemberMessages::send(doc, cor.id(), failing, nullptr, {});
    EXPECT_EQ(failing.calls().size(), one.calls().size());
}

TEST_F(MemberMessagesTest, NothingWithoutTabsAndNoRunWhenStopped) {
    addMember(doc, "Cor Claes");
    struct Stop : KProgressReport {
        bool advance(std::int64_t) override { return false; }
    } stop;
    RecordingCorrespondence component;
    EXPECT_TRUE(MemberMessages::send(doc, MemberMessages::kAllMembers, component, &stop).isStopped());
    EXPECT_EQ(component.names(), (std::vector<std::string>{"BeginCorrespondence", "SetListFields"}));

    KEdit::replaceTabs(doc, KTabList());
    EXPECT_FALSE(MemberMessages::canSend(doc));
}

} // namespace
