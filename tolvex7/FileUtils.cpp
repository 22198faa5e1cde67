#include "tolvex7/FileUtils.h"

#include "platform/CodePage.h"
#include "tolvex7/KFileColumns.h"
#include "tolvex7/KFileIconProvider.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t blockSize = 10000;

QString toQ(const char* bytes) {
    return bytes ? CodePage::toQString(bytes) : QString();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::FILE* openFile(const QString& path, const char* mode) {
#if defined(_WIN32)
    return _wfopen(reinterpret_cast<const wchar_t*>(path.utf16()),
                   QString::fromLatin1(mode).toStdWString().c_str());
#else
    return std::fopen(QFile::encodeName(path).constData(), mode);
#endif
}

bool sameFile(const QString& a, const QString& b) {
    std::error_code error;
    return std::filesystem::equivalent(QFileInfo(a).filesystemFilePath(),
                                       QFileInfo(b).filesystemFilePath(), error);
}

int copyOne(const QString& source, const QString& target) {
    std::vector<char> buffer;
    try {
        buffer.resize(blockSize);
    } catch (const std::bad_alloc&) {
        return 1;
    }
    const std::unique_ptr<std::FILE, FileCloser> in(openFile(source, "rb"));
    if (!in)
        return 2;
    // Creating the target would empty the source before a byte was read.
    if (sameFile(source, target))
        return 0;
    std::FILE* out = openFile(target, "wb");
    if (!out)
        return 3;
    int result = 0;
    std::size_t n = 0;
    do {
        n = std::fread(buffer.data(), 1, blockSize, in.get());
        if (n > 0 && std::fwrite(buffer.data(), 1, n, out) != n) {
            result = 3;
            break;
        }
    } while (n == blockSize);
    if (result == 0 && std::ferror(in.get()))
        result = 2;
    // A full disk may only show when the last block is flushed.
    if (std::fclose(out) != 0 && result == 0)
        result = 3;
    // A partial copy must not pass for a copy.
    if (result != 0)
        QFile::remove(target);
    return result;
}

int copyTree(const QString& source, const QString& target) {
    QDir().mkpath(target);
    const QDir dir(source);
    if (!dir.exists())
        return 0;
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (name.startsWith(QLatin1Char('.')))
            continue;
        const QString from = source + QLatin1Char('/') + name;
        const QString to = target + QLatin1Char('/') + name;
        int result = 0;
        if (entry.isDir()) {
            // A linked folder may lead back up the tree and never end.
            if (entry.isSymLink())
                continue;
            result = copyTree(from, to);
        } else {
            result = copyOne(from, to);
        }
        if (result != 0)
            return result;
    }
    return 0;
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "Tekstbestanden (*.TXT)" already names its patterns; they are given once, from the pattern.
QString bareDescription(const QString& description) {
    const QString trimmed = description.trimmed();
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !trimmed.endsWith(QLatin1Char(')')))
        return trimmed;
    const QString group = trimmed.mid(open);
    if (!group.contains(QLatin1Char('*')) && !group.contains(QLatin1Char('?')))
        return trimmed;
    return trimmed.left(open).trimmed();
}

bool haveDialogs() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

int copyFile(const char* source, const char* target) {
    if (!source)
        return 2;
    if (!target)
        return 3;
    return copyOne(toQ(source), toQ(target));
}

int copyFile(const QString& source, const QString& target) {
    return copyOne(source, target);
}

int copyDir(const char* source, const char* target) {
    if (!source || !target)
        return 0;
    return copyTree(toQ(source), toQ(target));
}

void ForceExtension(std::string& path, const char* extension) {
    const std::string ext = extension ? extension : "";
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.size() - dot - 1 > 3) {
        path += '.';
        path += ext;
        return;
    }
    if (upper(path.substr(dot + 1)) != upper(ext.substr(0, 3)))
        path.replace(dot + 1, std::string::npos, ext);
}

QStringList fileDialogFilters(const char* filter) {
    QStringList filters;
    if (!filter)
        return filters;
    const char* at = filter;
    while (*at) {
        const char* description = at;
        at += std::strlen(at) + 1;
        if (!*at)
            break;
        const char* pattern = at;
        at += std::strlen(at) + 1;
        QStringList patterns;
        for (const QString& part : toQ(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString one = part.trimmed();
            // "*.*" means every file, also one without a dot in its name.
            patterns << (one == QLatin1String("*.*") ? QStringLiteral("*") : one);
        }
        const QString name = bareDescription(toQ(description));
        filters << (name.isEmpty()
                        ? patterns.join(QLatin1Char(' '))
                        : QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

void prepareFileDialog(QFileDialog& dialog) {
    // Dialogs may still be listing in the background when the program ends: the provider
    // lives as long as the program.
    static KFileIconProvider provider;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&provider);
    const int columns = KFileColumns::install(dialog);
    // Room for the places beside the list, the list's columns and the frames, within the screen.
    const QFontMetrics metrics(dialog.font());
    QSize size(metrics.averageCharWidth() * 20 + columns + 80, metrics.height() * 28);
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size.expandedTo(dialog.sizeHint()));
}

std::optional<QString> selectFilePath(const char* title, const char* filter,
                                      const QString& initialFolder, short open) {
    if (!haveDialogs())
        return std::nullopt;
    QFileDialog dialog(nullptr, toQ(title), initialFolder);
    prepareFileDialog(dialog);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = fileDialogFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

std::optional<std::string> selectFile(const char* title, const char* filter,
                                      const char* initialFolder, short open) {
    const std::optional<QString> path = selectFilePath(title, filter, toQ(initialFolder), open);
    if (!path)
        return std::nullopt;
    return CodePage::fromQString(*path);
}

std::optional<std::string> selectDir(const char* title, unsigned long flags,
                                     const char* initialFolder) {
    (void)flags;
    if (!haveDialogs())
        return std::nullopt;
    QFileDialog dialog(QApplication::activeWindow(), toQ(title), toQ(initialFolder));
    prepareFileDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return CodePage::fromQString(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}
