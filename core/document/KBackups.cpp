#include "core/document/KBackups.h"

#include "core/document/CKorvelDoc.h"
#include "platform/FileErrorReason.h"
#include "platform/KSafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <sys/stat.h>

namespace {

const char kStampFormat[] = "yyyy-MM-dd HH.mm.ss";

QString quoted(const QString& path) {
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString reason(int error, const QString& path) {
    return fileErrorReason(QFileDevice::WriteError, error, path, FileAccess::Writing);
}

// The folder gets the member file's permissions, with entry where reading is allowed; its
// owner may always add to it.
bool makeFolder(const QString& folder, const QString& memberFile) {
    if (QFileInfo(folder).isDir())
        return true;
    struct stat st {};
    mode_t mode = 0700;
    if (::stat(nativeFileName(memberFile).c_str(), &st) == 0)
        mode = (st.st_mode & 0666) | ((st.st_mode & 0444) >> 2) | 0700;
    const std::string name = nativeFileName(folder);
    if (::mkdir(name.c_str(), mode) != 0)
        return false;
    ::chmod(name.c_str(), mode);
    return true;
}

} // namespace

QString KBackups::generationFolder(const QString& memberFile) {
    const QFileInfo info(memberFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" reservekopieën"));
}

QString KBackups::generationPath(const QString& memberFile, const QDateTime& when) {
    return QDir(generationFolder(memberFile))
        .filePath(QFileInfo(memberFile).completeBaseName() + QLatin1Char(' ') +
                  when.toString(QLatin1String(kStampFormat)) + QStringLiteral(".kvl"));
}

std::vector<KBackups::Generation> KBackups::generations(const QString& memberFile) {
    std::vector<Generation> found;
    const QString base = QFileInfo(memberFile).completeBaseName();
    const QRegularExpression pattern(
        QStringLiteral("^%1 (\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d)\\.kvl$")
            .arg(QRegularExpression::escape(base)));
    const QDir dir(generationFolder(memberFile));
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(entry.fileName());
        if (!match.hasMatch())
            continue;
        const QDateTime when =
            QDateTime::fromString(match.captured(1), QLatin1String(kStampFormat));
        if (when.isValid())
            found.push_back({entry.filePath(), when, entry.size()});
    }
    std::sort(found.begin(), found.end(),
              [](const Generation& a, const Generation& b) { return a.when > b.when; });
    return found;
}

std::vector<KBackups::Restorable> KBackups::restorable(const QString& memberFile) {
    std::vector<Restorable> found;
    auto add = [&](const QString& path, const QDateTime& when, qint64 size) {
        CKorvelDoc copy;
        const bool read = copy.OnOpenDocument(path).isDone();
        found.push_back({path, when, size, read ? static_cast<long>(copy.members().size()) : -1});
        copy.abandonContents();
    };
    const QFileInfo backup(backupPathFor(memberFile));
    if (backup.isFile())
        add(backup.filePath(), backup.lastModified(), backup.size());
    for (const Generation& generation : generations(memberFile))
        add(generation.path, generation.when, generation.size);
    std::stable_sort(found.begin(), found.end(),
                     [](const Restorable& a, const Restorable& b) { return a.when > b.when; });
    return found;
}

QString KBackups::makeBackup(const QString& memberFile, bool inPlace) {
    const QString backup = backupPathFor(memberFile);
    int error = 0;
    if (safeCopyFile(memberFile, backup, &error, inPlace))
        return {};
    return QStringLiteral("Van het vorige bestand kon geen reservekopie %1 worden gemaakt: %2.")
        .arg(quoted(backup), reason(error, backup));
}

QStringList KBackups::makeGeneration(const QString& memberFile, int keep) {
    QStringList messages;
    if (keep <= 0)
        return messages;
    const QString folder = generationFolder(memberFile);
    const QString target =
        generationPath(memberFile, QFileInfo(memberFile).lastModified().toLocalTime());
    int error = 0;
    if (!makeFolder(folder, memberFile)) {
        error = errno;
        messages << QStringLiteral("De map %1 voor de reservekopieën kon niet worden gemaakt: "
                                   "%2. Het bestand is wel bewaard.")
                        .arg(quoted(folder), reason(error, folder));
        return messages;
    }
    // Two saves in one second name the same generation: the one made first stays, the later
    // version is in the backup beside the file anyway.
    if (QFileInfo::exists(target))
        return messages;
    if (!safeCopyFile(memberFile, target, &error)) {
        messages << QStringLiteral("De reservekopie %1 kon niet worden gemaakt: %2. Het bestand "
                                   "is wel bewaard.")
                        .arg(quoted(target), reason(error, target));
        return messages;
    }
    const std::vector<Generation> kept = generations(memberFile);
    for (std::size_t i = static_cast<std::size_t>(keep); i < kept.size(); ++i)
        if (!removeFileStep(kept[i].path))
            messages << QStringLiteral("De oude reservekopie %1 kon niet worden verwijderd: %2.")
                            .arg(quoted(kept[i].path), reason(errno, kept[i].path));
    return messages;
}
