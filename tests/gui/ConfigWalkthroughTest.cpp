#include "KorvelFixture.h"

#include "config/KDlgFields.h"
#include "config/KDlgMembertypes.h"
#include "config/KDlgTabs.h"
#include "config/KDragList.h"
#include "config/KSetDatum.h"
#include "config/KSettings.h"
#include "core/format/DateFormat.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "tests/support/ModalAnswer.h"
#include "view/KMainView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// The configuration as a person goes through it: the real dialogs of the program, answered
// through their controls.
class ConfigWalkthrough : public KorvelFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        Settings::setColumns("Naam|Soort lid|Geboortedatum|IBAN|");
        jansen = addMember(doc(), "Piet Jansen", "Lid").id();
        KMember m = *doc().findMember(jansen);
        m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(20010922));
        KEdit::replaceMember(doc(), jansen, m);
        visser = addMember(doc(), "Anna Visser", "Lid").id();
    }
    void TearDown() override { DateFormat::setSetting("Standard"); }

    // Runs a command whose dialog the action answers.
    template <class Dialog> void run(int id, const std::function<void(Dialog&)>& action) {
        bool seen = false;
        ModalAnswer answer([&](QWidget* window) {
            auto* dialog = qobject_cast<Dialog*>(window);
            seen = dialog != nullptr;
            if (dialog)
                action(*dialog);
            else
                window->close();
        });
        trigger(id);
        EXPECT_TRUE(seen);
    }

    std::string cell(std::int32_t id, const std::string& title) {
        CvsFlexGrid& grid = frame().view()->grid();
        for (int row = 1; row < grid.rowCount(); ++row)
            if (grid.cellText(row, 0) == std::to_string(id))
                for (int col = 1; col < grid.colCount(); ++col)
                    if (grid.cellText(0, col) == title)
                        return grid.cellText(row, col);
        return "(no cell " + title + ")";
    }

    std::int32_t jansen = 0, visser = 0;
};

} // namespace

TEST_F(ConfigWalkthrough, AFieldOnANewTabTypesRenamedAndTheDateFormat) {
    EXPECT_EQ(cell(jansen, "IBAN"), "???");

    run<KDlgTabs>(Cmd::ConfigTabs, [](KDlgTabs& d) {
        d.nameEdit()->setText(QStringLiteral("Bank"));
        d.addButton()->click();
        d.accept();
    });

    std::int32_t iban = 0;
    run<KDlgFields>(Cmd::ConfigFields, [&](KDlgFields& d) {
        d.tabBox()->setCurrentText(QStringLiteral("Bank"));
        for (const char* label : {"Rekeninghouder", "IBAN"}) {
            d.labelEdit()->setText(QString::fromLatin1(label));
            d.typeBox()->setCurrentText(QStringLiteral("Tekst"));
            d.addButton()->click();
        }
        iban = d.fieldList()->ids().back();
        // IBAN dragged to the top of its tab.
        d.fieldList()->model()->moveRow(QModelIndex(), 1, QModelIndex(), 0);
        d.accept();
    });
    const KTabDef* bank =
        doc().tabs().findFirst([](const KTabDef& t) { return t.name() == "Bank"; });
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->position(), 2);
    ASSERT_EQ(bank->count(), 2u);
    EXPECT_EQ(bank->fieldIds().front(), iban);
    EXPECT_EQ(cell(jansen, "IBAN"), ""); // a column of its own, empty for every member

    questions().answerSelect({0});
    run<KDlgMembertypes>(Cmd::ConfigMemberTypes, [](KDlgMembertypes& d) {
        d.list()->setCurrentRow(0);
        d.nameEdit()->setText(QStringLiteral("Gewoon lid"));
        d.changeButton()->click();
        d.accept();
    });
    EXPECT_EQ(cell(jansen, "Soort lid"), "Gewoon lid");
    EXPECT_EQ(cell(visser, "Soort lid"), "Gewoon lid");
    EXPECT_TRUE(questions().done());

    run<KSettings>(Cmd::Settings, [](KSettings& d) {
        d.pages()->setCurrentIndex(1);
        d.datePage()->otherButton()->click();
        d.datePage()->formatEdit()->setText(QStringLiteral("%d-%m-%Y"));
        d.accept();
    });
    EXPECT_EQ(cell(jansen, "Geboortedatum"), "22-09-2001");

    // The three document changes are three steps back.
    for (int i = 0; i < 3; ++i)
        doc().undoStack().undo();
    EXPECT_EQ(doc().tabs().size(), 2u);
    EXPECT_EQ(cell(jansen, "Soort lid"), "Lid");
}
