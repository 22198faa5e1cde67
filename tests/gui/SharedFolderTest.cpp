#include "KorvelFixture.h"
#include "ScriptedDocPrompts.h"

#include "core/document/KBackups.h"
#include "core/document/KFileLock.h"
#include "core/document/KRecovery.h"
#include "res/Commands.h"
#include "tests/support/FileBytes.h"

#include <QAction>
#include <QFile>

namespace {

// A second Korvel beside the program: a document and its manager with a script of their own.
struct OtherKorvel {
    CKorvelDoc doc;
    ScriptedDocPrompts prompts;
    KDocManager docs{doc, prompts};
};

using SharedFolder = KorvelFixture;

TEST_F(SharedFolder, TheSecondInstanceSeesTheLockAndOpensReadOnly) {
    ASSERT_TRUE(start());
    const QString club = writeClub(dataPath(QStringLiteral("club.kvl")), {"Piet Jansen"});
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    EXPECT_TRUE(m_app->docManager().holdsLock());

    OtherKorvel other;
    other.prompts.lockAnswers = {KDocPrompts::LockAnswer::Cancel,
                                 KDocPrompts::LockAnswer::ReadOnly};
    EXPECT_EQ(other.docs.openDocumentFile(club), KOutcome::Stopped);
    ASSERT_EQ(other.prompts.questions.size(), 1);
    EXPECT_TRUE(other.prompts.questions.front().startsWith(
        QStringLiteral("club.kvl is geopend door ")));
    EXPECT_TRUE(other.doc.pathName().isEmpty());

    ASSERT_EQ(other.docs.openDocumentFile(club), KOutcome::Done);
    EXPECT_TRUE(other.docs.isReadOnly());
    EXPECT_FALSE(other.docs.holdsLock());
    EXPECT_TRUE(other.docs.title().startsWith(QStringLiteral("club.kvl (alleen lezen)")));
    // Changes are made on the open copy; Bewaar refuses, Bewaar als elsewhere works.
    addMember(other.doc, "Klaas Vries");
    const QByteArray before = readAll(club);
    EXPECT_EQ(other.docs.fileSave(), KOutcome::Failed);
    EXPECT_EQ(readAll(club), before);
    other.prompts.savePaths.push_back(dataPath(QStringLiteral("kopie.kvl")));
    EXPECT_EQ(other.docs.fileSaveAs(), KOutcome::Done);
    EXPECT_FALSE(other.docs.isReadOnly());
    EXPECT_TRUE(other.docs.holdsLock());

    // The program's own window: the title says it and Bewaar is off.
    OtherKorvel third;
    (void)third;
    m_app->docManager().newDocument();
    EXPECT_FALSE(m_app->docManager().holdsLock());
    KFileLock elsewhere(club);
    ASSERT_TRUE(elsewhere.lock());
    prompts().lockAnswers.push_back(KDocPrompts::LockAnswer::ReadOnly);
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    EXPECT_TRUE(frame().shownTitle().contains(QStringLiteral("(alleen lezen)")));
    EXPECT_FALSE(frame().action(Cmd::FileSave)->isEnabled());
    EXPECT_TRUE(frame().action(Cmd::FileSaveAs)->isEnabled());
}

TEST_F(SharedFolder, AChangeUnderneathIsCaughtBeforeSavingAndOfferedForReloading) {
    ASSERT_TRUE(start());
    const QString club = writeClub(dataPath(QStringLiteral("club.kvl")), {"Piet Jansen"});
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    addMember(doc(), "Mijn Wijziging");

    // Another program (opened anyway) saves its change over the file.
    OtherKorvel other;
    other.prompts.lockAnswers.push_back(KDocPrompts::LockAnswer::OpenAnyway);
    ASSERT_EQ(other.docs.openDocumentFile(club), KOutcome::Done);
    addMember(other.doc, "Andere Wijziging");
    ASSERT_EQ(other.docs.fileSave(), KOutcome::Done);
    const QByteArray theirs = readAll(club);

    prompts().changedAnswers.push_back(KDocPrompts::ChangedAnswer::Cancel);
    EXPECT_EQ(m_app->docManager().fileSave(), KOutcome::Stopped);
    ASSERT_EQ(prompts().questions.size(), 1);
    EXPECT_EQ(prompts().questions.back(),
              QStringLiteral("club.kvl is gewijzigd sinds u het opende. Overschrijven, Bewaar "
                             "als, of Annuleren?"));
    EXPECT_EQ(readAll(club), theirs);
    EXPECT_TRUE(doc().IsModified());

    // Choosing the open file again: first the save question, then the offer to read it again.
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    prompts().reloadAnswers.push_back(true);
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    EXPECT_EQ(prompts().askedToSave.size(), 1);
    EXPECT_TRUE(prompts().questions.back().contains(QStringLiteral("opnieuw inlezen")));
    EXPECT_EQ(doc().members().size(), 2u);
    EXPECT_NE(doc().findMember(other.doc.members().at(other.doc.members().size() - 1).id()), nullptr);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(m_app->docManager().holdsLock());

    // Overwriting is the user's word.
    addMember(other.doc, "Nog Een");
    ASSERT_EQ(other.docs.fileSave(), KOutcome::Done);
    addMember(doc(), "Toch De Mijne");
    prompts().changedAnswers.push_back(KDocPrompts::ChangedAnswer::Overwrite);
    EXPECT_EQ(m_app->docManager().fileSave(), KOutcome::Done);
    CKorvelDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(club));
    EXPECT_EQ(saved.members().size(), 3u);
}

TEST_F(SharedFolder, ABackupIsOpenedAsANewAdministration) {
    ASSERT_TRUE(start());
    const QString club = writeClub(dataPath(QStringLiteral("club.kvl")), {"Piet Jansen"});
    ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
    addMember(doc(), "Tweede Lid");
    ASSERT_EQ(m_app->docManager().fileSave(), KOutcome::Done);
    addMember(doc(), "Derde Lid");
    ASSERT_EQ(m_app->docManager().fileSave(), KOutcome::Done);
    const QByteArray current = readAll(club);

    prompts().backupChoices.push_back(-1);
    EXPECT_EQ(m_app->docManager().restoreBackup(), KOutcome::Stopped);
    // The backup and the generations of the two saves (the two share a time when saved in
    // the same second: one generation then).
    ASSERT_GE(prompts().offeredBackups.size(), 2u);
    long fewest = 99;
    int oldest = 0;
    for (std::size_t i = 0; i < prompts().offeredBackups.size(); ++i)
        if (prompts().offeredBackups[i].members < fewest) {
            fewest = prompts().offeredBackups[i].members;
            oldest = static_cast<int>(i);
        }
    EXPECT_EQ(fewest, 1);

    prompts().backupChoices.push_back(oldest);
    ASSERT_EQ(m_app->docManager().restoreBackup(), KOutcome::Done);
    EXPECT_EQ(doc().members().size(), 1u);
    EXPECT_TRUE(doc().pathName().isEmpty());
    EXPECT_TRUE(doc().IsModified());
    EXPECT_FALSE(m_app->docManager().holdsLock());
    EXPECT_EQ(readAll(club), current);
    EXPECT_TRUE(frame().action(Cmd::FileRestoreBackup)->isEnabled());
}

TEST_F(SharedFolder, ARecoveryFileIsOfferedAtTheNextStart) {
    Profile::open()->setValue(QStringLiteral("Settings/RecoveryMinutes"), 5);
    QString club;
    {
        ASSERT_TRUE(start());
        EXPECT_EQ(m_app->docManager().recoveryTimer().interval(), 5 * 60 * 1000);
        club = writeClub(dataPath(QStringLiteral("club.kvl")), {"Piet Jansen"});
        ASSERT_EQ(m_app->docManager().openDocumentFile(club), KOutcome::Done);
        EXPECT_TRUE(m_app->docManager().writeRecovery().isNothingToDo()); // nothing changed
        addMember(doc(), "Niet Bewaard");
        ASSERT_TRUE(m_app->docManager().writeRecovery());
        const QString recovery = KRecovery::recoveryPathFor(club);
        ASSERT_TRUE(QFile::exists(recovery));
        EXPECT_FALSE(recovery.startsWith(m_data.path())); // never beside the member file
        // A crash: the program goes without cleaning up, and the lock stays behind too.
        m_app.release();
    }
    // The next start, in the same process as if it were another: the lock left is this
    // process's own, so it is taken over (a lock of a live process elsewhere would not be).
    QFile::remove(KFileLock::lockPathFor(club));
    prompts().recoverAnswers.clear();
    auto startWith = [&](bool answer) {
        auto scripted = std::make_unique<ScriptedDocPrompts>();
        scripted->recoverAnswers.push_back(answer);
        m_prompts = scripted.get();
        m_app = std::make_unique<KorvelApp>(QStringList{QStringLiteral("/usr/bin/korvel")},
                                            std::move(scripted),
                                            std::make_unique<ScriptedQuestions>());
        return m_app->InitInstance();
    };
    ASSERT_TRUE(startWith(false));
    ASSERT_EQ(prompts().questions.size(), 1);
    EXPECT_TRUE(prompts().questions.front().startsWith(
        QStringLiteral("Korvel is niet goed afgesloten. Wilt u de gegevens van ")));
    EXPECT_EQ(doc().members().size(), 0u);
    m_app.reset();

    // Kept for one more start: yes opens it as the club's administration, modified.
    ASSERT_TRUE(startWith(true));
    ASSERT_EQ(prompts().questions.size(), 1);
    EXPECT_EQ(doc().pathName(), club);
    EXPECT_EQ(doc().members().size(), 2u);
    EXPECT_TRUE(doc().IsModified());
    ASSERT_EQ(m_app->docManager().fileSave(), KOutcome::Done);
    EXPECT_FALSE(QFile::exists(KRecovery::recoveryPathFor(club)));
    CKorvelDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(club));
    EXPECT_EQ(saved.members().size(), 2u);
    m_app.reset();
    EXPECT_FALSE(KRecovery::pending().has_value());
}

} // namespace
