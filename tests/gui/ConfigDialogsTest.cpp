#include "config/KDlgColumns.h"
#include "config/KDlgFields.h"
#include "config/KDlgMembertypes.h"
#include "config/KDlgTabs.h"
#include "config/KDragList.h"
#include "config/KSetDatum.h"
#include "config/KSetGeneral.h"
#include "config/KSettings.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/ScriptedQuestions.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// Drags a row of a list to another place, as the list's model moves it.
void drag(QListWidget* list, int from, int to) {
    // Qt's move puts the row in front of the row given; below itself that is one further.
    const int destination = to > from ? to + 1 : to;
    ASSERT_TRUE(list->model()->moveRow(QModelIndex(), from, QModelIndex(), destination));
}

std::vector<QString> itemTexts(const QComboBox* box) {
    std::vector<QString> out;
    for (int i = 0; i < box->count(); ++i)
        out.push_back(box->itemText(i));
    return out;
}

// Every text of the window is shown whole at its size.
void expectNothingCut(QWidget* window) {
    window->show();
    window->adjustSize();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->metaObject()->className();
        }
    }
}

class ConfigDialogsTest : public DocFixture {
protected:
    ConfigDialogsTest() { doc.OnNewDocument(); }

    ScriptedQuestions questions;
};

} // namespace

TEST_F(ConfigDialogsTest, FieldsDialogShowsTheBoxesAndTheFirstTab) {
    KFieldSetup setup(doc.fields(), doc.tabs(), [this] { return doc.handOutId(); });
    KDlgFields dialog(setup, questions);
    expectNothingCut(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Velden"));
    EXPECT_EQ(itemTexts(dialog.tabBox()), (std::vector<QString>{"NTTB", "Persoonlijk"}));
    EXPECT_EQ(dialog.tabBox()->currentText(), QStringLiteral("Persoonlijk"));
    EXPECT_EQ(dialog.targetBox()->currentText(), QStringLiteral("Persoonlijk"));
    EXPECT_EQ(itemTexts(dialog.typeBox()),
              (std::vector<QString>{"Tekst", "Datum", "Getal", "Hoeveelheid", "Bedrag",
                                    "Ja/Nee"}));
    EXPECT_EQ(dialog.typeBox()->itemData(5).toInt(), 6);
    ASSERT_EQ(dialog.meaningBox()->count(), 17);
    EXPECT_EQ(dialog.meaningBox()->itemText(10), QStringLiteral("Soort lid"));
    EXPECT_EQ(dialog.meaningBox()->itemData(16).toInt(), 16);
    EXPECT_EQ(dialog.fieldList()->item(0)->text(), QStringLiteral("Naam"));
    QAbstractItemModelTester tester(dialog.fieldList()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Selecting a field shows its label, type and meaning.
    dialog.fieldList()->setCurrentRow(5);
    EXPECT_EQ(dialog.labelEdit()->text(), QStringLiteral("Geboortedatum"));
    EXPECT_EQ(dialog.typeBox()->currentText(), QStringLiteral("Datum"));
    EXPECT_EQ(dialog.meaningBox()->currentText(), QStringLiteral("Geboortedatum"));
}

TEST_F(ConfigDialogsTest, FieldsDialogAddsMovesAndKeepsADrag) {
    KFieldSetup setup(doc.fields(), doc.tabs(), [this] { return doc.handOutId(); });
    KDlgFields dialog(setup, questions);

    dialog.labelEdit()->clear();
    dialog.addButton()->click();
    EXPECT_EQ(questions.alerts(), QStringList{"Vul het label in"});

    dialog.labelEdit()->setText(QStringLiteral("IBAN"));
    dialog.typeBox()->setCurrentIndex(0);
    dialog.addButton()->click();
    KDragList* list = dialog.fieldList();
    ASSERT_EQ(list->count(), 12);
    EXPECT_EQ(list->item(11)->text(), QStringLiteral("IBAN"));
    const std::int32_t iban = list->ids().back();

    // Dragged to the top, then another tab and back: the order stays.
    drag(list, 11, 0);
    dialog.tabBox()->setCurrentIndex(0);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Bondsnummer"));
    dialog.tabBox()->setCurrentIndex(1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("IBAN"));

    // Moved to the other tab's end.
    list->setCurrentRow(0);
    dialog.targetBox()->setCurrentIndex(0);
    dialog.moveButton()->click();
    EXPECT_EQ(list->count(), 11);
    dialog.tabBox()->setCurrentIndex(0);
    EXPECT_EQ(list->ids().back(), iban);

    // A drag just before OK is kept too.
    drag(list, 0, 2);
    const std::vector<std::int32_t> order = list->ids();
    dialog.accept();
    const KTabDef* nttb = setup.tabs().findFirst([](const KTabDef& t) { return t.name() == "NTTB"; });
    EXPECT_EQ(nttb->fieldIds(), order);
}

TEST_F(ConfigDialogsTest, FieldsDialogChangesAndDeletes) {
    KFieldSetup setup(doc.fields(), doc.tabs(), [this] { return doc.handOutId(); });
    KDlgFields dialog(setup, questions);
    KDragList* list = dialog.fieldList();
    list->setCurrentRow(1); // Adres
    dialog.labelEdit()->setText(QStringLiteral("Straat"));
    dialog.changeButton()->click();
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Straat"));
    list->setCurrentRow(1);
    dialog.deleteButton()->click();
    EXPECT_EQ(list->count(), 10);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Postcode"));
    EXPECT_TRUE(questions.alerts().isEmpty());
}

TEST_F(ConfigDialogsTest, TabsDialogRenamesInPlaceAndRefusesADuplicate) {
    KDlgTabs dialog(questions);
    dialog.setEntries({{"Persoonlijk", 1}, {"NTTB", 0}});
    expectNothingCut(&dialog);
    QAbstractItemModelTester tester(dialog.list()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);

    dialog.nameEdit()->setText(QStringLiteral("NTTB"));
    dialog.addButton()->click(); // listed already: nothing, and nothing said
    dialog.nameEdit()->setText(QStringLiteral("Bank"));
    dialog.addButton()->click();
    EXPECT_EQ(dialog.names(), (Names{"Persoonlijk", "NTTB", "Bank"}));

    dialog.list()->setCurrentRow(0);
    dialog.nameEdit()->setText(QStringLiteral("NTTB"));
    dialog.changeButton()->click();
    ASSERT_EQ(questions.alerts().size(), 1);
    EXPECT_TRUE(questions.alerts()[0].contains(QStringLiteral("\"NTTB\"")));
    EXPECT_EQ(dialog.names(), (Names{"Persoonlijk", "NTTB", "Bank"}));

    // A rename stays in its place and stays the tab it was.
    dialog.nameEdit()->setText(QStringLiteral("Adres"));
    dialog.changeButton()->click();
    EXPECT_EQ(dialog.names(), (Names{"Adres", "NTTB", "Bank"}));
    EXPECT_EQ(dialog.entries(),
              (KTabNames::Entries{{"Adres", 1}, {"NTTB", 0}, {"Bank", -1}}));

    drag(dialog.list(), 2, 0);
    dialog.list()->setCurrentRow(2);
    dialog.deleteButton()->click();
    EXPECT_EQ(dialog.entries(), (KTabNames::Entries{{"Bank", -1}, {"Adres", 1}}));
}

TEST_F(ConfigDialogsTest, MemberTypesDialogChangesInPlace) {
    KDlgMembertypes dialog(questions);
    dialog.setNames({"Lid", "Jeugd", "Erelid"});
    expectNothingCut(&dialog);
    dialog.addButton()->click();
    EXPECT_EQ(questions.alerts(), QStringList{"Vul eerst een soort lid in."});
    dialog.list()->setCurrentRow(1);
    dialog.nameEdit()->setText(QStringLiteral("Junior"));
    dialog.changeButton()->click();
    EXPECT_EQ(dialog.names(), (Names{"Lid", "Junior", "Erelid"}));
    drag(dialog.list(), 0, 2);
    EXPECT_EQ(dialog.names(), (Names{"Junior", "Erelid", "Lid"}));
}

TEST_F(ConfigDialogsTest, ColumnsDialogMovesBetweenTheLists) {
    KDlgColumns dialog;
    dialog.setChoice({{"Naam", "Adres"}, {"Nr.", "Schuld", "Woonplaats"}});
    expectNothingCut(&dialog);

    dialog.notShownList()->setCurrentRow(1); // Schuld
    dialog.showButton()->click();
    dialog.shownList()->setCurrentRow(0); // Naam
    dialog.hideButton()->click();
    EXPECT_EQ(dialog.choice().shown, (Names{"Adres", "Schuld"}));
    EXPECT_EQ(dialog.choice().notShown, (Names{"Naam", "Nr.", "Woonplaats"}));

    // Without a selection nothing moves; a double-click moves as the button does.
    dialog.notShownList()->clearSelection();
    dialog.showButton()->click();
    EXPECT_EQ(dialog.choice().shown.size(), 2u);
    drag(dialog.shownList(), 1, 0);
    EXPECT_EQ(dialog.choice().shown, (Names{"Schuld", "Adres"}));
    dialog.notShownList()->setCurrentRow(2);
    emit dialog.notShownList()->itemDoubleClicked(dialog.notShownList()->item(2));
    EXPECT_EQ(dialog.choice().shown, (Names{"Schuld", "Adres", "Woonplaats"}));
}

TEST_F(ConfigDialogsTest, GeneralPageEnablesAndPicks) {
    KSettings sheet;
    KGeneralSettings values;
    values.loadAtStart = true;
    values.fixedStartFile = false;
    values.dataFolder = QStringLiteral("/leden");
    sheet.setGeneral(values);
    sheet.setDateFormat("Standard");
    expectNothingCut(&sheet);
    KSetGeneral* page = sheet.generalPage();
    EXPECT_EQ(sheet.pages()->tabText(0), QStringLiteral("Algemeen"));
    EXPECT_TRUE(page->fixedButton()->isEnabled());
    EXPECT_FALSE(page->startFileEdit()->isEnabled());
    EXPECT_FALSE(page->startFileButton()->isEnabled());
    page->fixedButton()->click();
    EXPECT_TRUE(page->startFileEdit()->isEnabled());
    EXPECT_TRUE(page->startFileButton()->isEnabled());

    // Unchecked: everything below it off, the fixed choice still handed back.
    page->loadAtStartBox()->click();
    EXPECT_FALSE(page->fixedButton()->isEnabled());
    EXPECT_FALSE(page->parameterButton()->isEnabled());
    EXPECT_FALSE(page->startFileEdit()->isEnabled());
    EXPECT_TRUE(sheet.general().fixedStartFile);
    EXPECT_FALSE(sheet.general().loadAtStart);

    QString askedTitle, askedStart;
    page->setPickers(
        [&](const QString& title, const QString& start) -> std::optional<QString> {
            askedTitle = title;
            askedStart = start;
            return QStringLiteral("/club/data");
        },
        [&](const QString& title, const QString&) -> std::optional<QString> {
            askedTitle = title;
            return QStringLiteral("/club/data/leden");
        });
    page->browseDataFolder();
    EXPECT_EQ(askedTitle, QStringLiteral("Default locatie van alle gegevensbestanden"));
    EXPECT_EQ(askedStart, QStringLiteral("/leden"));
    EXPECT_EQ(sheet.general().dataFolder, QStringLiteral("/club/data"));
    page->browseStartFile();
    EXPECT_EQ(askedTitle, QStringLiteral("Vast ledenbestand"));
    EXPECT_EQ(sheet.general().startFile, QStringLiteral("/club/data/leden.kvl"));

    // A cancelled picker leaves the field.
    page->setPickers([](const QString&, const QString&) { return std::optional<QString>(); },
                     [](const QString&, const QString&) { return std::optional<QString>(); });
    page->browseStartFile();
    EXPECT_EQ(sheet.general().startFile, QStringLiteral("/club/data/leden.kvl"));

    // The date page was never shown: no date format to store.
    EXPECT_FALSE(sheet.dateFormat());
}

TEST_F(ConfigDialogsTest, DatePageShowsTheSample) {
    KSettings sheet;
    sheet.setDateFormat("%d-%m-%Y");
    sheet.show();
    sheet.pages()->setCurrentIndex(1);
    KSetDatum* page = sheet.datePage();
    EXPECT_TRUE(page->otherButton()->isChecked());
    EXPECT_TRUE(page->formatEdit()->isEnabled());
    EXPECT_EQ(page->formatEdit()->text(), QStringLiteral("%d-%m-%Y"));
    EXPECT_EQ(page->sample()->text(), QStringLiteral("22-09-2001"));
    page->formatEdit()->setText(QStringLiteral("%d %B %Y"));
    EXPECT_EQ(page->sample()->text(), QStringLiteral("22 September 2001"));
    EXPECT_EQ(sheet.dateFormat(), std::optional<std::string>("%d %B %Y"));

    page->standardButton()->click();
    EXPECT_FALSE(page->formatEdit()->isEnabled());
    EXPECT_EQ(page->sample()->text(), QStringLiteral("20010922"));
    EXPECT_EQ(sheet.dateFormat(), std::optional<std::string>("Standard"));
    page->systemButton()->click();
    EXPECT_EQ(sheet.dateFormat(), std::optional<std::string>("System"));
}
