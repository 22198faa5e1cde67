#include "app/DialogQuestions.h"

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ScriptedQuestions.h"

#include <QListWidget>

#include <gtest/gtest.h>

TEST(DialogQuestions, AnswersComeFromTheDialogs) {
    guiApplication();
    DialogQuestions questions;
    KQuestions& ask = questions;
    ModalAnswer yes([](QWidget* box) { ModalAnswer::click(box, "&Ja"); });
    EXPECT_TRUE(ask.yesNo("100% zeker?"));
    ModalAnswer always([](QWidget* box) { ModalAnswer::click(box, "Altijd J&a"); });
    EXPECT_EQ(ask.yesNoAllStop("Vraag", "%s %d"), KQuestions::AlwaysYes);

    // Equal texts stay apart: the row comes back, not the text.
    ModalAnswer pick([](QWidget* window) {
        window->findChild<QListWidget*>()->item(1)->setSelected(true);
        ModalAnswer::click(window, "&OK");
    });
    EXPECT_EQ(ask.selectString({"Jeugd", "Jeugd", "Senioren"}, "Kies", false),
              (std::vector<int>{1}));
}

TEST(ScriptedQuestions, AnswersInOrderAndKeepsTheQuestions) {
    ScriptedQuestions questions;
    questions.answerYesNo(true).answerYesNo(false).answerSelect({0, 2}).answerAllStop(3);
    KQuestions& ask = questions;
    EXPECT_TRUE(ask.yesNo("een"));
    EXPECT_FALSE(ask.yesNo("twee"));
    EXPECT_EQ(ask.selectString({"a", "b", "c"}, "Kies", true), (std::vector<int>{0, 2}));
    EXPECT_EQ(ask.yesNoAllStop("t", "m"), 3);
    ask.alert("klaar");
    EXPECT_TRUE(questions.done());
    EXPECT_EQ(questions.alerts(), QStringList{"klaar"});
    ASSERT_EQ(questions.asked().size(), 5u);
    EXPECT_EQ(questions.asked()[1].message, "twee");
}
