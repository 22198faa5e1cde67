#include "tolvex7/StringRecord.h"

#include "platform/Archive.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr unsigned char markerMagic[5] = {0x41, 0xCC, 0x10, 0x00, 0x56};

// Characters of text that fit one record; a longer string is cut so that the stored length
// always matches the bytes that follow it.
std::size_t recordChars(const char* text) {
    return std::min(std::strlen(text), maxStringRecordChars);
}

// A body whose last byte is not the terminator only comes from a damaged file: the string
// then ends at its last byte.
void terminate(char* body, std::size_t n) {
    body[n - 1] = '\0';
}

} // namespace

void writeString(Archive& ar, const char* text) {
    if (!text) {
        ar.writeInt16(0);
        return;
    }
    const std::size_t chars = recordChars(text);
    ar.writeInt16(static_cast<std::int16_t>(chars + 1));
    ar.Write(text, chars);
    ar.writeByte(0);
}

int readString(Archive& ar, char** result) {
    *result = nullptr;
    std::int16_t n = 0;
    try {
        n = ar.readInt16();
    } catch (const ArchiveException&) {
        return 1;
    }
    if (n <= 0)
        return 0;
    const auto size = static_cast<std::size_t>(n);
    auto body = std::make_unique<char[]>(size);
    body[0] = '\0';
    if (ar.Read(body.get(), size) < size)
        return 1;
    terminate(body.get(), size);
    *result = body.release();
    return 0;
}

int readString(Archive& ar, std::string& text, bool* absent) {
    char* raw = nullptr;
    const int failed = readString(ar, &raw);
    const std::unique_ptr<char[]> owned(raw);
    if (absent)
        *absent = !owned;
    text = owned ? std::string(owned.get()) : std::string();
    return failed;
}

void writeString(std::FILE* stream, const char* text) {
    std::size_t chars = 0;
    std::uint16_t n = 0;
    if (text) {
        chars = recordChars(text);
        n = static_cast<std::uint16_t>(chars + 1);
    }
    const unsigned char length[2] = {static_cast<unsigned char>(n & 0xFF),
                                     static_cast<unsigned char>(n >> 8)};
    std::fwrite(length, 1, 2, stream);
    if (!text)
        return;
    std::fwrite(text, 1, chars, stream);
    std::fputc(0, stream);
}

void readString(std::FILE* stream, char** result) {
    *result = nullptr;
    unsigned char length[2];
    if (std::fread(length, 1, 2, stream) != 2)
        return;
    const auto n = static_cast<std::int16_t>(length[0] | (length[1] << 8));
    if (n <= 0)
        return;
    const auto size = static_cast<std::size_t>(n);
    auto body = std::make_unique<char[]>(size);
    if (std::fread(body.get(), 1, size, stream) != size)
        return;
    terminate(body.get(), size);
    *result = body.release();
}

void setMarker(Archive& ar, int value) {
    ar.Write(markerMagic, sizeof markerMagic);
    ar.writeInt32(value);
}

int getMarker(Archive& ar) {
    unsigned char magic[sizeof markerMagic];
    if (ar.Read(magic, sizeof magic) < sizeof magic)
        return -1;
    if (std::memcmp(magic, markerMagic, sizeof magic) != 0)
        return -1;
    return ar.readInt32();
}
