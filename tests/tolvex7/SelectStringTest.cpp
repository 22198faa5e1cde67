#include "tolvex7/KSelectString.h"
#include "tolvex7/KShowMessages.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const Texts kItems = {"Contributie 2024", "Jeugd", "Contributie 2025"};

void choose(QListWidget* list, std::initializer_list<int> rows) {
    for (int row : rows)
        list->item(row)->setSelected(true);
}

// An item of 90 characters and a message line of 75, as long as a treasurer's.
const std::string kLongItem =
    "Contributie senioren 2024/2025 met bondsbijdrage, zaalhuur en competitie: 1e en 2e termijn";
const std::string kMessageLine =
    "Jan de Vries-van Houten, Dorpsstraat 12, 1234 AB Oosterwijk: nog 25.50 open";

// Shows the dialog and lets it settle (it once grew on a timer after opening).
void showSettled(QDialog& dialog) {
    dialog.show();
    const QDeadlineTimer settled(300);
    while (!settled.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Nothing cut: every line shows whole without scrolling sideways, every button whole, and the
// dialog stays on the screen.
void expectNothingCut(QDialog& dialog, QListWidget* list) {
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "a line must be scrolled to";
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->minimumSizeHint().width())
            << button->text().toStdString();
    EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
}

// The list takes every pixel the user adds to the dialog.
void expectListFollowsResizing(QDialog& dialog, QListWidget* list) {
    const QSize before = list->size();
    dialog.resize(dialog.size() + QSize(120, 80));
    QCoreApplication::processEvents();
    EXPECT_EQ(list->size(), before + QSize(120, 80));
}

} // namespace

TEST(KSelectString, ExtendedSelectionGivesTheChosenInListOrder) {
    guiApplication();
    KSelectString dialog(kItems, "Kies", kSelectExtended, nullptr, 0);
    EXPECT_EQ(dialog.windowTitle(), "Kies");
    ASSERT_EQ(dialog.list()->count(), 3);
    EXPECT_EQ(dialog.list()->item(1)->text(), "Jeugd") << "the list keeps the caller's order";
    choose(dialog.list(), {2, 0});
    dialog.accept();
    EXPECT_EQ(dialog.chosenRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(dialog.chosen(), (Texts{"Contributie 2024", "Contributie 2025"}));

    KSelectString none(kItems, "Kies", kSelectExtended, nullptr, 0);
    none.accept();
    EXPECT_TRUE(none.chosen().empty());
}

TEST(KSelectString, WithoutExtendedStyleOneItemAtMost) {
    guiApplication();
    KSelectString dialog(kItems, "Kies", 0, nullptr, 0);
    EXPECT_EQ(dialog.list()->selectionMode(), QAbstractItemView::SingleSelection);
    choose(dialog.list(), {1});
    dialog.accept();
    EXPECT_EQ(dialog.chosen(), (Texts{"Jeugd"}));
}

TEST(SelectString, OkCancelAndNothingChosen) {
    guiApplication();
    ModalAnswer pick([](QWidget* window) {
        auto* list = window->findChild<QListWidget*>();
        list->item(2)->setSelected(true);
        list->item(0)->setSelected(true);
        ModalAnswer::click(window, "&OK");
    });
    auto chosen = SelectString(&kItems, "Kies", kSelectExtended, nullptr, 0);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(*chosen, (Texts{"Contributie 2024", "Contributie 2025"}));

    ModalAnswer cancel([](QWidget* window) {
        window->findChild<QListWidget*>()->item(1)->setSelected(true);
        ModalAnswer::click(window, "&Annuleren");
    });
    EXPECT_EQ(SelectString(&kItems, "Kies", 0, nullptr, 0), nullptr);

    ModalAnswer empty([](QWidget* window) { ModalAnswer::click(window, "&OK"); });
    EXPECT_EQ(SelectString(&kItems, "Kies", 0, nullptr, 0), nullptr);
    ModalAnswer noItems([](QWidget* window) { ModalAnswer::click(window, "&OK"); });
    EXPECT_EQ(SelectString(nullptr, "Kies", 0, nullptr, 0), nullptr);
}

TEST(KShowMessages, ClipboardAndTextFile) {
    guiApplication();
    const Texts lines = {"Jan de Vries: \x80 12.50", "Piet"};
    KShowMessages dialog(lines, "Berichten");
    EXPECT_EQ(dialog.windowTitle(), "Berichten");
    EXPECT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.clipboardText(), QString::fromUtf8("Jan de Vries: € 12.50\r\nPiet\r\n"));
    dialog.copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dialog.clipboardText());

    QTemporaryDir folder;
    const QString path = dialog.writeTextFile(folder.path());
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith(".txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QString::fromUtf8("Jan de Vries: € 12.50\nPiet\n"));

    EXPECT_TRUE(dialog.writeTextFile(QDir(folder.path()).filePath("missing/folder")).isEmpty());
}

TEST(KShowMessages, EmptyListHasNothingToCopyOrWrite) {
    guiApplication();
    const Texts none;
    KShowMessages dialog(none, "Leeg");
    QGuiApplication::clipboard()->setText("eerder");
    dialog.copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "eerder");
    QTemporaryDir folder;
    EXPECT_TRUE(dialog.writeTextFile(folder.path()).isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(KSelectString, OpensWideEnoughForItsWidestItem) {
    guiApplication();
    ASSERT_EQ(kLongItem.size(), 90u);
    const Texts items = {"Jeugd", kLongItem, "Senioren"};
    KSelectString dialog(items, "Selecteer contributie", 0, nullptr, 0);
    showSettled(dialog);
    expectNothingCut(dialog, dialog.list());
    expectListFollowsResizing(dialog, dialog.list());
}

TEST(KShowMessages, OpensBigEnoughForEveryLine) {
    guiApplication();
    ASSERT_EQ(kMessageLine.size(), 75u);
    const Texts lines(3, kMessageLine);
    KShowMessages dialog(lines, "Openstaand");
    showSettled(dialog);
    expectNothingCut(dialog, dialog.list());
    EXPECT_EQ(dialog.list()->verticalScrollBar()->maximum(), 0) << "every line shows";
    expectListFollowsResizing(dialog, dialog.list());
}

TEST(KShowMessages, ManyLinesTakeAtMostPartOfTheScreen) {
    guiApplication();
    const Texts lines(100, kMessageLine);
    KShowMessages dialog(lines, "Openstaand");
    showSettled(dialog);
    expectNothingCut(dialog, dialog.list());
    EXPECT_LE(dialog.list()->height(), dialog.screen()->availableGeometry().height() * 2 / 5);
    EXPECT_GT(dialog.list()->verticalScrollBar()->maximum(), 0);
}
