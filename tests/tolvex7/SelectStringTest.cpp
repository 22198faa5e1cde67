#include "tolvex7/KSelectString.h"
#include "tolvex7/KShowMessages.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
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
