#pragma once

#include "app/KDocPrompts.h"
#include "core/KQuestions.h"

#include <QString>
#include <QStringList>

#include <memory>

class CKorvelDoc;
class CMainFrame;
class KDocManager;
class KorvelAppChannel;

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

    // The channel on which later starts of the program hand over their files; each file that
    // arrives is opened as openHandedOver opens it.
    void setChannel(std::unique_ptr<KorvelAppChannel> channel);
    // Opens files another start of the program was given, one after the other, as Bestand >
    // Open opens a file (with the question whether to save first). Not while a dialog, a menu
    // or another command is busy, nor before start-up has ended: then as soon as that is over.
    void openHandedOver(const QStringList& paths);
    // The files still waiting to be opened.
    const QStringList& waitingFiles() const { return m_waitingFiles; }

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
    void openWaitingFiles();
    bool busyElsewhere() const;

    QStringList m_arguments;
    QString m_startFolder; // the working directory the program was started in
    std::unique_ptr<KDocPrompts> m_prompts;
    std::unique_ptr<KQuestions> m_questions;
    std::unique_ptr<CKorvelDoc> m_doc;
    std::unique_ptr<KDocManager> m_docs;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<KorvelAppChannel> m_channel;
    QStringList m_waitingFiles;
    bool m_started = false;
    bool m_openingWaiting = false;
    bool m_retryPlanned = false;
};
