#pragma once

#include "ScriptedDocPrompts.h"

#include "app/CMainFrame.h"
#include "app/KDocManager.h"
#include "app/KorvelApp.h"
#include "core/document/CKorvelDoc.h"
#include "platform/Profile.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/Pinned.h"
#include "tests/support/ScriptedQuestions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

// A program started in a profile and a data folder of its own, answering from a script.
// The working directory, which start-up changes, is restored afterwards.
class KorvelFixture : public testing::Test {
protected:
    KorvelFixture()
        : m_oldDir(QDir::currentPath()), m_oldDataHome(qgetenv("XDG_DATA_HOME")) {
        Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Datadir"), m_data.path());
        // Recovery files of the test's own, never the user's.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }
    ~KorvelFixture() override {
        m_app.reset();
        QDir::setCurrent(m_oldDir);
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    // Runs start-up with these arguments after the program's own name.
    bool start(const QStringList& arguments = {}) {
        auto prompts = std::make_unique<ScriptedDocPrompts>();
        m_prompts = prompts.get();
        auto questions = std::make_unique<ScriptedQuestions>();
        m_questions = questions.get();
        m_app = std::make_unique<KorvelApp>(
            QStringList{QStringLiteral("/usr/bin/korvel")} + arguments, std::move(prompts),
            std::move(questions));
        return m_app->InitInstance();
    }

    CKorvelDoc& doc() { return m_app->document(); }
    CMainFrame& frame() { return *m_app->mainFrame(); }
    ScriptedDocPrompts& prompts() { return *m_prompts; }
    ScriptedQuestions& questions() { return *m_questions; }
    void trigger(int id) { frame().action(id)->trigger(); }

    QString dataPath(const QString& name) const { return m_data.filePath(name); }

    // Writes a member file with these members outside the program's document.
    QString writeClub(const QString& path, std::initializer_list<const char*> names) {
        CKorvelDoc club;
        club.OnNewDocument();
        for (const char* name : names)
            addMember(club, name);
        const KResult saved = club.OnSaveDocument(path);
        EXPECT_TRUE(saved) << saved.reason().toStdString();
        return path;
    }

    static void setSetting(const char* key, const QVariant& value) {
        Profile::open()->setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
    }

    TempProfile m_profile;
    QTemporaryDir m_data;
    QTemporaryDir m_dataHome;
    QString m_oldDir;
    QByteArray m_oldDataHome;
    ScriptedDocPrompts* m_prompts = nullptr;
    ScriptedQuestions* m_questions = nullptr;
    std::unique_ptr<KorvelApp> m_app;
};
