#include "platform/FileErrorReason.h"

#include "core/document/CKorvelDoc.h"
#include "tests/support/DocBuilder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// A reason is Dutch words only: none of the C library's or Qt's English texts slips through.
void expectDutch(const QString& text) {
    static const QRegularExpression english(
        QStringLiteral("denied|No such|directory|space|device|error|Error|exists|writable|"
                       "Unknown|Read-only|Too many|busy"));
    EXPECT_FALSE(text.contains(english)) << text.toStdString();
}

TEST(FileErrorReason, TheSystemErrorSaysMost) {
    const struct {
        int systemError;
        QFileDevice::FileError kind;
        const char* reason;
    } cases[] = {
        {EACCES, QFileDevice::OpenError, "u heeft geen toegang tot dit bestand of deze map"},
        {EPERM, QFileDevice::WriteError, "u heeft geen toegang tot dit bestand of deze map"},
        {ENOSPC, QFileDevice::ResourceError, "de schijf is vol"},
        {ENOSPC, QFileDevice::WriteError, "de schijf is vol"},
        {EROFS, QFileDevice::OpenError, "de schijf is alleen-lezen"},
        {EISDIR, QFileDevice::OpenError, "dit is een map, geen bestand"},
        {ENAMETOOLONG, QFileDevice::OpenError, "de naam is te lang"},
        {EMFILE, QFileDevice::OpenError, "er zijn te veel bestanden tegelijk geopend"},
        {EIO, QFileDevice::ReadError, "de schijf gaf een lees- of schrijffout"},
        // A number without a reason of its own falls back on the kind of error.
        {EXDEV, QFileDevice::RenameError, "het nieuwe bestand kan het oude niet vervangen"},
        {0, QFileDevice::ResourceError, "de schijf is vol of er is onvoldoende geheugen"},
        {0, QFileDevice::ReadError, "er trad een fout op bij het lezen"},
        {0, QFileDevice::WriteError, "er trad een fout op bij het schrijven"},
        {0, QFileDevice::OpenError, "het bestand kan niet worden geopend"},
        {0, QFileDevice::UnspecifiedError, "er trad een onbekende fout op"},
        {0, QFileDevice::NoError, "er trad een onbekende fout op"},
    };
    for (const auto& c : cases) {
        const QString reason = fileErrorReason(c.kind, c.systemError);
        EXPECT_EQ(reason, QString::fromUtf8(c.reason)) << c.systemError << " " << c.kind;
        expectDutch(reason);
    }
}

TEST(FileErrorReason, TheBrokenPathTellsAMissingFolderFromAMissingFile) {
    QTemporaryDir dir;
    const QString inMissingFolder = dir.filePath(QStringLiteral("geen/map/club.kvl"));
    const QString missingFile = dir.filePath(QStringLiteral("weg.kvl"));
    EXPECT_EQ(fileErrorReason(QFileDevice::OpenError, ENOENT, inMissingFolder),
              QStringLiteral("de map bestaat niet"));
    EXPECT_EQ(fileErrorReason(QFileDevice::OpenError, ENOENT, missingFile),
              QStringLiteral("het bestand bestaat niet"));
    // A file being made need not exist; the folder would not take it (as /proc does not).
    EXPECT_EQ(fileErrorReason(QFileDevice::OpenError, ENOENT, missingFile, FileAccess::Writing),
              QStringLiteral("in deze map kan geen bestand worden gemaakt"));
    EXPECT_EQ(fileErrorReason(QFileDevice::OpenError, 0, missingFile, FileAccess::Writing),
              QStringLiteral("in deze map kan geen bestand worden gemaakt"));
    // Where the platform gives no error number the path still tells a missing folder.
    EXPECT_EQ(fileErrorReason(QFileDevice::OpenError, 0, inMissingFolder),
              QStringLiteral("de map bestaat niet"));
    // A "not found" left over from an earlier call is not believed for a file that is there.
    QFile there(dir.filePath(QStringLiteral("club.kvl")));
    ASSERT_TRUE(there.open(QIODevice::WriteOnly));
    there.close();
    EXPECT_EQ(fileErrorReason(QFileDevice::WriteError, ENOENT, there.fileName()),
              QStringLiteral("er trad een fout op bij het schrijven"));
    EXPECT_EQ(fileErrorReason(QFileDevice::WriteError, ENOENT, dir.path()),
              QStringLiteral("dit is een map, geen bestand"));
}

// The document's messages carry these reasons instead of the system's English words.
TEST(FileErrorReason, TheDocumentSaysWhyInDutch) {
    QTemporaryDir dir;
    CKorvelDoc doc;
    doc.OnNewDocument();
    addMember(doc, "Piet Jansen");

    KResult result;
    const QString& error = result.reason();
    ASSERT_FALSE(result = doc.OnSaveDocument(dir.filePath(QStringLiteral("geen/map/club.kvl"))));
    // The reason, then what the user can do about it.
    EXPECT_TRUE(error.contains(QStringLiteral(": de map bestaat niet. Bewaar het met")))
        << error.toStdString();
    expectDutch(error);

    QDir(dir.path()).mkdir(QStringLiteral("map.kvl"));
    ASSERT_FALSE(result = doc.OnSaveDocument(dir.filePath(QStringLiteral("map.kvl"))));
    EXPECT_TRUE(error.contains(QStringLiteral(": dit is een map, geen bestand.")))
        << error.toStdString();
    expectDutch(error);

    CKorvelDoc other;
    ASSERT_FALSE(result = other.OnOpenDocument(dir.filePath(QStringLiteral("weg.kvl"))));
    EXPECT_TRUE(
        error.contains(QStringLiteral("kan niet worden geopend: het bestand bestaat niet.")))
        << error.toStdString();
    expectDutch(error);
}

} // namespace
