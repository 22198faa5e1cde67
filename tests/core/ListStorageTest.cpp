// The ordered lists on their two kinds of storage: records held side by side (values, charges,
// payments, parts) and records that keep their address (members, schemes).
#include "core/model/KMember.h"
#include "core/model/KSharedText.h"
#include "platform/Archive.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::int32_t> idsOf(const KFieldList& list) {
    std::vector<std::int32_t> ids;
    for (const KField& f : list)
        ids.push_back(f.id());
    return ids;
}

KPayment payment(double amount, std::int32_t date, const char* remarks) {
    return KPayment(amount, KDateValue(date), remarks);
}

std::vector<std::string> remarksOf(const KPaymentList& list) {
    std::vector<std::string> out;
    for (const KPayment& p : list)
        out.push_back(p.remarks());
    return out;
}

std::unique_ptr<KMember> memberNamed(const KFieldList& fields, const std::string& name,
                                     std::int32_t id) {
    auto m = std::make_unique<KMember>(fields);
    m->setTextByMeaning(FieldMeaning::Name, name);
    m->setId(id);
    return m;
}

} // namespace

// A file's list arrives in the order it was saved: mostly ascending, with equals, and with keys
// changed after insertion. Filling from it must give what inserting one by one gives, short or
// long, whatever the shape.
TEST(ListStorage, FillEqualsOneByOneInsertionForEveryShape) {
    std::mt19937 random(11);
    for (std::size_t size : {2u, 5u, 16u, 24u, 25u, 60u}) {
        for (int shape = 0; shape < 4; ++shape) {
            std::vector<KField> input;
            for (std::size_t i = 0; i < size; ++i) {
                std::string label;
                switch (shape) {
                case 0: // strictly ascending
                    label = std::string(1, 'A') + std::to_string(100 + i);
                    break;
                case 1: // ascending with runs of equals
                    label = std::string(1, 'A') + std::to_string(100 + i / 3);
                    break;
                case 2: // ascending but one key changed later, so out of place
                    label = std::string(1, 'A') + std::to_string(100 + i);
                    if (i == size / 2)
                        label = "Z";
                    break;
                default: // anything
                    label = std::string(1, static_cast<char>('a' + random() % 4));
                }
                input.emplace_back(static_cast<std::int32_t>(i), FieldType::Text,
                                   FieldMeaning::Other, label);
            }
            KFieldList oneByOne;
            for (const KField& f : input)
                oneByOne.insert(f);
            KFieldList filled;
            std::size_t next = 0;
            filled.fill(static_cast<std::int64_t>(input.size()), [&] { return input[next++]; });
            EXPECT_EQ(idsOf(filled), idsOf(oneByOne)) << "size " << size << " shape " << shape;
        }
    }
}

// Elements held side by side move when the list changes; what is put back at a place it was
// taken from must come back with its contents whole, at that very place.
TEST(ListStorage, TakenElementsComeBackWholeAtTheirPlace) {
    KPaymentList list;
    list.insert(payment(10.0, 20240101, "eerste"));
    list.insert(payment(20.0, 20240301, "derde"));
    list.insert(payment(15.0, 20240201, "tweede"));
    list.insert(payment(15.0, 20240201, "tweede, nieuwer")); // in front of its equal
    ASSERT_EQ(remarksOf(list),
              (std::vector<std::string>{"eerste", "tweede, nieuwer", "tweede", "derde"}));

    std::unique_ptr<KPayment> taken = list.takeAt(2);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->remarks(), "tweede");
    list.insert(payment(1.0, 20240101, "ervoor")); // the rest shifts
    list.insertAt(3, std::move(taken));
    EXPECT_EQ(remarksOf(list), (std::vector<std::string>{"ervoor", "eerste", "tweede, nieuwer",
                                                          "tweede", "derde"}));

    auto removed = list.takeWhere([](const KPayment& p) { return p.amount() == 15.0; });
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(remarksOf(list), (std::vector<std::string>{"ervoor", "eerste", "derde"}));
    list.putBack(std::move(removed));
    EXPECT_EQ(remarksOf(list), (std::vector<std::string>{"ervoor", "eerste", "tweede, nieuwer",
                                                          "tweede", "derde"}));
}

// The document hands out its members by address; a member stays where it is while others are
// added in front of it, removed around it or the list is copied.
TEST(ListStorage, MembersKeepTheirAddressWhileTheListChanges) {
    PinnedToday today(20240105);
    KFieldList fields;
    fields.insert(KField(2, FieldType::Text, FieldMeaning::Name, "Naam"));
    KMemberList members;
    const KMember* kept = &members.insert(memberNamed(fields, "Mulder", 7));
    for (int i = 0; i < 200; ++i)
        members.insert(memberNamed(fields, "Bakker", 100 + i)); // all in front
    members.insertAll({});
    members.removeFirst([](const KMember& m) { return m.id() == 100; });
    EXPECT_EQ(members.indexOf(kept), 199);
    EXPECT_EQ(kept->id(), 7);
    EXPECT_EQ(kept->name(), "Mulder");
}

// A charge holds its scheme in itself: a copy is a separate scheme, and replacing or dropping
// the scheme is seen by the charge alone.
TEST(ListStorage, ChargeSchemeIsTheChargesOwn) {
    PinnedToday today(20240105);
    auto scheme = std::make_unique<KContribution>(5);
    scheme->AddPart(KContrPart("Contributie", 1, 30.0));
    KCharge charge(std::move(scheme), "eerste");
    KCharge copy = charge;
    copy.scheme()->AddPart(KContrPart("Donatie", 2, 10.0));
    EXPECT_DOUBLE_EQ(charge.total(), 30.0);
    EXPECT_DOUBLE_EQ(copy.total(), 40.0);

    copy.replaceScheme(nullptr);
    EXPECT_EQ(copy.scheme(), nullptr);
    EXPECT_DOUBLE_EQ(copy.total(), 0.0);
    ASSERT_NE(charge.scheme(), nullptr);
    EXPECT_EQ(charge.scheme()->id(), 5);

    // A member's charges stay in scheme order however they arrive, the scheme-less first.
    KMember member;
    member.addCharge(charge);
    member.addCharge(copy);
    ASSERT_EQ(member.charges().size(), 2u);
    EXPECT_EQ(member.charges().at(0).scheme(), nullptr);
    EXPECT_EQ(member.charges().at(1).text(), "eerste");
}

namespace {

KField textCondition(std::int32_t id, const char* label, const char* value) {
    KField f(id, FieldType::Text, FieldMeaning::MemberType, label);
    f.setText(value);
    return f;
}

KContrPart readPart(Archive& ar) {
    KContrPart part;
    part.Serialize(ar, 0);
    return part;
}

std::vector<std::string> conditionTexts(const KContrPart& part) {
    std::vector<std::string> out;
    for (const KField& c : part.conditions())
        out.push_back(c.label() + "=" + c.displayText());
    return out;
}

} // namespace

// Copies of a part share their conditions; a change to one copy is seen by that copy alone,
// however the change is made.
TEST(ListStorage, PartCopiesKeepTheirOwnConditions) {
    KContrPart part("Contributie", 7, 30.0);
    part.AddCondition(textCondition(1, "Soort lid", "Senior"));
    part.AddCondition(textCondition(2, "Aangemeld", "Ja"));

    KContrPart added = part;
    added.AddCondition(textCondition(3, "Licentie", "A"));
    KContrPart removed = part;
    removed.removeConditionById(1);
    KContrPart alike = part;
    alike.RemoveCondition(textCondition(2, "", ""));
    KContrPart replaced = part;
    KFieldList other;
    other.insert(textCondition(9, "Woonplaats", "Zwolle"));
    replaced.SetConditions(&other);
    other.clear(); // the part holds its own copy
    KContrPart cleared = part;
    cleared.SetConditions(nullptr);

    const std::vector<std::string> original{"Aangemeld=Ja", "Soort lid=Senior"};
    EXPECT_EQ(conditionTexts(part), original);
    EXPECT_EQ(conditionTexts(added),
              (std::vector<std::string>{"Aangemeld=Ja", "Licentie=A", "Soort lid=Senior"}));
    EXPECT_EQ(conditionTexts(removed), std::vector<std::string>{"Aangemeld=Ja"});
    EXPECT_EQ(conditionTexts(alike), std::vector<std::string>{"Soort lid=Senior"});
    EXPECT_EQ(conditionTexts(replaced), std::vector<std::string>{"Woonplaats=Zwolle"});
    EXPECT_FALSE(cleared.hasConditionList());
    EXPECT_EQ(cleared.conditionCount(), 0u);
    EXPECT_TRUE(part.hasConditionList());

    // Removing the last condition leaves an empty list, not no list.
    KContrPart emptied("Donatie", 8, 5.0);
    emptied.AddCondition(textCondition(1, "Soort lid", "Jeugd"));
    emptied.removeConditionById(1);
    EXPECT_TRUE(emptied.hasConditionList());
    EXPECT_EQ(emptied.conditionCount(), 0u);
}

// Parts read one after another share a condition list only when it is the same in every
// respect, and reading never changes what was read before.
TEST(ListStorage, ReadPartsShareOnlyIdenticalConditions) {
    KContrPart part("Contributie", 7, 30.0);
    part.AddCondition(textCondition(1, "Soort lid", "Senior"));
    KField flag(2, FieldType::Boolean, FieldMeaning::Senior, "Senior");
    flag.setNumber(1);
    part.AddCondition(flag);

    KContrPart differs = part; // same part id, one value different
    differs.removeConditionById(1);
    differs.AddCondition(textCondition(1, "Soort lid", "Jeugd"));

    Archive out = Archive::forStoring();
    for (KContrPart* p : {&part, &part, &differs, &part})
        p->Serialize(out, 0);
    Archive in = Archive::forLoading(out.data());
    const KContrPart first = readPart(in);
    const KContrPart second = readPart(in);
    const KContrPart third = readPart(in);
    const KContrPart fourth = readPart(in);

    EXPECT_EQ(&first.conditions(), &second.conditions()) << "identical lists are shared";
    EXPECT_EQ(conditionTexts(first), (std::vector<std::string>{"Senior=Ja", "Soort lid=Senior"}));
    EXPECT_EQ(conditionTexts(third), (std::vector<std::string>{"Senior=Ja", "Soort lid=Jeugd"}));
    EXPECT_EQ(conditionTexts(fourth), conditionTexts(first));

    KContrPart changed = second;
    changed.removeConditionById(2);
    EXPECT_EQ(first.conditionCount(), 2u);
    EXPECT_EQ(changed.conditionCount(), 1u);
}

// Shared texts: copies, moves and assignments keep the text, and texts still held survive the
// table dropping those nobody holds any more.
TEST(ListStorage, SharedTextsOutliveTheTable) {
    std::vector<KSharedText> held;
    for (int i = 0; i < 500; ++i) {
        KSharedText t = KSharedText::of("tekst " + std::to_string(i));
        if (i % 50 == 0)
            held.push_back(t);
    }
    for (int i = 0; i < 500; ++i)
        KSharedText(std::string("weg ") + std::to_string(i));
    ASSERT_EQ(held.size(), 10u);
    for (std::size_t i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i].str(), "tekst " + std::to_string(i * 50));

    KSharedText a("Naam");
    KSharedText b = a;
    KSharedText c = std::move(b);
    EXPECT_EQ(b.str(), "");
    const KSharedText& same = c;
    c = same;
    a = KSharedText();
    EXPECT_EQ(a.str(), "");
    EXPECT_EQ(c.str(), "Naam");
    EXPECT_TRUE(c == KSharedText::of("Naam"));
    EXPECT_FALSE(c == KSharedText("Naam "));
}
