// Archives that hand their bytes on, or take them, in pieces, as member files are saved and read.
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

void writeMany(Archive& ar) {
    for (int i = 0; i < 300000; ++i) {
        ar.writeInt32(i);
        ar.writeDouble(i / 3.0);
        ar.writeByte(static_cast<std::uint8_t>(i));
    }
}

} // namespace

TEST(ArchiveSink, HandsOnTheSameBytesInPieces) {
    Archive plain = Archive::forStoring("plain");
    writeMany(plain);

    std::string received;
    int pieces = 0;
    Archive sunk = Archive::forStoring("sunk", [&](std::string_view bytes) {
        received.append(bytes);
        ++pieces;
        return true;
    });
    writeMany(sunk);
    EXPECT_LT(sunk.data().size(), plain.data().size()); // not all of it kept
    EXPECT_TRUE(sunk.flush());
    EXPECT_TRUE(sunk.data().empty());
    EXPECT_EQ(sunk.remaining(), plain.data().size());
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(received, plain.data());
}

TEST(ArchiveSink, AFailedSinkIsReportedAtTheEnd) {
    int calls = 0;
    Archive ar = Archive::forStoring("full", [&](std::string_view) {
        ++calls;
        return false;
    });
    writeMany(ar);
    EXPECT_FALSE(ar.flush());
    EXPECT_EQ(calls, 1); // nothing more is handed to a sink that failed
    EXPECT_FALSE(ar.flush());
}

TEST(ArchiveSource, ReadsTheSameAsFromMemoryWhateverThePieces) {
    Archive plain = Archive::forStoring("plain");
    writeMany(plain);
    const std::string bytes = plain.takeData();

    for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(4096), bytes.size()}) {
        std::size_t at = 0;
        Archive ar = Archive::forLoading("source", bytes.size(), [&](char* out, std::size_t max) {
            const std::size_t n = std::min({max, piece, bytes.size() - at});
            std::copy_n(bytes.data() + at, n, out);
            at += n;
            return n;
        });
        for (int i = 0; i < 300000; ++i) {
            ASSERT_EQ(ar.readInt32(), i);
            ASSERT_EQ(ar.readDouble(), i / 3.0);
            ASSERT_EQ(ar.readByte(), static_cast<std::uint8_t>(i));
        }
        EXPECT_EQ(ar.remaining(), 0u);
        char c;
        EXPECT_EQ(ar.Read(&c, 1), 0u);
        EXPECT_THROW(ar.readByte(), ArchiveException);
    }
}

TEST(ArchiveSource, DataEndingBeforeItsSizeEndsThere) {
    const std::string bytes = "\x01\x02\x03\x04\x05\x06";
    std::size_t at = 0;
    Archive ar = Archive::forLoading("kort", 1000, [&](char* out, std::size_t max) {
        const std::size_t n = std::min(max, bytes.size() - at);
        std::copy_n(bytes.data() + at, n, out);
        at += n;
        return n;
    });
    EXPECT_EQ(ar.readInt32(), 0x04030201);
    char rest[10];
    EXPECT_EQ(ar.Read(rest, sizeof rest), 2u);
    EXPECT_EQ(ar.remaining(), 0u);
}
