// A storing archive that hands its bytes on in pieces, as saving a member file uses it.
#include "platform/Archive.h"

#include <gtest/gtest.h>

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
