// A file handed over by a later start of the program (a double click while Korvel runs) is
// opened as Bestand > Open opens a file, once nothing else is busy; the version "Over Korvel"
// shows.
#include "KorvelFixture.h"

#include "app/KorvelAppChannel.h"
#include "korvel/Version.h"
#include "res/Commands.h"
#include "tests/support/ModalAnswer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QThread>

#include <atomic>
#include <functional>
#include <thread>

namespace {

void pumpUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 1000 && !done(); ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

class HandOver : public KorvelFixture {
protected:
    // The running program with unsaved work.
    void startModified() {
        ASSERT_TRUE(start());
        addMember(doc(), "Piet Jansen");
        ASSERT_TRUE(doc().IsModified());
    }
    QString club() { return writeClub(dataPath(QStringLiteral("club.kvl")), {"Ans Bos", "Jan Vos"}); }
};

TEST_F(HandOver, TheFileIsOpenedAfterTheSaveQuestionAsBestandOpen) {
    startModified();
    const QString path = club();
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    m_app->openHandedOver({path});
    EXPECT_EQ(prompts().askedToSave, QStringList{QStringLiteral("Korvel")});
    EXPECT_EQ(doc().pathName(), path);
    EXPECT_EQ(doc().members().size(), 2u);
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("club.kvl - Korvel"));
    EXPECT_TRUE(m_app->waitingFiles().isEmpty());
}

TEST_F(HandOver, CancellingTheSaveQuestionKeepsTheWork) {
    startModified();
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::Cancel);
    m_app->openHandedOver({club()});
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_EQ(doc().members().size(), 1u);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(m_app->waitingFiles().isEmpty());
}

TEST_F(HandOver, AFileThatCannotBeReadIsReportedAndTheNextOneStillOpens) {
    ASSERT_TRUE(start());
    const QString path = club();
    m_app->openHandedOver({dataPath(QStringLiteral("weg.kvl")), path});
    ASSERT_EQ(prompts().errors.size(), 1);
    EXPECT_TRUE(prompts().errors.front().contains(QStringLiteral("weg.kvl")));
    EXPECT_EQ(doc().pathName(), path);
}

// A dialog of the running program edits a copy of what the document holds; the document is
// not replaced under it.
TEST_F(HandOver, WhileADialogIsOpenTheFileWaitsForIt) {
    ASSERT_TRUE(start());
    const QString path = club();
    QDialog dialog(&frame());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    m_app->openHandedOver({path});
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_EQ(m_app->waitingFiles(), QStringList{path});

    dialog.close();
    pumpUntil([&] { return m_app->waitingFiles().isEmpty(); });
    EXPECT_EQ(doc().pathName(), path);
}

// Handed over while the program was still starting: opened once start-up is done.
TEST_F(HandOver, AFileHandedOverDuringStartUpIsOpenedWhenStartUpEnds) {
    const QString path = club();
    auto prompts = std::make_unique<ScriptedDocPrompts>();
    m_prompts = prompts.get();
    m_app = std::make_unique<KorvelApp>(QStringList{QStringLiteral("/usr/bin/korvel")},
                                        std::move(prompts), std::make_unique<ScriptedQuestions>());
    m_app->openHandedOver({path});
    EXPECT_EQ(m_app->waitingFiles(), QStringList{path});
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_EQ(doc().pathName(), path);
    EXPECT_TRUE(m_app->waitingFiles().isEmpty());
}

TEST_F(HandOver, AFileSentOnTheChannelOpensInTheRunningProgram) {
    QTemporaryDir runtime;
    const QString folder = runtime.filePath(QStringLiteral("korvel"));
    auto channel = std::make_unique<KorvelAppChannel>(folder);
    ASSERT_TRUE(channel->listen().isDone());
    ASSERT_TRUE(start());
    m_app->setChannel(std::move(channel));
    const QString path = club();

    KResult handed;
    std::atomic<bool> finished = false;
    std::thread later([&] {
        handed = KorvelAppChannel(folder).handOver({path});
        finished = true;
    });
    pumpUntil([&] { return finished.load() && doc().pathName() == path; });
    later.join();
    EXPECT_TRUE(handed.isDone()) << handed.reason().toStdString();
    EXPECT_EQ(doc().pathName(), path);
    EXPECT_EQ(doc().members().size(), 2u);
}

TEST_F(HandOver, OverKorvelShowsTheVersion) {
    ASSERT_TRUE(start());
    QString text;
    ModalAnswer answer([&text](QWidget* window) {
        if (auto* box = qobject_cast<QMessageBox*>(window))
            text = box->text();
        window->close();
    });
    trigger(Cmd::AppAbout);
    ASSERT_TRUE(answer.answered());
    EXPECT_TRUE(text.contains(QStringLiteral("Korvel %1").arg(QLatin1String(kKorvelVersion))))
        << text.toStdString();
}

} // namespace
