// The scheme dialog and the condition dialog without their windows: parts, the current part,
// the standard set, the texts of the grids, and conditions by field type.
#include "core/contrib/KConditionEditor.h"
#include "core/contrib/KSchemeEditor.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class SchemeEditorTest : public DocFixture {
protected:
    SchemeEditorTest() : DocFixture({.today = 20260315, .locale = "nl_NL"}) { doc.OnNewDocument(); }

    KSchemeEditor editor(const KContribution& scheme) {
        return KSchemeEditor(scheme, doc.fields(), doc.memberTypes(),
                             [this] { return doc.handOutId(); });
    }
    KSchemeEditor editor(const KContribution& scheme, std::vector<std::string> types) {
        return KSchemeEditor(scheme, doc.fields(), std::move(types),
                             [this] { return doc.handOutId(); });
    }
    const KField& field(FieldMeaning meaning) const {
        return *doc.fields().findFirst([meaning](const KField& f) { return f.meaning() == meaning; });
    }
    const KField& fieldLabelled(const char* label) const {
        return *doc.fields().findFirst([label](const KField& f) { return f.label() == label; });
    }

    static std::vector<std::string> rows(const KSchemeEditor& e) {
        std::vector<std::string> out;
        for (const auto& row : e.partRows())
            out.push_back(row.name + " " + row.amount + " [" + row.conditions + "]");
        return out;
    }
};

} // namespace

TEST_F(SchemeEditorTest, ANewSchemeIsNamedAfterTheYear) {
    EXPECT_EQ(editor(KContribution(40)).working().description(), "Contributie 2026");
    KContribution named(41);
    named.setDescription("Jeugd");
    EXPECT_EQ(editor(named).working().description(), "Jeugd");
}

TEST_F(SchemeEditorTest, TellsWhetherTheSchemeChanged) {
    KContribution scheme(40);
    scheme.setDescription("Contributie 2026");
    scheme.setDate(KDateValue(20260101));
    KContrPart senior("Contributie", 41, 85.0);
    KField condition = field(FieldMeaning::Senior);
    condition.setNumber(1);
    senior.AddCondition(condition);
    scheme.AddPart(senior);
    scheme.AddPart(KContrPart("Bond", 42, 8.0));

    const struct {
        const char* what;
        std::function<void(KSchemeEditor&)> change;
        bool changed;
    } cases[] = {
        {"untouched", [](KSchemeEditor&) {}, false},
        {"a part selected and put back as it was",
         [](KSchemeEditor& e) {
             e.selectPart(41);
             e.changePart(41, "Contributie", "85.00");
         },
         false},
        {"the same description typed again", [](KSchemeEditor& e) { e.setDescription("Contributie 2026"); },
         false},
        {"a part selected only", [](KSchemeEditor& e) { e.selectPart(42); }, false},
        {"another amount",
         [](KSchemeEditor& e) {
             e.selectPart(41);
             e.changePart(41, "Contributie", "86");
         },
         true},
        {"a condition removed",
         [](KSchemeEditor& e) {
             e.selectPart(41);
             e.deleteCondition(e.currentPart()->conditions().front().id(), "Contributie", "85");
             e.changePart(41, "Contributie", "85");
         },
         true},
        {"a part removed", [](KSchemeEditor& e) { e.deletePart(42); }, true},
        {"a part added", [](KSchemeEditor& e) { e.addPart("Zaal", "5"); }, true},
        {"another description", [](KSchemeEditor& e) { e.setDescription("Jeugd"); }, true},
        {"another date", [](KSchemeEditor& e) { e.setDate(KDateValue(20260102)); }, true},
    };
    for (const auto& c : cases) {
        KSchemeEditor e = editor(scheme);
        c.change(e);
        EXPECT_EQ(e.changed(), c.changed) << c.what;
    }
    EXPECT_TRUE(editor(scheme).standardReplacesParts());
    EXPECT_FALSE(editor(KContribution(43)).standardReplacesParts());
}

TEST_F(SchemeEditorTest, StandardMakesThreePartsPerSeniorFlagAndMemberType) {
    KContribution old(40);
    old.setDescription("Oud");
    old.setDate(KDateValue(20010101));
    old.AddPart(KContrPart("Oud", 1, 1.0));
    KSchemeEditor e = editor(old, {"Lid", "Donateur"});
    const std::int32_t before = doc.lastId();
    e.standard();
    EXPECT_EQ(doc.lastId(), before + 12);
    EXPECT_EQ(e.working().description(), "Contributie 2026");
    EXPECT_EQ(e.working().date().value(), 20260315);
    EXPECT_EQ(rows(e), (std::vector<std::string>{
        "Contributie 85.00 [Senior = Ja EN Soort lid = Donateur]",
        "Contributie 85.00 [Senior = Ja EN Soort lid = Lid]",
        "Contributie 80.00 [Senior = Nee EN Soort lid = Donateur]",
        "Contributie 80.00 [Senior = Nee EN Soort lid = Lid]",
        "Competitie 25.00 [Competitiegerechtigd = Ja EN Senior = Ja EN Soort lid = Donateur]",
        "Competitie 25.00 [Competitiegerechtigd = Ja EN Senior = Ja EN Soort lid = Lid]",
        "Competitie 16.00 [Competitiegerechtigd = Ja EN Senior = Nee EN Soort lid = Donateur]",
        "Competitie 16.00 [Competitiegerechtigd = Ja EN Senior = Nee EN Soort lid = Lid]",
        "Bondscontributie 8.00 [Aangemeld = Ja EN Senior = Nee EN Soort lid = Donateur]",
        "Bondscontributie 8.00 [Aangemeld = Ja EN Senior = Nee EN Soort lid = Lid]",
        "Bondscontributie 8.00 [Aangemeld = Ja EN Senior = Ja EN Soort lid = Donateur]",
        "Bondscontributie 8.00 [Aangemeld = Ja EN Senior = Ja EN Soort lid = Lid]",
    }));

    // Without member types nothing is made, the description and date are set all the same.
    KSchemeEditor none = editor(old, {});
    none.standard();
    EXPECT_TRUE(none.working().parts().empty());
    EXPECT_EQ(none.working().description(), "Contributie 2026");
}

TEST_F(SchemeEditorTest, StandardWithoutFieldsMakesNoParts) {
    KFieldList noFields;
    KSchemeEditor e(KContribution(40), noFields, {"Lid"}, [this] { return doc.handOutId(); });
    e.standard();
    EXPECT_TRUE(e.working().parts().empty());
}

TEST_F(SchemeEditorTest, AddingChangingAndDeletingParts) {
    KSchemeEditor e = editor(KContribution(40));
    // Added twice: two equal parts, each under an id of its own.
    e.addPart("Contributie", "85");
    e.addPart("Contributie", "85");
    ASSERT_EQ(e.partRows().size(), 2u);
    EXPECT_NE(e.partRows()[0].id, e.partRows()[1].id);
    EXPECT_EQ(e.currentPart(), nullptr);

    // A selected part becomes the current part under a new id; added again, it is a copy.
    const std::int32_t first = e.partRows()[0].id;
    e.selectPart(first);
    ASSERT_NE(e.currentPart(), nullptr);
    EXPECT_NE(e.currentPart()->id(), first);
    EXPECT_EQ(e.currentPart()->name(), "Contributie");
    e.addPart("Bond", "8,50 euro"); // the Dutch decimal comma
    EXPECT_EQ(rows(e), (std::vector<std::string>{"Contributie 85.00 []", "Contributie 85.00 []",
                                                 "Bond 8.50 []"}));

    // Changed instead, it takes the selected part's place.
    e.selectPart(e.partRows()[2].id);
    EXPECT_TRUE(e.changePart(e.partRows()[2].id, "Bondscontributie", "9.5").isDone());
    EXPECT_EQ(rows(e), (std::vector<std::string>{"Contributie 85.00 []", "Contributie 85.00 []",
                                                 "Bondscontributie 9.50 []"}));
    EXPECT_EQ(e.changePart(std::nullopt, "x", "1").outcome(), KOutcome::NothingToDo);
    EXPECT_EQ(e.changePart(4242, "x", "1").outcome(), KOutcome::NothingToDo);

    // Text that is no number, or none, is refused and adds nothing, nor takes an id.
    const std::int32_t ids = doc.lastId();
    for (const char* typed : {"gratis", "", "12,5,0", "1e999", "nan"}) {
        const KResult refused = e.addPart("Gratis", typed);
        EXPECT_TRUE(refused.isFailed()) << typed;
        EXPECT_FALSE(refused.reason().isEmpty());
    }
    EXPECT_EQ(e.partRows().size(), 3u);
    EXPECT_EQ(doc.lastId(), ids);
    e.selectPart(e.partRows()[2].id);
    EXPECT_TRUE(e.changePart(e.partRows()[2].id, "Bond", "l5").isFailed());
    EXPECT_EQ(e.partRows()[2].name, "Bondscontributie"); // the selected part stays
    e.addPart("Gratis", "0");
    e.selectPart(e.partRows()[0].id);
    EXPECT_TRUE(e.deletePart(e.partRows()[1].id));
    EXPECT_EQ(e.partRows().size(), 3u);
    EXPECT_NE(e.currentPart(), nullptr);

    // Selecting nothing drops the current part.
    e.selectPart(std::nullopt);
    EXPECT_EQ(e.currentPart(), nullptr);
}

TEST_F(SchemeEditorTest, ConditionsOfTheCurrentPart) {
    KSchemeEditor e = editor(KContribution(40));
    // Without a current part, one is made for the new condition, with what was typed.
    KContrPart& part = *e.partForNewCondition("Competitie", "25").part;
    KField registered = field(FieldMeaning::Registered);
    registered.setNumber(1);
    KField senior = field(FieldMeaning::Senior);
    senior.setNumber(0);
    part.AddCondition(senior);
    part.AddCondition(registered);
    ASSERT_EQ(e.conditionRows().size(), 2u);
    EXPECT_EQ(e.conditionRows()[0].text, "Aangemeld = Ja");
    e.addPart("Competitie", "25");
    EXPECT_EQ(rows(e), (std::vector<std::string>{"Competitie 25.00 [Aangemeld = Ja EN Senior = Nee]"}));

    // No current part: changing and deleting a condition do nothing.
    EXPECT_EQ(e.partForConditionChange("x", "1").part, nullptr);
    e.deleteCondition(senior.id(), "x", "1");
    EXPECT_EQ(e.currentPart(), nullptr);

    // A condition may come before the amount; an amount that is no number may not.
    EXPECT_EQ(e.partForNewCondition("Nieuw", "").part->amount(), 0.0);
    e.selectPart(e.partRows()[0].id);
    EXPECT_TRUE(e.deleteCondition(senior.id(), "Competitie", "20 euro?").isFailed());
    EXPECT_EQ(e.conditionRows().size(), 2u);
    e.deleteCondition(senior.id(), "Competitie", "20,25");
    ASSERT_EQ(e.conditionRows().size(), 1u);
    EXPECT_EQ(e.currentPart()->amount(), 20.25);
    e.deleteCondition(4242, "Competitie", "20");
    EXPECT_EQ(e.conditionRows().size(), 1u);
}

TEST_F(SchemeEditorTest, TheConditionDialogOffersEveryFieldAlphabetically) {
    const KConditionEditor none(KFieldList(), {"Lid"}, -1);
    EXPECT_FALSE(none.hasFields());

    KFieldList fields;
    fields.insert(KField(7, FieldType::Text, FieldMeaning::Other, "bijzonder"));
    fields.insert(KField(8, FieldType::Text, FieldMeaning::Other, "Adres"));
    fields.insert(KField(9, FieldType::Text, FieldMeaning::Other, "Zaal"));
    const KConditionEditor e(fields, {}, 9);
    std::vector<std::string> labels;
    for (const auto& entry : e.entries())
        labels.push_back(entry.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Adres", "bijzonder", "Zaal"}));
    EXPECT_EQ(e.initialEntry(), 2);
    EXPECT_EQ(KConditionEditor(fields, {}, -1).initialEntry(), 0);
}

TEST_F(SchemeEditorTest, EachFieldTypeHasItsControlAndValue) {
    using Control = KConditionEditor::Control;
    const KConditionEditor adding(doc.fields(), doc.memberTypes(), -1);
    const auto entryOf = [&adding](const char* label) {
        for (std::size_t i = 0; i < adding.entries().size(); ++i)
            if (adding.entries()[i].label == label)
                return static_cast<int>(i);
        return -1;
    };
    struct Case {
        const char* label;
        Control control;
        const char* typed; // into the edit, or the choice's text
        std::int32_t date;
        const char* shown; // the condition's text in the grid
    };
    const Case cases[] = {
        {"Woonplaats", Control::Edit, "Delft ", 0, "Woonplaats = Delft "},
        {"Bondsnummer", Control::Edit, "12x", 0, "Bondsnummer = 12"},
        {"Soort lid", Control::MemberTypeList, "Donateur", 0, "Soort lid = Donateur"},
        {"Senior", Control::YesNoList, "Nee", 0, "Senior = Nee"},
        {"Geboortedatum", Control::DatePicker, "", 20010203, "Geboortedatum = 20010203"},
    };
    KContrPart part;
    for (const Case& c : cases) {
        const int entry = entryOf(c.label);
        ASSERT_GE(entry, 0) << c.label;
        KConditionEditor::Value value = adding.valueFor(part, entry);
        EXPECT_EQ(value.control, c.control) << c.label;
        if (c.control == Control::Edit) {
            EXPECT_EQ(value.text, "");
            value.text = c.typed;
        } else if (c.control == Control::DatePicker) {
            EXPECT_EQ(value.date.value(), 20260315);
            value.date = KDateValue(c.date);
        } else {
            EXPECT_EQ(value.choice, 0); // the first member type, or "Ja"
            for (std::size_t i = 0; i < value.choices.size(); ++i)
                if (value.choices[i] == c.typed)
                    value.choice = static_cast<int>(i);
        }
        EXPECT_TRUE(adding.accept(part, entry, value).isDone());
    }
    std::vector<std::string> shown;
    for (const KField& condition : part.conditions())
        shown.push_back(condition.label() + " = " + condition.displayText());
    EXPECT_EQ(shown, (std::vector<std::string>{"Bondsnummer = 12", "Geboortedatum = 20010203",
                                               "Senior = Nee", "Soort lid = Donateur",
                                               "Woonplaats = Delft "}));

    // Changing one shows its value, and keeps its field whatever field is chosen.
    const std::int32_t seniorId = field(FieldMeaning::Senior).id();
    const KConditionEditor changing(doc.fields(), doc.memberTypes(), seniorId);
    const int seniorEntry = changing.initialEntry();
    EXPECT_EQ(changing.entries()[static_cast<std::size_t>(seniorEntry)].label, "Senior");
    KConditionEditor::Value value = changing.valueFor(part, seniorEntry);
    EXPECT_EQ(value.choice, 1); // "Nee"
    value.choice = 0;
    changing.accept(part, seniorEntry, value);
    // A line of text typed after choosing another field is no value for a yes/no condition.
    KConditionEditor::Value text = changing.valueFor(part, entryOf("Woonplaats"));
    EXPECT_EQ(text.control, Control::Edit);
    text.text = "Nee";
    changing.accept(part, entryOf("Woonplaats"), text);
    ASSERT_EQ(part.conditionCount(), 5u);
    EXPECT_EQ(part.conditions().at(2).label(), "Senior");
    EXPECT_EQ(part.conditions().at(2).displayText(), "Ja");
}

TEST_F(SchemeEditorTest, AMemberTypeIsFoundByTheStartOfItsText) {
    KContrPart part;
    KField type = fieldLabelled("Soort lid");
    type.setText("ere");
    part.AddCondition(type);
    const KConditionEditor e(doc.fields(), {"Lid", "Donateur", "Erelid"}, type.id());
    const KConditionEditor::Value value = e.valueFor(part, e.initialEntry());
    EXPECT_EQ(value.choice, 2);
}

TEST_F(SchemeEditorTest, AnAmountConditionLeftAsShownKeepsItsExactValue) {
    KFieldList fields;
    fields.insert(KField(7, FieldType::Amount, FieldMeaning::Other, "Bedrag"));
    fields.insert(KField(8, FieldType::Quantity, FieldMeaning::Other, "Aantal"));
    KField amount = fields.at(1);
    amount.setReal(12.345);
    KField quantity = fields.at(0);
    quantity.setReal(1.5);
    KContrPart part;
    part.AddCondition(amount);
    part.AddCondition(quantity);
    const auto valueOf = [&part](std::int32_t id) {
        return part.conditions().findFirst([id](const KField& c) { return c.id() == id; })->real();
    };

    // The edit shows the locale's text ("€ 12,35", "1,5"); OK untouched keeps the value.
    for (std::int32_t id : {7, 8}) {
        const KConditionEditor changing(fields, {}, id);
        const KConditionEditor::Value shown = changing.valueFor(part, changing.initialEntry());
        EXPECT_FALSE(shown.text.empty());
        EXPECT_TRUE(changing.accept(part, changing.initialEntry(), shown).isDone());
    }
    EXPECT_DOUBLE_EQ(valueOf(7), 12.345);
    EXPECT_DOUBLE_EQ(valueOf(8), 1.5);

    // Typed, the Dutch form is read; no number is refused and changes nothing.
    const KConditionEditor changing(fields, {}, 7);
    KConditionEditor::Value typed = changing.valueFor(part, changing.initialEntry());
    typed.text = "1.250,50";
    EXPECT_TRUE(changing.accept(part, changing.initialEntry(), typed).isDone());
    EXPECT_DOUBLE_EQ(valueOf(7), 1250.5);
    typed.text = "twaalf";
    const KResult refused = changing.accept(part, changing.initialEntry(), typed);
    EXPECT_TRUE(refused.isFailed());
    EXPECT_TRUE(refused.reason().contains(QStringLiteral("twaalf")));
    EXPECT_DOUBLE_EQ(valueOf(7), 1250.5);

    // A new condition that does not read is not added.
    const KConditionEditor adding(fields, {}, -1);
    KConditionEditor::Value fresh = adding.valueFor(part, 0); // "Aantal"
    fresh.text = "1,5,0";
    EXPECT_TRUE(adding.accept(part, 0, fresh).isFailed());
    EXPECT_EQ(part.conditionCount(), 2u);
}

TEST_F(SchemeEditorTest, AMemberTypeConditionPrefersTheExactTypeAndKeepsOneItResembles) {
    KField type = fieldLabelled("Soort lid");
    type.setText("Senior");
    KContrPart part;
    part.AddCondition(type);
    const std::vector<std::string> types{"Senior recreant", "Senior"};
    const KConditionEditor e(doc.fields(), types, type.id());
    const KConditionEditor::Value value = e.valueFor(part, e.initialEntry());
    EXPECT_EQ(value.choice, 1);
    EXPECT_TRUE(e.accept(part, e.initialEntry(), value).isDone());
    EXPECT_EQ(part.conditions().front().text(), "Senior");

    // "sen" only resembles the first: untouched it stays "sen".
    KContrPart other;
    type.setText("sen");
    other.AddCondition(type);
    const KConditionEditor::Value shown = e.valueFor(other, e.initialEntry());
    EXPECT_EQ(shown.choice, 0);
    e.accept(other, e.initialEntry(), shown);
    EXPECT_EQ(other.conditions().front().text(), "sen");
}
