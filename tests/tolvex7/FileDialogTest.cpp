#include "tolvex7/FileUtils.h"

#include "tests/support/GuiApplication.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(__linux__)
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Waits until the dialog's model has listed the folder and gathered every entry's type, which
// happens in the background.
bool listed(QFileSystemModel* model, const QString& folder, int entries) {
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const QModelIndex root = model->index(folder);
        if (model->rowCount(root) < entries)
            continue;
        bool all = true;
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex entry = model->index(row, 0, root);
            model->data(entry, Qt::DecorationRole); // icons are asked for as the view paints
            all = all && !model->type(entry).isEmpty();
        }
        if (all)
            return true;
    }
    return false;
}

std::string typeOf(QFileSystemModel* model, const QString& path) {
    return model->type(model->index(path)).toStdString();
}

#if defined(__linux__)
// The names of the files in the watched folder that someone opened or read.
QStringList filesOpened(int watch) {
    QStringList names;
    alignas(inotify_event) char buffer[sizeof(inotify_event) + NAME_MAX + 1];
    for (;;) {
        const ssize_t n = read(watch, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0)
                names.append(QString::fromUtf8(event->name));
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    names.removeDuplicates();
    return names;
}

TEST(FileDialog, ListingAFolderNeverOpensTheFilesInIt) {
    guiApplication();
    QTemporaryDir dir;
    put(dir.filePath("gegevens"), "Leden van de club\n");
    put(dir.filePath("club.kvl"), QByteArray("\x0b\x00\x00\x00", 4));
    put(dir.filePath("notities.txt"), "tekst\n");
    // Reading a FIFO waits for a writer that never comes, as /proc/kmsg waits for the kernel.
    const QString fifo = dir.filePath("pijp");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(
        inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(), IN_OPEN | IN_ACCESS),
        0);
    {
        QFileDialog dialog(nullptr, "Bewaar als", dir.path());
        prepareFileDialog(dialog);
        // FIFOs are listed among the system files.
        dialog.setFilter(dialog.filter() | QDir::System);
        dialog.show();
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        EXPECT_TRUE(listed(model, dir.path(), 4));

        // A reader stuck on the FIFO would be found by a writer that does not wait; opening
        // it also sets the stuck reader free, so that the dialog can go.
        const int writer = open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        const int why = errno;
        if (writer >= 0)
            close(writer);
        EXPECT_LT(writer, 0) << "someone waits to read the FIFO";
        EXPECT_EQ(why, ENXIO);

        // Types come from names, in Dutch.
        EXPECT_EQ(typeOf(model, dir.filePath("club.kvl")), "KVL-bestand");
        EXPECT_EQ(typeOf(model, dir.filePath("notities.txt")), "TXT-bestand");
        EXPECT_EQ(typeOf(model, dir.filePath("gegevens")), "Bestand");
        EXPECT_EQ(typeOf(model, fifo), "Bestand");
        EXPECT_FALSE(model->fileIcon(model->index(dir.filePath("gegevens"))).isNull());
    }
    EXPECT_EQ(filesOpened(watch).join(' ').toStdString(), "");
    close(watch);
}
#endif

TEST(FileDialog, DetailsAreDutchAndShowWhole) {
    guiApplication();
    QTemporaryDir dir;
    put(dir.filePath("club.kvl"), QByteArray(227'840, 'x'));
    QFileDialog dialog(nullptr, "Bewaar als", dir.path());
    prepareFileDialog(dialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    ASSERT_TRUE(listed(model, dir.path(), 1));
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(details, nullptr);
    QCoreApplication::processEvents();
    const QAbstractItemModel* shown = details->model();
    const QModelIndex root = details->rootIndex();
    ASSERT_EQ(shown->rowCount(root), 1);

    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const QDateTime modified = QFileInfo(dir.filePath("club.kvl")).lastModified();
    EXPECT_EQ(shown->index(0, 3, root).data().toString(),
              dutch.toString(modified, QLocale::ShortFormat));
    EXPECT_EQ(shown->index(0, 1, root).data().toString(), dutch.formattedDataSize(227'840));
    EXPECT_EQ(shown->index(0, 2, root).data().toString(), "KVL-bestand");
    // Every column is wide enough for its text and its title.
    const QFontMetrics metrics(details->font());
    for (int column = 1; column <= 3; ++column) {
        const QString text = shown->index(0, column, root).data().toString();
        const QString title = shown->headerData(column, Qt::Horizontal).toString();
        EXPECT_GT(details->header()->sectionSize(column),
                  qMax(metrics.horizontalAdvance(text), metrics.horizontalAdvance(title)))
            << text.toStdString();
    }
}

TEST(FileDialog, IsQtsOwnDialog) {
    guiApplication();
    QFileDialog dialog;
    prepareFileDialog(dialog);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    ASSERT_NE(dialog.iconProvider(), nullptr);
    EXPECT_EQ(dialog.iconProvider()->type(QFileInfo(QDir::tempPath())).toStdString(), "Map");
}

} // namespace
