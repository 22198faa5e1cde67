// korvel-cli beside an open Korvel: a locked member file is not written, repeated options are
// refused, and files it cannot make are told with the reason.
#include "core/document/CKorvelDoc.h"
#include "core/document/KFileLock.h"
#include "tests/support/CliRun.h"
#include "tests/support/DocBuilder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliSharedFile : public ::testing::Test {
protected:
    void SetUp() override {
        CKorvelDoc doc;
        doc.OnNewDocument();
        addMember(doc, "Cor Claes");
        ASSERT_TRUE(doc.OnSaveDocument(club()));
    }
    QString club() const { return m_dir.filePath(QStringLiteral("club.kvl")); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliSharedFile, ALockedTargetIsRefusedWithTheHoldersSentence) {
    KFileLock open(club());
    ASSERT_TRUE(open.lock());
    const QByteArray before = readBytes(club());
    for (const QStringList& args :
         {QStringList{QStringLiteral("convert"), path("ander.kvl"), club()},
          QStringList{QStringLiteral("generate"), club(), QStringLiteral("--members"),
                      QStringLiteral("3")},
          QStringList{QStringLiteral("new"), club()}}) {
        if (args.front() == QStringLiteral("convert"))
            ASSERT_TRUE(QFile::copy(club(), path("ander.kvl")));
        const ProcessRun r = runCli(args);
        EXPECT_EQ(r.status, 1) << args.front().toStdString();
        EXPECT_TRUE(r.err.startsWith("club.kvl is geopend door ")) << r.err.constData();
        EXPECT_EQ(readBytes(club()), before);
    }
    open.unlock();
    EXPECT_EQ(runCli({QStringLiteral("new"), club()}).status, 0);
    EXPECT_FALSE(QFile::exists(KFileLock::lockPathFor(club()))); // given back
}

TEST_F(CliSharedFile, ARepeatedOptionIsAUsageError) {
    const ProcessRun r = runCli({QStringLiteral("generate"), path("g.kvl"),
                                 QStringLiteral("--members"), QStringLiteral("3"),
                                 QStringLiteral("--members"), QStringLiteral("4")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("meer dan eens")) << r.err.constData();
    EXPECT_FALSE(QFile::exists(path("g.kvl")));
}

TEST_F(CliSharedFile, PrintAndExportToAMissingFolderSayWhy) {
    for (const char* command : {"export", "print"}) {
        const ProcessRun r =
            runCli({QString::fromUtf8(command), club(), path("geen/map/uit.txt"),
                    QStringLiteral("--columns"), QStringLiteral("1")});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_TRUE(r.err.contains("De map bestaat niet.")) << command << ": " << r.err.constData();
    }
}
