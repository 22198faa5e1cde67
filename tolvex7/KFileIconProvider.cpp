#include "tolvex7/KFileIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

KFileIconProvider::KFileIconProvider() {
    // A folder's own icon would be read from a file inside it.
    setOptions(DontUseCustomDirectoryIcons);
}

QIcon KFileIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    if (info.isFile()) {
        const QMimeType mime =
            QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        if (mime.isValid() && !mime.isDefault()) {
            QIcon themed = QIcon::fromTheme(mime.iconName());
            if (themed.isNull())
                themed = QIcon::fromTheme(mime.genericIconName());
            if (!themed.isNull())
                return themed;
        }
    }
    return icon(File);
}

QString KFileIconProvider::type(const QFileInfo& info) const {
    if (info.isRoot())
        return QStringLiteral("Station");
    if (info.isDir())
        return QStringLiteral("Map");
    const QString suffix = info.suffix();
    if (info.isFile() && !suffix.isEmpty())
        return QStringLiteral("%1-bestand").arg(suffix.toUpper());
    return QStringLiteral("Bestand");
}
