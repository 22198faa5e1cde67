#include "tolvex7/FileUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QDialog>

#include <gtest/gtest.h>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

#include <string>

namespace {

class FileUtilsTest : public ::testing::Test {
protected:
    // A path in the temporary folder as the Windows-1252 bytes the callers hold.
    std::string path(const std::string& name) const {
        return QFile::encodeName(m_dir.path()).toStdString() + "/" + name;
    }
    QString qpath(const QString& name) const { return m_dir.filePath(name); }

    static void put(const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir m_dir;
};

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

TEST_F(FileUtilsTest, CopiesFilesOfAnySizeByteForByte) {
    for (int size : {0, 1, 10000, 20000, 25001}) {
        SCOPED_TRACE(size);
        put(qpath("source"), pattern(size));
        put(qpath("target"), "older and longer content");
        EXPECT_EQ(copyFile(path("source").c_str(), path("target").c_str()), 0);
        EXPECT_EQ(contents(qpath("target")), pattern(size));
    }
}

TEST_F(FileUtilsTest, MissingSourceGivesTwoAndNoTarget) {
    EXPECT_EQ(copyFile(path("missing").c_str(), path("target").c_str()), 2);
    EXPECT_FALSE(QFile::exists(qpath("target")));
}

TEST_F(FileUtilsTest, SourceThatCannotBeReadGivesTwoAndNoTarget) {
    QDir(m_dir.path()).mkdir("folder");
    EXPECT_EQ(copyFile(path("folder").c_str(), path("target").c_str()), 2);
    EXPECT_FALSE(QFile::exists(qpath("target")));
}

TEST_F(FileUtilsTest, TargetThatCannotBeCreatedOrWrittenGivesThree) {
    put(qpath("source"), pattern(300));
    EXPECT_EQ(copyFile(path("source").c_str(), path("no/such/folder/target").c_str()), 3);
}

#if defined(__unix__)
// A full disk, played by a file-size limit: writes past it fail instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(FileUtilsTest, FullDiskGivesThreeAndLeavesNoPartialCopy) {
    for (int size : {4000, 25000}) { // lost in the last flush, or in a full block
        SCOPED_TRACE(size);
        put(qpath("source"), pattern(size));
        int result = 0;
        {
            const FileSizeLimit limit(3000);
            result = copyFile(path("source").c_str(), path("target").c_str());
        }
        EXPECT_EQ(result, 3);
        EXPECT_FALSE(QFile::exists(qpath("target")));
    }
}
#endif

TEST_F(FileUtilsTest, CopyOntoItselfKeepsTheFile) {
    put(qpath("club.kvl"), pattern(123));
    EXPECT_EQ(copyFile(path("club.kvl").c_str(), path("./club.kvl").c_str()), 0);
    EXPECT_EQ(contents(qpath("club.kvl")), pattern(123));
}

TEST_F(FileUtilsTest, NamesAreWindows1252) {
    put(qpath(QStringLiteral("leden \u00e9.kvl")), "abc");
    EXPECT_EQ(copyFile(path("leden \xE9.kvl").c_str(), path("kopie \xE9.kvm").c_str()), 0);
    EXPECT_EQ(contents(qpath(QStringLiteral("kopie \u00e9.kvm"))), "abc");
}

TEST_F(FileUtilsTest, CopyDirCopiesTheTreeWithoutDotNames) {
    put(qpath("src/a.txt"), "a");
    put(qpath("src/sub/b.txt"), "b");
    put(qpath("src/sub/deeper/c.txt"), "c");
    put(qpath("src/.hidden"), "h");
    put(qpath("src/.git/d.txt"), "d");
    EXPECT_EQ(copyDir(path("src").c_str(), path("new/place/copy").c_str()), 0);
    EXPECT_EQ(contents(qpath("new/place/copy/a.txt")), "a");
    EXPECT_EQ(contents(qpath("new/place/copy/sub/b.txt")), "b");
    EXPECT_EQ(contents(qpath("new/place/copy/sub/deeper/c.txt")), "c");
    EXPECT_FALSE(QFile::exists(qpath("new/place/copy/.hidden")));
    EXPECT_FALSE(QFile::exists(qpath("new/place/copy/.git")));
}

TEST_F(FileUtilsTest, CopyDirStopsAtTheFirstFailingCopy) {
    put(qpath("src/sub/b.txt"), "b");
    put(qpath("src/z.txt"), "z");
    // A file where the folder "sub" should go: its files cannot be created.
    put(qpath("dst/sub"), "in the way");
    EXPECT_EQ(copyDir(path("src").c_str(), path("dst").c_str()), 3);
    EXPECT_FALSE(QFile::exists(qpath("dst/z.txt")));

    EXPECT_EQ(copyDir(path("nothing here").c_str(), path("dst2").c_str()), 0);
}

TEST(ForceExtension, LastDotOfThePathDecides) {
    struct Case {
        const char* path;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"club", "kvl", "club.kvl"},
        {"club.txt", "kvl", "club.kvl"},
        {"club.", "kvl", "club.kvl"},
        {"club.html", "kvl", "club.html.kvl"},
        {"club.KVL", "kvl", "club.KVL"},
        {"club.kv", "kvl", "club.kvl"},
        {"club.kvl", "kvlx", "club.kvl"},
        {"club.txt", "", "club."},
        {"C:\\a.b\\club", "kvl", "C:\\a.b\\club.kvl"},
        {"C:\\x.y\\c", "kvl", "C:\\x.kvl"},
        {"/home/jan/club.TXT", "kvl", "/home/jan/club.kvl"},
        {"/home/jan.de.vries/club", "kvl", "/home/jan.de.vries/club.kvl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string path = c.path;
        ForceExtension(path, c.extension);
        EXPECT_EQ(path, c.expected);
    }
}

TEST(FileDialogFilters, PairsBecomeQtNameFilters) {
    EXPECT_EQ(fileDialogFilters("Tekstbestanden (*.TXT)\0*.TXT\0"),
              QStringList{"Tekstbestanden (*.TXT)"});
    EXPECT_EQ(fileDialogFilters("Leden\0*.kvl\0Alle bestanden (*.*)\0*.*\0"),
              (QStringList{"Leden (*.kvl)", "Alle bestanden (*)"}));
    EXPECT_EQ(fileDialogFilters("Tekst\0*.txt;*.csv\0"), QStringList{"Tekst (*.txt *.csv)"});
    EXPECT_EQ(fileDialogFilters("Leden \xE9\0*.kvl\0"),
              QStringList{QStringLiteral("Leden \u00e9 (*.kvl)")});
    EXPECT_EQ(fileDialogFilters("Zonder patroon\0"), QStringList());
    EXPECT_EQ(fileDialogFilters(nullptr), QStringList());
}

TEST(FileDialogs, CancelGivesNothing) {
    guiApplication();
    auto cancel = [](QWidget* window) {
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    };
    {
        ModalAnswer answer(cancel);
        EXPECT_EQ(selectFile("Titel", "Leden\0*.kvl\0", nullptr, 1), std::nullopt);
        EXPECT_TRUE(answer.answered());
    }
    {
        ModalAnswer answer(cancel);
        EXPECT_EQ(selectDir("Titel", 4, nullptr), std::nullopt);
        EXPECT_TRUE(answer.answered());
    }
}

} // namespace
