// A treasurer's year in the program itself, through its menus and real dialogs: a new scheme
// with "&Standaard", executed for the members without an amount, the overview, and a change
// carried through to the members.
#include "KorvelFixture.h"

#include "contrib/KContrExec.h"
#include "contrib/KContrOverview.h"
#include "contrib/KDlgContribution.h"
#include "core/contrib/KOverview.h"
#include "core/generate/ClubGenerator.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "tests/support/ModalAnswer.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

class ContribCycle : public KorvelFixture {
protected:
    void SetUp() override {
        CKorvelDoc club;
        ClubGenerator(3).generate(club, 60);
        const QString path = dataPath(QStringLiteral("club.kvl"));
        ASSERT_TRUE(club.OnSaveDocument(path));
        ASSERT_TRUE(start({path}));
    }

    const KContribution* schemeNamed(const char* description) {
        return doc().findSchemeByDescription(description);
    }

    PinnedToday today{20260315};
    PinnedDateFormat format{"Standard"};
};

} // namespace

TEST_F(ContribCycle, NewSchemeExecutedOverviewAndAChangeCarriedThrough) {
    ASSERT_EQ(doc().schemes().size(), 2u);

    // A new scheme from the standard set, under a description of its own.
    ModalAnswer fill([](QWidget* modal) {
        auto* dialog = qobject_cast<KDlgContribution*>(modal);
        ASSERT_NE(dialog, nullptr);
        ModalAnswer::click(dialog, QStringLiteral("&Standaard"));
        dialog->descriptionEdit()->setText(QStringLiteral("Contributie 2027"));
        ModalAnswer::click(dialog, QStringLiteral("&OK"));
    });
    trigger(Cmd::ContrNew);
    ASSERT_TRUE(fill.answered());
    const KContribution* scheme = schemeNamed("Contributie 2027");
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->parts().size(), 18u);
    const std::int32_t id = scheme->id();

    // Executed for the members without an amount, as the dialog preselects them.
    questions().answerSelect({2});
    int preselected = 0;
    ModalAnswer execute([&preselected](QWidget* modal) {
        auto* dialog = qobject_cast<KContrExec*>(modal);
        ASSERT_NE(dialog, nullptr);
        preselected = dialog->grid()->selectedRowCount();
        ModalAnswer::click(dialog, QStringLiteral("&Voer uit"));
    });
    trigger(Cmd::ContrExecute);
    ASSERT_TRUE(execute.answered());
    EXPECT_EQ(preselected, 60);
    ASSERT_FALSE(questions().alerts().isEmpty());
    EXPECT_TRUE(questions().alerts().back().startsWith(QStringLiteral("Er is een totaal van ")));
    int charged = 0;
    for (const KMember& m : doc().members())
        charged += m.hasChargeForScheme(id) ? 1 : 0;
    EXPECT_GT(charged, 0);

    // The overview has a column for it, and its total is what is owed.
    std::string corner;
    bool hasColumn = false;
    ModalAnswer look([&](QWidget* modal) {
        auto* dialog = qobject_cast<KContrOverview*>(modal);
        ASSERT_NE(dialog, nullptr);
        CvsFlexGrid* grid = dialog->grid();
        for (int col = 1; col < grid->colCount(); ++col)
            hasColumn = hasColumn || grid->cellText(0, col) == "Contributie 2027";
        corner = grid->cellText(grid->rowCount() - 1, grid->colCount() - 1);
        dialog->reject();
    });
    trigger(Cmd::ContrOverview);
    ASSERT_TRUE(look.answered());
    EXPECT_TRUE(hasColumn);
    double owed = 0.0;
    for (const KMember& m : doc().members())
        owed += std::max(0.0, m.balance());
    EXPECT_NEAR(std::atof(corner.c_str()), owed, 0.5);

    // Dearer by one euro for the first part, carried through to the members.
    questions().answerSelect({2}).answerYesNo(true);
    ModalAnswer change([](QWidget* modal) {
        auto* dialog = qobject_cast<KDlgContribution*>(modal);
        ASSERT_NE(dialog, nullptr);
        // The seniors who are "Lid".
        CvsFlexGrid* parts = dialog->partsGrid();
        int row = 1;
        while (row < parts->rowCount() &&
               parts->cellText(row, 2) != "Senior = Ja EN Soort lid = Lid")
            ++row;
        ASSERT_LT(row, parts->rowCount());
        QTableView* view = parts->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row - 1, 0)).center());
        ASSERT_EQ(dialog->amountEdit()->text(), QStringLiteral("85.00"));
        dialog->amountEdit()->setText(QStringLiteral("86"));
        ModalAnswer::click(dialog, QStringLiteral("&Wijzigen"));
        ModalAnswer::click(dialog, QStringLiteral("&OK"));
    });
    const double before = [this, id] {
        double sum = 0;
        for (const KMember& m : doc().members())
            for (const KCharge& c : m.charges())
                if (c.scheme()->id() == id)
                    sum += c.total();
        return sum;
    }();
    trigger(Cmd::ContrChange);
    ASSERT_TRUE(change.answered());
    double after = 0;
    int dearer = 0;
    for (const KMember& m : doc().members())
        for (const KCharge& c : m.charges())
            if (c.scheme()->id() == id) {
                after += c.total();
                for (const KContrPart& p : c.scheme()->parts())
                    dearer += p.amount() == 86.0 ? 1 : 0;
            }
    EXPECT_NEAR(after - before, dearer, 1e-6);
    EXPECT_GT(dearer, 0);
    EXPECT_TRUE(questions().done());
}
