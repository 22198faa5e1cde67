// The window of "Leeftijd bijwerken": what it shows and what it hands back.
#include "member/KDatePicker.h"
#include "member/KDlgAgeUpdate.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AgeDialogTest : public DocFixture {
protected:
    AgeDialogTest() : DocFixture({.today = 20260315, .dateFormat = "%d-%m-%Y"}) { guiApplication(); }
};

} // namespace

TEST_F(AgeDialogTest, HandsBackTheDateAndTheAgeTyped) {
    KDlgAgeUpdate dialog({KDateValue(20270101), 18});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Leeftijd bijwerken"));
    EXPECT_EQ(dialog.datePicker()->lineEdit()->text(), QStringLiteral("01-01-2027"));
    EXPECT_EQ(dialog.ageBox()->value(), 18);
    EXPECT_EQ(dialog.choice().reference.value(), 20270101);

    const QString screenshots = qEnvironmentVariable("KORVEL_SCREENSHOT_DIR");
    if (!screenshots.isEmpty()) {
        dialog.show();
        QTest::qWait(50);
        EXPECT_TRUE(dialog.grab().save(screenshots + QStringLiteral("/leeftijd.png")));
    }

    // A date still being typed counts; the age is a whole number of years.
    dialog.datePicker()->lineEdit()->setText(QStringLiteral("31-12-2026"));
    dialog.ageBox()->setValue(17);
    const KMemberDialogs::AgeChoice chosen = dialog.choice();
    EXPECT_EQ(chosen.reference.value(), 20261231);
    EXPECT_EQ(chosen.age, 17);
    EXPECT_EQ(dialog.ageBox()->suffix(), QStringLiteral(" jaar"));
}
