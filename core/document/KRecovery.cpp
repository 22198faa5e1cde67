#include "core/document/KRecovery.h"

#include "core/document/CKorvelDoc.h"
#include "platform/KSafeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>

#include <csignal>

namespace {

QString infoPathFor(const QString& recoveryFile) {
    return recoveryFile + QStringLiteral(".ini");
}

void removeBoth(const QString& recoveryFile) {
    removeFileStep(recoveryFile);
    QFile::remove(infoPathFor(recoveryFile));
}

} // namespace

QString KRecovery::folder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("herstel"));
}

QString KRecovery::recoveryPathFor(const QString& memberFile) {
    const QString key =
        memberFile.isEmpty()
            ? QStringLiteral("nieuw-%1").arg(QCoreApplication::applicationPid())
            : QString::fromLatin1(
                  QCryptographicHash::hash(QFileInfo(memberFile).absoluteFilePath().toUtf8(),
                                           QCryptographicHash::Sha1)
                      .toHex()
                      .left(16));
    return QDir(folder()).filePath(key + QStringLiteral(".kvl"));
}

KResult KRecovery::write(CKorvelDoc& doc) {
    if (!QDir().mkpath(folder()))
        return KResult::failed(
            QStringLiteral("De map %1 voor het herstelbestand kan niet worden gemaakt.")
                .arg(QDir::toNativeSeparators(folder())));
    const QString target = recoveryPathFor(doc.pathName());
    const KResult written = doc.writeCopy(target);
    if (!written)
        return written;
    QSettings info(infoPathFor(target), QSettings::IniFormat);
    info.setValue(QStringLiteral("file"), doc.pathName());
    info.setValue(QStringLiteral("written"), QDateTime::currentDateTimeUtc());
    info.setValue(QStringLiteral("declined"), false);
    info.setValue(QStringLiteral("pid"), QCoreApplication::applicationPid());
    info.setValue(QStringLiteral("host"), QSysInfo::machineHostName());
    info.sync();
    if (info.status() != QSettings::NoError)
        return KResult::failed(QStringLiteral("Het herstelbestand kan niet worden vastgelegd."));
    return KResult::done();
}

void KRecovery::remove(const QString& memberFile) {
    const QString target = recoveryPathFor(memberFile);
    if (QFileInfo::exists(target) || QFileInfo::exists(infoPathFor(target)))
        removeBoth(target);
}

std::optional<KRecovery::Pending> KRecovery::pending() {
    std::optional<Pending> newest;
    const QDir dir(folder());
    for (const QFileInfo& entry : dir.entryInfoList({QStringLiteral("*.kvl")}, QDir::Files)) {
        const QString infoPath = infoPathFor(entry.filePath());
        if (!QFileInfo::exists(infoPath))
            continue;
        QSettings info(infoPath, QSettings::IniFormat);
        Pending found{entry.filePath(), info.value(QStringLiteral("file")).toString(),
                      info.value(QStringLiteral("written")).toDateTime()};
        // The recovery file of a Korvel that still runs is no remnant of a crash.
        const qint64 pid = info.value(QStringLiteral("pid")).toLongLong();
        if (pid > 0 && pid != QCoreApplication::applicationPid() &&
            info.value(QStringLiteral("host")).toString() == QSysInfo::machineHostName() &&
            ::kill(static_cast<pid_t>(pid), 0) == 0)
            continue;
        if (!found.written.isValid())
            found.written = entry.lastModified();
        // A member file saved after the recovery file was written holds more than it.
        const QFileInfo member(found.memberFile);
        if (!found.memberFile.isEmpty() && member.exists() &&
            member.lastModified() >= found.written) {
            removeBoth(found.recoveryFile);
            continue;
        }
        if (!newest || found.written > newest->written)
            newest = found;
    }
    return newest;
}

void KRecovery::declined(const Pending& found) {
    QSettings info(infoPathFor(found.recoveryFile), QSettings::IniFormat);
    if (info.value(QStringLiteral("declined")).toBool()) {
        removeBoth(found.recoveryFile);
        return;
    }
    info.setValue(QStringLiteral("declined"), true);
}

KResult KRecovery::restore(CKorvelDoc& doc, const Pending& found) {
    const KResult opened = doc.OnOpenDocument(found.recoveryFile);
    if (!opened)
        return opened;
    doc.setPathName(found.memberFile);
    doc.acceptDiskState();
    doc.SetModifiedFlag(true);
    // The recovered administration is in the document now; the next recovery write or a save
    // takes its place.
    return KResult::done();
}
