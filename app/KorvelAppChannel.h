#pragma once

#include "core/KOutcome.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;

// How a later start of Korvel hands the file it was given to the Korvel that already runs (a
// double click on a member file while the program is open): a local socket in a folder that
// only the user may enter. The running program listens; a later start connects, sends the
// absolute paths and ends once the running program has taken them.
class KorvelAppChannel : public QObject {
    Q_OBJECT

public:
    // folder holds the socket; it is made when missing, and used only while it belongs to the
    // user and nobody else may enter it.
    explicit KorvelAppChannel(QString folder, QObject* parent = nullptr);
    ~KorvelAppChannel() override;

    // "korvel" in the session's runtime folder (XDG_RUNTIME_DIR), the user's own.
    static QString userFolder();
    QString socketPath() const;

    // A later start: hands the paths (absolute) to the program listening on the channel. Done
    // when it took them; NothingToDo when no program listens; Failed when one listens but did
    // not take them, or the folder is not the user's own.
    KResult handOver(const QStringList& paths) const;

    // The first start: listens for later starts. NothingToDo when another program listens
    // already; Failed when the folder is not the user's own or no socket can be made there.
    // A socket left by a program that ended without closing it is replaced.
    KResult listen();
    bool isListening() const;

signals:
    // Paths a later start handed over, in the order it sent them.
    void filesArrived(const QStringList& paths);

private:
    void takeConnections();

    QString m_folder;
    std::unique_ptr<QLocalServer> m_server;
};
