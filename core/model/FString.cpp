#include "core/model/FString.h"

#include "platform/Archive.h"
#include "platform/CodePage.h"

#include <cstdint>
#include <cstring>

namespace {

// Returns the length and whether it counts 16-bit units.
std::uint64_t readLength(Archive& ar, bool& wide) {
    std::uint8_t b = ar.readByte();
    if (b < 0xFF)
        return b;
    std::uint16_t w = ar.readUInt16();
    if (w == 0xFFFE) {
        if (wide) // a second wide mark is no string this program or any other writes
            throw ArchiveException(ArchiveException::genericException, ar.fileName());
        wide = true;
        return readLength(ar, wide);
    }
    if (w < 0xFFFF)
        return w;
    return ar.readUInt32();
}

} // namespace

void writeFString(Archive& ar, const std::string& text) {
    const std::size_t n = text.size();
    if (n < 255) {
        ar.writeByte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        ar.writeByte(0xFF);
        ar.writeUInt16(static_cast<std::uint16_t>(n));
    } else {
        ar.writeByte(0xFF);
        ar.writeUInt16(0xFFFF);
        ar.writeUInt32(static_cast<std::uint32_t>(n));
    }
    ar.Write(text.data(), n);
}

void readFStringInto(Archive& ar, std::string& text) {
    bool wide = false;
    const std::uint64_t length = readLength(ar, wide);
    const std::uint64_t bytes = wide ? length * 2 : length;
    if (bytes > ar.remaining())
        throw ArchiveException(ArchiveException::endOfFile, ar.fileName());
    if (!wide) {
        ar.readBytesInto(text, static_cast<std::size_t>(bytes));
        return;
    }
    std::string raw;
    ar.readBytesInto(raw, static_cast<std::size_t>(bytes));
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    std::memcpy(units.data(), raw.data(), raw.size());
    text = CodePage::fromUtf16(units);
}

std::string readFString(Archive& ar) {
    std::string text;
    readFStringInto(ar, text);
    return text;
}

std::string& readScratch() {
    thread_local std::string scratch;
    return scratch;
}
