#include "config/KConfigCommands.h"
#include "config/KConfigDialogs.h"
#include "core/config/KFieldSetup.h"
#include "core/config/KTabNames.h"
#include "core/format/DateFormat.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/TestCommandHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;

// The configuration's dialogs answered from a script: each answer is what the user did.
struct ScriptedConfigDialogs : KConfigDialogs {
    std::function<std::optional<KTabNames::Entries>(const KTabNames::Entries&)> tabs;
    std::function<bool(KFieldSetup&)> fields;
    std::function<std::optional<Names>(const Names&)> memberTypes;
    std::function<std::optional<Names>(const KColumnChoice&)> columns;
    std::function<std::optional<KSettingsResult>(const KGeneralSettings&, const std::string&)>
        settings;
    IncassoSettings incasso;
    QStringList fieldLabels;
    int shown = 0;

    std::optional<KTabNames::Entries> editTabs(const KTabNames::Entries& entries) override {
        ++shown;
        return tabs(entries);
    }
    bool editFields(KFieldSetup& setup) override {
        ++shown;
        return fields(setup);
    }
    std::optional<Names> editMemberTypes(const Names& names) override {
        ++shown;
        return memberTypes(names);
    }
    std::optional<Names> editColumns(const KColumnChoice& choice) override {
        ++shown;
        return columns(choice);
    }
    std::optional<KSettingsResult> editSettings(const KGeneralSettings& general,
                                                const std::string& format,
                                                const IncassoSettings& incassoValues,
                                                const QStringList& labels) override {
        incasso = incassoValues;
        fieldLabels = labels;
        ++shown;
        return settings(general, format);
    }
};

class ConfigCommandsTest : public DocFixture {
protected:
    ConfigCommandsTest() {
        Settings::setColumns("Naam|Geboortedatum|");
        doc.OnNewDocument();
        jansen = addMember(doc, "Piet Jansen", "Jeugd").id();
        KMember m = *doc.findMember(jansen);
        m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(20010922));
        KEdit::replaceMember(doc, jansen, m);
        bakker = addMember(doc, "Anna Bakker", "Jeugd").id();
        auto scripted = std::make_unique<ScriptedConfigDialogs>();
        dialogs = scripted.get();
        commands = std::make_unique<KConfigCommands>(host, std::move(scripted));
        host.mainView().OnUpdate();
        doc.SetModifiedFlag(false);
    }

    CvsFlexGrid& grid() { return host.mainView().grid(); }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (int col = 1; col < grid().colCount(); ++col)
            out.push_back(grid().cellText(0, col));
        return out;
    }
    // The text of a column in Jansen's row.
    std::string cell(const std::string& title) {
        for (int row = 1; row < grid().rowCount(); ++row) {
            if (grid().cellText(row, 0) != std::to_string(jansen))
                continue;
            for (int col = 1; col < grid().colCount(); ++col)
                if (grid().cellText(0, col) == title)
                    return grid().cellText(row, col);
        }
        return "(no cell " + title + ")";
    }

    TestCommandHost host{doc};
    ScriptedConfigDialogs* dialogs = nullptr;
    std::unique_ptr<KConfigCommands> commands;
    std::int32_t jansen = 0, bakker = 0;
};

} // namespace

TEST_F(ConfigCommandsTest, EveryCommandIsThereAndEnabled) {
    for (int id : {Cmd::ConfigTabs, Cmd::ConfigFields, Cmd::ConfigMemberTypes, Cmd::ConfigColumns,
                   Cmd::Settings})
        EXPECT_TRUE(host.enabled(id)) << id;
}

TEST_F(ConfigCommandsTest, TabsRenamedAndOrderedInOneStep) {
    const std::vector<std::int32_t> personal = doc.tabs().findFirst([](const KTabDef& t) {
        return t.name() == "Persoonlijk";
    })->fieldIds();
    dialogs->tabs = [](const KTabNames::Entries& entries) -> std::optional<KTabNames::Entries> {
        EXPECT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].name, "Persoonlijk");
        KTabNames::Entries changed = entries;
        changed[0].name = "Gegevens"; // "<--> Wijzigen"
        std::swap(changed[0], changed[1]);
        changed.insert(changed.begin() + 1, {"Bank", -1});
        return changed;
    };
    const std::string before = savedBytes(doc);
    ASSERT_TRUE(host.trigger(Cmd::ConfigTabs));
    Names order;
    for (const KTabNames::Entry& e : KTabNames::listed(doc.tabs()))
        order.push_back(e.name);
    EXPECT_EQ(order, (Names{"NTTB", "Bank", "Gegevens"}));
    // The renamed tab keeps its fields: the member dialog still shows them.
    EXPECT_EQ(doc.tabs().findFirst([](const KTabDef& t) { return t.name() == "Gegevens"; })
                  ->fieldIds(),
              personal);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("rubrieken wijzigen"));
    doc.undoStack().undo();
    EXPECT_EQ(savedBytes(doc), before);

    // Cancel, and OK on the list as it was, change nothing and do not mark the document.
    doc.SetModifiedFlag(false);
    const int steps = doc.undoStack().count();
    dialogs->tabs = [](const KTabNames::Entries&) { return std::nullopt; };
    host.trigger(Cmd::ConfigTabs);
    dialogs->tabs = [](const KTabNames::Entries& entries) {
        return std::optional<KTabNames::Entries>(entries);
    };
    host.trigger(Cmd::ConfigTabs);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_EQ(savedBytes(doc), before);
}

TEST_F(ConfigCommandsTest, ARenamedFieldKeepsItsColumnAndADeletedOneLosesIt) {
    Settings::setColumns("Naam|Diversen|Bondsnummer|Schuld|");
    KMember m = *doc.findMember(jansen);
    m.valueByMeaning(FieldMeaning::Miscellaneous)->setText("sleutel");
    KEdit::replaceMember(doc, jansen, m);
    dialogs->fields = [](KFieldSetup& setup) {
        KFieldSetup::Controls c;
        c.tab = "Persoonlijk";
        c.label = "Opmerkingen";
        c.meaning = FieldMeaning::Miscellaneous;
        for (const KField& f : setup.fields())
            if (f.label() == "Diversen")
                c.selected = f.id();
        EXPECT_EQ(setup.change(c), KFieldSetup::Outcome::Done);
        c = {};
        c.tab = "NTTB";
        for (const KField& f : setup.fields())
            if (f.label() == "Bondsnummer")
                c.selected = f.id();
        return setup.remove(c) == KFieldSetup::Outcome::Done;
    };
    ASSERT_TRUE(host.trigger(Cmd::ConfigFields));
    EXPECT_EQ(Settings::columns(), "Naam|Opmerkingen|Schuld|");
    EXPECT_EQ(titles(), (Names{"Naam", "Opmerkingen", "Schuld"}));
    EXPECT_EQ(cell("Opmerkingen"), "sleutel");
}

TEST_F(ConfigCommandsTest, AFieldAddedShowsAsAGridColumn) {
    Settings::setColumns("Naam|IBAN|");
    EXPECT_EQ(cell("IBAN"), "???");
    dialogs->fields = [](KFieldSetup& setup) {
        KFieldSetup::Controls c;
        c.tab = "Persoonlijk";
        c.label = "IBAN";
        return setup.add(c) == KFieldSetup::Outcome::Done;
    };
    ASSERT_TRUE(host.trigger(Cmd::ConfigFields));
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("velden wijzigen"));
    EXPECT_EQ(cell("IBAN"), "");
    EXPECT_NE(doc.findMember(bakker)->values().findFirst(
                  [](const KField& f) { return f.label() == "IBAN"; }),
              nullptr);

    // An add, then Cancel: the fields stay, the id stays used.
    const std::size_t count = doc.fields().size();
    const std::int32_t last = doc.lastId();
    dialogs->fields = [](KFieldSetup& setup) {
        KFieldSetup::Controls c;
        c.tab = "NTTB";
        c.label = "Rating";
        setup.add(c);
        return false;
    };
    doc.SetModifiedFlag(false);
    host.trigger(Cmd::ConfigFields);
    EXPECT_EQ(doc.fields().size(), count);
    EXPECT_EQ(doc.lastId(), last + 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ConfigCommandsTest, MemberTypesRemappedInOneStep) {
    dialogs->memberTypes = [](const Names& names) -> std::optional<Names> {
        EXPECT_EQ(names, (Names{"Lid", "Donateur", "Erelid"}));
        return Names{"Lid", "Donateur", "Erelid", "Junior"};
    };
    // Jeugd was no member type: nobody is asked about it.
    host.trigger(Cmd::ConfigMemberTypes);
    EXPECT_TRUE(host.scripted().asked().empty());

    dialogs->memberTypes = [](const Names&) -> std::optional<Names> {
        return Names{"Lid", "Steunlid", "Erelid", "Junior"};
    };
    KMember m = *doc.findMember(bakker);
    m.setTextByMeaning(FieldMeaning::MemberType, "Donateur");
    KEdit::replaceMember(doc, bakker, m);
    host.scripted().answerSelect({1});
    host.trigger(Cmd::ConfigMemberTypes);
    ASSERT_EQ(host.scripted().asked().size(), 1u);
    EXPECT_EQ(host.scripted().asked()[0].caption, QStringLiteral("Wijzig Donateur in"));
    EXPECT_EQ(doc.findMember(bakker)->textByMeaning(FieldMeaning::MemberType), "Steunlid");
    EXPECT_EQ(doc.undoStack().undoText(), QStringLiteral("soorten leden wijzigen"));
    doc.undoStack().undo();
    EXPECT_EQ(doc.findMember(bakker)->textByMeaning(FieldMeaning::MemberType), "Donateur");
    EXPECT_EQ(doc.memberTypes(), (Names{"Lid", "Donateur", "Erelid", "Junior"}));
}

TEST_F(ConfigCommandsTest, ColumnsWrittenAndTheGridRebuiltWhateverTheAnswer) {
    dialogs->columns = [](const KColumnChoice& choice) -> std::optional<Names> {
        EXPECT_EQ(choice.shown, (Names{"Naam", "Geboortedatum"}));
        return Names{"Nr.", "Naam", "Schuld"};
    };
    host.trigger(Cmd::ConfigColumns);
    EXPECT_EQ(Settings::columns(), "Nr.|Naam|Schuld|");
    EXPECT_EQ(titles(), (Names{"Nr.", "Naam", "Schuld"}));
    EXPECT_FALSE(doc.IsModified());

    // Cancel writes nothing; the grid is rebuilt from the profile all the same.
    Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Columns"),
                         QStringLiteral("Naam|Woonplaats|"));
    dialogs->columns = [](const KColumnChoice&) { return std::nullopt; };
    host.trigger(Cmd::ConfigColumns);
    EXPECT_EQ(Settings::columns(), "Naam|Woonplaats|");
    EXPECT_EQ(titles(), (Names{"Naam", "Woonplaats"}));
}

TEST_F(ConfigCommandsTest, ColumnsWithoutFieldsAskNothing) {
    KEdit::replaceFields(doc, KFieldList(), doc.tabs());
    dialogs->shown = 0;
    host.trigger(Cmd::ConfigColumns);
    EXPECT_EQ(dialogs->shown, 0);
}

TEST_F(ConfigCommandsTest, SettingsSavedAndTheGridFollowsTheDateFormat) {
    EXPECT_EQ(cell("Geboortedatum"), "20010922");
    dialogs->settings = [](const KGeneralSettings& general,
                           const std::string& format) -> std::optional<KSettingsResult> {
        EXPECT_FALSE(general.loadAtStart);
        EXPECT_EQ(format, "Standard");
        KSettingsResult result{general, std::string("%d-%m-%Y"), std::nullopt};
        result.general.loadAtStart = true;
        result.general.fixedStartFile = true;
        result.general.startFile = QStringLiteral("/leden/club.kvl");
        return result;
    };
    host.trigger(Cmd::Settings);
    EXPECT_TRUE(Settings::loadAtStart());
    EXPECT_EQ(Settings::startFile(), QStringLiteral("/leden/club.kvl"));
    EXPECT_EQ(Settings::dateFormat(), "%d-%m-%Y");
    EXPECT_EQ(DateFormat::setting(), "%d-%m-%Y");
    EXPECT_EQ(cell("Geboortedatum"), "22-09-2001");

    // Cancel writes nothing.
    dialogs->settings = [](const KGeneralSettings&, const std::string&) {
        return std::optional<KSettingsResult>();
    };
    Settings::setLoadAtStart(false);
    host.trigger(Cmd::Settings);
    EXPECT_FALSE(Settings::loadAtStart());
    EXPECT_EQ(Settings::dateFormat(), "%d-%m-%Y");
}

TEST_F(ConfigCommandsTest, SettingsStoreTheIncassoPageOnlyWhenItWasShown) {
    IncassoSettings stored;
    stored.creditorName = QStringLiteral("TTV Oud");
    Settings::setIncasso(stored);
    dialogs->settings = [](const KGeneralSettings& general, const std::string& format) {
        return std::optional<KSettingsResult>(KSettingsResult{general, format, std::nullopt});
    };
    host.trigger(Cmd::Settings);
    EXPECT_EQ(dialogs->incasso, stored);
    EXPECT_TRUE(dialogs->fieldLabels.contains(QStringLiteral("Geboortedatum")));
    EXPECT_EQ(Settings::incasso(), stored);

    IncassoSettings changed = stored;
    changed.creditorName = QStringLiteral("TTV Nieuw");
    changed.format = IncassoSettings::Format::Pain00800102;
    dialogs->settings = [&changed](const KGeneralSettings& general, const std::string& format) {
        return std::optional<KSettingsResult>(KSettingsResult{general, format, changed});
    };
    host.trigger(Cmd::Settings);
    EXPECT_EQ(Settings::incasso(), changed);
}
