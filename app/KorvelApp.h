#pragma once

#include "app/KDocPrompts.h"
#include "core/KQuestions.h"

#include <QString>
#include <QStringList>

#include <memory>

class CKorvelDoc;
class CMainFrame;
class KDocManager;

// The application: sets up the profile, the document and the main window, opens the start
// file and shows the window. Lives as long as the program.
class KorvelApp {
public:
    // arguments as QCoreApplication::arguments() gives them, the program first. Without
    // prompts the questions are asked with the standard dialogs.
    explicit KorvelApp(QStringList arguments, std::unique_ptr<KDocPrompts> prompts = {},
                       std::unique_ptr<KQuestions> questions = {});
    ~KorvelApp();
    KorvelApp(const KorvelApp&) = delete;
    KorvelApp& operator=(const KorvelApp&) = delete;

    // Start-up; false ends the program.
    bool InitInstance();

    CKorvelDoc& document() { return *m_doc; }
    KDocManager& docManager() { return *m_docs; }
    // nullptr before InitInstance.
    CMainFrame* mainFrame() { return m_frame.get(); }

    // The data folder ("Settings"/"Datadir", the user's home folder when not set).
    static QString dataFolderSetting();
    // The data folder followed by a separator, then fileName.
    static QString dataFolderPath(const QString& fileName);
    // The data folder path of no file: always ends in a separator.
    static QString dataFolder() { return dataFolderPath(QString()); }

private:
    void openStartFile();

    QStringList m_arguments;
    QString m_startFolder; // the working directory the program was started in
    std::unique_ptr<KDocPrompts> m_prompts;
    std::unique_ptr<KQuestions> m_questions;
    std::unique_ptr<CKorvelDoc> m_doc;
    std::unique_ptr<KDocManager> m_docs;
    std::unique_ptr<CMainFrame> m_frame;
};
