#include "platform/FileErrorReason.h"

#include <QFileInfo>

#include <cerrno>

namespace {

QString text(const char* s) {
    return QString::fromUtf8(s);
}

bool folderMissing(const QString& path) {
    return !path.isEmpty() && !QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

bool readOnlyFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && !info.isWritable();
}

QString cannotMake() {
    return text("in deze map kan geen bestand worden gemaakt");
}

// The reason an errno names; empty for a number without a reason of its own.
QString systemReason(int systemError, const QString& path, FileAccess access) {
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        if (folderMissing(path))
            return text("de map bestaat niet");
        // errno may be left over from an earlier call that failed on purpose; with the file in
        // its place it does not say why this one failed.
        if (!path.isEmpty() && QFileInfo::exists(path))
            return {};
        // A file being made need not exist: the folder would not take it.
        return access == FileAccess::Writing ? cannotMake() : text("het bestand bestaat niet");
    case EACCES:
    case EPERM:
        return readOnlyFile(path) ? text("het bestand is alleen-lezen")
                                  : text("u heeft geen toegang tot dit bestand of deze map");
    case EROFS:
        return text("de schijf is alleen-lezen");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return text("de schijf is vol");
    case EISDIR:
        return text("dit is een map, geen bestand");
    case ENAMETOOLONG:
        return text("de naam is te lang");
    case EMFILE:
    case ENFILE:
        return text("er zijn te veel bestanden tegelijk geopend");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return text("het bestand is in gebruik");
    case EIO:
        return text("de schijf gaf een lees- of schrijffout");
    case ENOMEM:
        return text("er is onvoldoende geheugen");
    case EINVAL:
        return text("de naam is ongeldig");
    default:
        return {};
    }
}

QString kindReason(QFileDevice::FileError error, const QString& path, FileAccess access) {
    switch (error) {
    case QFileDevice::OpenError:
        // Without the system's word the path itself may still say what is wrong.
        if (folderMissing(path))
            return text("de map bestaat niet");
        if (readOnlyFile(path))
            return text("het bestand is alleen-lezen");
        if (access == FileAccess::Writing && !QFileInfo::exists(path))
            return cannotMake();
        return text("het bestand kan niet worden geopend");
    case QFileDevice::ReadError:
        return text("er trad een fout op bij het lezen");
    case QFileDevice::WriteError:
        if (readOnlyFile(path))
            return text("het bestand is alleen-lezen");
        return text("er trad een fout op bij het schrijven");
    case QFileDevice::ResourceError:
        return text("de schijf is vol of er is onvoldoende geheugen");
    case QFileDevice::RenameError:
        return text("het nieuwe bestand kan het oude niet vervangen");
    case QFileDevice::RemoveError:
        return text("het bestand kan niet worden verwijderd");
    case QFileDevice::CopyError:
        return text("het bestand kan niet worden gekopieerd");
    case QFileDevice::PermissionsError:
        return text("de rechten van het bestand kunnen niet worden aangepast");
    case QFileDevice::ResizeError:
        return text("de grootte van het bestand kan niet worden aangepast");
    case QFileDevice::PositionError:
        return text("er kan niet in het bestand worden gezocht");
    case QFileDevice::AbortError:
        return text("de bewerking is afgebroken");
    case QFileDevice::TimeOutError:
        return text("de bewerking duurde te lang");
    case QFileDevice::FatalError:
    case QFileDevice::UnspecifiedError:
    case QFileDevice::NoError:
        break;
    }
    return text("er trad een onbekende fout op");
}

} // namespace

QString fileErrorReason(QFileDevice::FileError error, int systemError, const QString& path,
                        FileAccess access) {
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return text("dit is een map, geen bestand");
    const QString reason = systemReason(systemError, path, access);
    return reason.isEmpty() ? kindReason(error, path, access) : reason;
}
