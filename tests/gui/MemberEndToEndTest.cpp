#include "KorvelFixture.h"

#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "member/KDatePicker.h"
#include "member/KDlgCharge.h"
#include "member/KDlgFinancial.h"
#include "member/KDlgMember.h"
#include "member/KDlgPayment.h"
#include "member/KFocusEdit.h"
#include "member/KFieldRow.h"
#include "res/Commands.h"
#include "view/KMainView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// Answers the next modal dialog of the class T from a timer, also inside another dialog's loop.
template <class T> class AnswerWhen {
public:
    explicit AnswerWhen(std::function<void(T&)> action) : m_action(std::move(action)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                m_timer.stop();
                m_answered = true;
                m_action(*dialog);
            } else if (++m_ticks > 500) {
                m_timer.stop();
            }
        });
        m_timer.start(10);
    }
    bool answered() const { return m_answered; }

private:
    std::function<void(T&)> m_action;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_answered = false;
};

KFieldRow& rowOf(KDlgMember& dialog, const char* label) {
    for (const auto& row : dialog.rows())
        if (row->label()->text() == QLatin1String(label))
            return *row;
    throw std::runtime_error(label);
}

class MemberEndToEnd : public KorvelFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        Settings::setColumns("Naam|Geboortedatum|Man|Soort lid|Bondsnummer|Schuld|");
        addMember(doc(), "Anna Visser");
        doc().undoStack().clear();
    }
    CvsFlexGrid& grid() { return frame().view()->grid(); }
    // The texts of the member's row in the grid.
    std::vector<std::string> rowTexts(std::int32_t id) {
        for (int row = 1; row < grid().rowCount(); ++row)
            if (grid().cellText(row, 0) == std::to_string(id)) {
                std::vector<std::string> texts;
                for (int col = 1; col < grid().colCount(); ++col)
                    texts.push_back(grid().cellText(row, col));
                return texts;
            }
        return {};
    }
};

} // namespace

TEST_F(MemberEndToEnd, AddAMemberWithCharges_ChangeDeleteAndUndoEachStep) {
    PinnedToday today(20240301);
    const std::int32_t newId = doc().lastId() + 1;
    for (int id : {Cmd::MemberAdd, Cmd::MemberEdit, Cmd::MemberDelete})
        EXPECT_TRUE(frame().action(id)->isEnabled()) << id;

    AnswerWhen<KDlgMember> member([](KDlgMember& dialog) {
        rowOf(dialog, "Naam").edit()->setText(QStringLiteral("Zoë Zwart"));
        rowOf(dialog, "Geboortedatum").datePicker()->lineEdit()->setText("19900512");
        rowOf(dialog, "Man").checkBox()->setChecked(true);
        rowOf(dialog, "Soort lid").memberTypeList()->setCurrentIndex(1);
        dialog.tabWidget()->setCurrentIndex(1);
        rowOf(dialog, "Bondsnummer").edit()->setText("123456");
        dialog.tabWidget()->setCurrentIndex(2);
        KDlgFinancial* page = dialog.financialPage();

        AnswerWhen<KDlgCharge> charge([](KDlgCharge& c) {
            c.newPartName()->setText(QStringLiteral("Contributie"));
            c.newPartAmount()->setText(QStringLiteral("80"));
            c.addPartButton()->click();
            c.remarksEdit()->setText(QStringLiteral("eerste jaar"));
            c.accept();
        });
        page->addButton(KDlgFinancial::Charges)->click();
        EXPECT_TRUE(charge.answered());
        AnswerWhen<KDlgPayment> payment([](KDlgPayment& p) {
            p.amountEdit()->setText(QStringLiteral("30"));
            p.accept();
        });
        page->addButton(KDlgFinancial::Payments)->click();
        EXPECT_TRUE(payment.answered());
        EXPECT_EQ(page->totalText(KDlgFinancial::Charges), QStringLiteral("80.00"));
        EXPECT_EQ(page->totalText(KDlgFinancial::Payments), QStringLiteral("30.00"));
        dialog.accept();
    });
    trigger(Cmd::MemberAdd);
    ASSERT_TRUE(member.answered());
    ASSERT_NE(doc().findMember(newId), nullptr);
    EXPECT_EQ(rowTexts(newId), (std::vector<std::string>{"Zo\xEB Zwart", "19900512", "Ja",
                                                         "Donateur", "123456", "50.00"}));
    EXPECT_EQ(frame().view()->selectedMembers(), std::vector<std::int32_t>{newId});
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("2 leden"));
    const std::string added = savedBytes(doc());

    // Change the charge: the balance follows; the whole dialog is one step.
    AnswerWhen<KDlgMember> change([](KDlgMember& dialog) {
        dialog.showPage(2);
        CvsFlexGrid& charges = dialog.financialPage()->grid(KDlgFinancial::Charges);
        charges.setCurrentRow(1);
        AnswerWhen<KDlgCharge> charge([](KDlgCharge& c) {
            c.partAmount(0)->setText(QStringLiteral("60"));
            c.accept();
        });
        emit charges.doubleClick();
        EXPECT_TRUE(charge.answered());
        dialog.accept();
    });
    trigger(Cmd::MemberEdit);
    ASSERT_TRUE(change.answered());
    EXPECT_EQ(rowTexts(newId).back(), "30.00");
    trigger(Cmd::EditUndo);
    EXPECT_EQ(rowTexts(newId).back(), "50.00");
    EXPECT_EQ(savedBytes(doc()), added);

    questions().answerYesNo(true);
    trigger(Cmd::MemberDelete);
    EXPECT_EQ(doc().findMember(newId), nullptr);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("1 lid"));
    trigger(Cmd::EditUndo);
    EXPECT_EQ(rowTexts(newId).back(), "50.00");
    trigger(Cmd::EditUndo);
    EXPECT_EQ(doc().findMember(newId), nullptr);
    trigger(Cmd::EditRedo);
    EXPECT_EQ(savedBytes(doc()), added);
}

TEST_F(MemberEndToEnd, ADoubleClickOnARowChangesThatMember) {
    frame().resize(900, 500);
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    QStringList offered;
    for (QAction* action : frame().view()->contextMenu()->actions())
        if (!action->isSeparator() && action->isEnabled())
            offered << action->text();
    EXPECT_TRUE(offered.contains("&Toevoegen") && offered.contains("&Wijzigen") &&
                offered.contains("&Verwijderen"))
        << offered.join(", ").toStdString();

    QTableView* view = grid().view();
    const QPoint onAnna = view->visualRect(view->model()->index(0, 1)).center();
    QString title;
    AnswerWhen<KDlgMember> member([&](KDlgMember& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    // A double-click is a click, then the second press.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onAnna);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onAnna);
    EXPECT_TRUE(member.answered());
    EXPECT_EQ(title, QStringLiteral("Anna Visser"));
    EXPECT_FALSE(doc().undoStack().canUndo());
}
