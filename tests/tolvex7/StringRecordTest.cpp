#include "tolvex7/StringRecord.h"

#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace std::string_literals;

std::string stored(const char* text) {
    Archive ar = Archive::forStoring();
    writeString(ar, text);
    return ar.takeData();
}

struct Read {
    int result;
    std::unique_ptr<char[]> text;
};

Read readFrom(Archive& ar) {
    char* raw = reinterpret_cast<char*>(1);
    const int result = readString(ar, &raw);
    return {result, std::unique_ptr<char[]>(raw)};
}

ArchiveException::Cause causeOf(auto&& action) {
    try {
        action();
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    return ArchiveException::none;
}

TEST(StringRecord, WritesByteExactRecordsThatReadBack) {
    struct Case {
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {nullptr, "\x00\x00"s},
        {"", "\x01\x00\x00"s},
        {"abc", "\x04\x00"
                "abc\x00"s},
        {"leden \xE9", "\x08\x00leden \xE9\x00"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(stored(c.text), c.bytes);
        Archive in = Archive::forLoading(c.bytes);
        const Read r = readFrom(in);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(in.remaining(), 0u);
        if (!c.text) {
            EXPECT_EQ(r.text, nullptr);
        } else {
            ASSERT_NE(r.text, nullptr);
            EXPECT_STREQ(r.text.get(), c.text);
        }
    }
}

TEST(StringRecord, ZeroOrNegativeLengthIsAbsentAndConsumesNoBody) {
    for (const std::string& length : {"\x00\x00"s, "\xFF\xFF"s, "\x00\x80"s}) {
        Archive ar = Archive::forLoading(length + "xyz");
        const Read r = readFrom(ar);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(r.text, nullptr);
        EXPECT_EQ(ar.remaining(), 3u);
    }
}

TEST(StringRecord, FailuresGiveOneAndNullWithoutThrowing) {
    Archive shortBody = Archive::forLoading("\x05\x00"
                                            "abc"s);
    Archive halfLength = Archive::forLoading("\x05"s);
    Archive empty = Archive::forLoading(""s);
    Archive storing = Archive::forStoring();
    for (Archive* ar : {&shortBody, &halfLength, &empty, &storing}) {
        Read r{};
        EXPECT_NO_THROW(r = readFrom(*ar));
        EXPECT_EQ(r.result, 1);
        EXPECT_EQ(r.text, nullptr);
    }
}

TEST(StringRecord, BodyWithoutTerminatorEndsAtItsLastByte) {
    Archive ar = Archive::forLoading("\x04\x00"
                                     "abcd"s);
    const Read r = readFrom(ar);
    EXPECT_EQ(r.result, 0);
    ASSERT_NE(r.text, nullptr);
    EXPECT_STREQ(r.text.get(), "abc");
}

TEST(StringRecord, LongestStringFitsAndLongerOnesAreCut) {
    const std::string longest(32766, 'x');
    const std::string bytes = stored(longest.c_str());
    ASSERT_EQ(bytes.size(), 2u + 32767u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\x7F"s);
    Archive in = Archive::forLoading(bytes);
    std::string back;
    EXPECT_EQ(readString(in, back), 0);
    EXPECT_EQ(back, longest);

    const std::string tooLong = std::string(32766, 'y') + "zzzz";
    EXPECT_EQ(stored(tooLong.c_str()), "\xFF\x7F"s + std::string(32766, 'y') + '\0');
}

TEST(StringRecord, StringConvenienceTellsAbsentFromEmpty) {
    Archive ar = Archive::forLoading("\x00\x00\x01\x00\x00\x05\x00"
                                     "ab"s);
    std::string text = "old";
    bool absent = false;
    EXPECT_EQ(readString(ar, text, &absent), 0);
    EXPECT_TRUE(absent);
    EXPECT_EQ(readString(ar, text, &absent), 0);
    EXPECT_FALSE(absent);
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_EQ(readString(ar, text, &absent), 1);
    EXPECT_TRUE(absent);
    EXPECT_EQ(text, "");
}

TEST(StringRecord, WritingOnALoadingArchiveThrowsReadOnly) {
    Archive ar = Archive::forLoading("");
    EXPECT_EQ(causeOf([&] { writeString(ar, "abc"); }), ArchiveException::readOnly);
    EXPECT_EQ(causeOf([&] { writeString(ar, nullptr); }), ArchiveException::readOnly);
    EXPECT_EQ(causeOf([&] { setMarker(ar, 11); }), ArchiveException::readOnly);
}

TEST(Marker, WritesMagicAndValue) {
    Archive ar = Archive::forStoring();
    setMarker(ar, 11);
    setMarker(ar, -2);
    const std::string bytes = ar.takeData();
    EXPECT_EQ(bytes, "\x41\xCC\x10\x00\x56\x0B\x00\x00\x00"
                     "\x41\xCC\x10\x00\x56\xFE\xFF\xFF\xFF"s);
    Archive in = Archive::forLoading(bytes);
    EXPECT_EQ(getMarker(in), 11);
    EXPECT_EQ(getMarker(in), -2);
}

TEST(Marker, AbsentMarkerGivesMinusOne) {
    Archive wrongMagic = Archive::forLoading("\x41\xCC\x10\x00\x57\x0B\x00\x00\x00"s);
    EXPECT_EQ(getMarker(wrongMagic), -1);
    EXPECT_EQ(wrongMagic.remaining(), 4u);

    Archive threeBytes = Archive::forLoading("\x41\xCC\x10"s);
    EXPECT_EQ(getMarker(threeBytes), -1);
}

TEST(Marker, CutValueAndStoringArchiveReachTheCaller) {
    Archive cut = Archive::forLoading("\x41\xCC\x10\x00\x56\x0B\x00"s);
    EXPECT_EQ(causeOf([&] { getMarker(cut); }), ArchiveException::endOfFile);
    Archive storing = Archive::forStoring();
    EXPECT_EQ(causeOf([&] { getMarker(storing); }), ArchiveException::writeOnly);
}

struct TmpFile {
    TmpFile() : file(std::tmpfile()) {}
    ~TmpFile() {
        if (file)
            std::fclose(file);
    }
    void put(const std::string& bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
    }
    std::string all() {
        std::rewind(file);
        std::string bytes;
        for (int c; (c = std::fgetc(file)) != EOF;)
            bytes += static_cast<char>(c);
        std::rewind(file);
        return bytes;
    }
    std::unique_ptr<char[]> read() {
        char* raw = reinterpret_cast<char*>(1);
        readString(file, &raw);
        return std::unique_ptr<char[]>(raw);
    }
    std::FILE* file;
};

TEST(StreamStringRecord, WritesTheSameBytesAndReadsThemBack) {
    TmpFile f;
    ASSERT_NE(f.file, nullptr);
    writeString(f.file, nullptr);
    writeString(f.file, "");
    writeString(f.file, "abc");
    EXPECT_EQ(f.all(), "\x00\x00\x01\x00\x00\x04\x00"
                       "abc\x00"s);
    EXPECT_EQ(f.read(), nullptr);
    EXPECT_STREQ(f.read().get(), "");
    EXPECT_STREQ(f.read().get(), "abc");
    // The stream has ended: nothing more is handed out.
    EXPECT_EQ(f.read(), nullptr);
}

TEST(StreamStringRecord, StreamEndingInsideARecordGivesAbsent) {
    for (const std::string& bytes : {"\x05"s, "\x05\x00"
                                              "ab"s}) {
        TmpFile f;
        ASSERT_NE(f.file, nullptr);
        f.put(bytes);
        EXPECT_EQ(f.read(), nullptr);
    }
}

} // namespace
