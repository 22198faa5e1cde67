// The find bar over the member grid as a person uses it: Ctrl+F, typing, F3 and Shift+F3,
// the choice of columns, Escape.
#include "KorvelFixture.h"

#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "view/KFindBar.h"
#include "view/KMainView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

class FindBar : public KorvelFixture {
protected:
    PinnedDateFormat format{"%d-%m-%Y"};
    void SetUp() override {
        ASSERT_TRUE(start());
        const std::int32_t born[] = {19620412, 19790723, 20080130, 19550918,
                                     19881205, 20110314, 19700601};
        int i = 0;
        for (const char* name : {"Anna Bakker", "Jos\xE9 Jansen", "Piet Jansen", "Els Visser",
                                 "Kees de Vries", "Ria Smit", "Henk Jansma"}) {
            KMember member = makeMember(doc(), name);
            member.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(born[i++]));
            member.setTextByMeaning(FieldMeaning::City,
                                    std::string(name) == "Els Visser" ? "\xC9peldoorn" : "Zwolle");
            addMember(doc(), member);
        }
        frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    }

    KFindBar& bar() { return frame().view()->findBar(); }
    CvsFlexGrid& grid() { return frame().view()->grid(); }
    // The names of the selected rows.
    std::vector<std::string> selected() {
        std::vector<std::string> names;
        const int col = frame().view()->nameColumn();
        for (int i = 0; i < grid().selectedRowCount(); ++i)
            names.push_back(grid().cellText(grid().selectedRowAt(i), col));
        return names;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(FindBar, TypingFindsTheNextMemberAndF3GoesOn) {
    EXPECT_FALSE(bar().isVisible());
    QTest::keyClick(&frame(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(bar().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), bar().edit());

    // Case and accents aside; every key searches again from the row found.
    QTest::keyClicks(bar().edit(), QStringLiteral("JOS"));
    EXPECT_EQ(selected(), Names{"Jos\xE9 Jansen"});
    QTest::sendKeyEvent(QTest::Click, bar().edit(), Qt::Key_unknown, QString::fromUtf8("é"),
                        Qt::NoModifier);
    QTest::keyClicks(bar().edit(), QStringLiteral(" jan"));
    EXPECT_EQ(bar().edit()->text(), QString::fromUtf8("JOSé jan"));
    EXPECT_EQ(selected(), Names{"Jos\xE9 Jansen"});

    bar().edit()->clear();
    QTest::keyClicks(bar().edit(), QStringLiteral("jansen"));
    EXPECT_EQ(selected(), Names{"Jos\xE9 Jansen"});
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), Names{"Piet Jansen"});
    press(Qt::Key_F3); // round past the end
    EXPECT_EQ(selected(), Names{"Jos\xE9 Jansen"});
    press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(selected(), Names{"Piet Jansen"});
    EXPECT_TRUE(bar().message().isEmpty());

    const QString screenshots = qEnvironmentVariable("KORVEL_SCREENSHOT_DIR");
    if (!screenshots.isEmpty()) {
        frame().resize(900, 380);
        QTest::qWait(50);
        EXPECT_TRUE(frame().grab().save(screenshots + QStringLiteral("/zoeken.png")));
    }

    // Not there: said so, and the selection stays.
    QTest::keyClicks(bar().edit(), QStringLiteral("x"));
    EXPECT_EQ(bar().message(), QStringLiteral("Niet gevonden."));
    EXPECT_EQ(selected(), Names{"Piet Jansen"});

    // Escape closes the bar and gives the keyboard back to the grid; F3 there goes on.
    press(Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), grid().view());
    bar().edit()->setText(QStringLiteral("jansen"));
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), Names{"Jos\xE9 Jansen"});
}

TEST_F(FindBar, EveryShownColumnWhenChosenAndRowsThatChange) {
    trigger(Cmd::EditFind);
    QTest::keyClicks(bar().edit(), QStringLiteral("epeldoorn"));
    EXPECT_EQ(bar().message(), QStringLiteral("Niet gevonden.")) << "the name only";
    bar().scopeBox()->setCurrentIndex(1);
    EXPECT_EQ(selected(), Names{"Els Visser"});

    // A member added while the bar is open is found too.
    KMember late = makeMember(doc(), "Bert Aalders");
    late.setTextByMeaning(FieldMeaning::City, "Epe");
    addMember(doc(), late);
    bar().edit()->clear();
    QTest::keyClicks(bar().edit(), QStringLiteral("aalders"));
    EXPECT_EQ(selected(), Names{"Bert Aalders"});
}
