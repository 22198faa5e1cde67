// The export dialog: every item selected at first, "Schuldonderdelen" offered while "Schuld" is
// selected, and closed only by an export that worked.
#include "output/KDlgExport.h"
#include "tests/support/GuiApplication.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ExportDialog, OffersThePartsWhileTheBalanceIsSelected) {
    guiApplication();
    KDlgExport dialog;
    dialog.setItems({"Naam", "Nr.", "Schuld", "Woonplaats"});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Exporteren"));
    EXPECT_EQ(dialog.list()->selectedItems().size(), 4);
    EXPECT_TRUE(dialog.partsBox()->isVisible());
    EXPECT_FALSE(dialog.partsBox()->isChecked());
    EXPECT_TRUE(dialog.exportButton()->isDefault());

    dialog.partsBox()->setChecked(true);
    dialog.list()->item(2)->setSelected(false);
    EXPECT_FALSE(dialog.partsBox()->isVisible());
    MemberExport::Choice choice = dialog.choice();
    EXPECT_EQ(choice.selected, (std::vector<bool>{true, true, false, true}));
    EXPECT_TRUE(choice.splitParts) << "ticked, but without Schuld no parts are written";
    dialog.list()->item(2)->setSelected(true);
    EXPECT_TRUE(dialog.partsBox()->isVisible());

    // A list without "Schuld" never offers them.
    dialog.setItems({"Naam"});
    EXPECT_FALSE(dialog.partsBox()->isVisible());
}

TEST(ExportDialog, StaysOpenUntilTheExportWorked) {
    guiApplication();
    KDlgExport dialog;
    dialog.setItems({"Naam", "schuld"});
    EXPECT_TRUE(dialog.partsBox()->isVisibleTo(&dialog)) << "found without regard to case";
    int tries = 0;
    dialog.setExporter([&tries](const MemberExport::Choice& choice) {
        EXPECT_EQ(choice.items, (std::vector<std::string>{"Naam", "schuld"}));
        return ++tries == 2;
    });
    dialog.show();
    dialog.exportButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.exportButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
