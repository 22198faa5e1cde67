#include "platform/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the archive writes the host's bytes directly and needs a little-endian host");

const char* ArchiveException::what() const noexcept {
    switch (m_cause) {
    case readOnly:
        return "archive is read-only";
    case endOfFile:
        return "unexpected end of file";
    case writeOnly:
        return "archive is write-only";
    default:
        return "archive error";
    }
}

Archive Archive::forLoading(std::string data, std::string fileName) {
    return Archive(Load, std::move(data), std::move(fileName));
}

Archive Archive::forStoring(std::string fileName) {
    return Archive(Store, std::string(), std::move(fileName));
}

namespace {
constexpr std::size_t kSinkPiece = 1 << 20;
}

Archive Archive::forStoring(std::string fileName, Sink sink) {
    Archive ar(Store, std::string(), std::move(fileName));
    ar.m_sink = std::move(sink);
    ar.m_data.reserve(kSinkPiece + 64);
    return ar;
}

bool Archive::flush() {
    needStoring();
    if (m_sink && !m_data.empty()) {
        if (!m_sinkFailed && !m_sink(m_data))
            m_sinkFailed = true;
        m_handedOver += m_data.size();
        m_data.clear();
    }
    return !m_sinkFailed;
}

void Archive::needLoading() const {
    if (m_mode != Load)
        throw ArchiveException(ArchiveException::writeOnly, m_fileName);
}

void Archive::needStoring() const {
    if (m_mode != Store)
        throw ArchiveException(ArchiveException::readOnly, m_fileName);
}

std::size_t Archive::Read(void* buffer, std::size_t count) {
    needLoading();
    std::size_t n = std::min(count, remaining());
    if (n > 0)
        std::memcpy(buffer, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

void Archive::Write(const void* buffer, std::size_t count) {
    needStoring();
    m_data.append(static_cast<const char*>(buffer), count);
    if (m_sink && m_data.size() >= kSinkPiece)
        flush();
}

const char* Archive::take(std::size_t count) {
    needLoading();
    if (remaining() < count)
        throw ArchiveException(ArchiveException::endOfFile, m_fileName);
    const char* at = m_data.data() + m_pos;
    m_pos += count;
    return at;
}

void Archive::writeByte(std::uint8_t value) { Write(&value, 1); }
void Archive::writeUInt16(std::uint16_t value) { Write(&value, 2); }
void Archive::writeInt32(std::int32_t value) { Write(&value, 4); }
void Archive::writeDouble(double value) { Write(&value, 8); }

std::uint8_t Archive::readByte() { return static_cast<std::uint8_t>(*take(1)); }

std::uint16_t Archive::readUInt16() {
    std::uint16_t v;
    std::memcpy(&v, take(2), 2);
    return v;
}

std::int32_t Archive::readInt32() {
    std::int32_t v;
    std::memcpy(&v, take(4), 4);
    return v;
}

double Archive::readDouble() {
    double v;
    std::memcpy(&v, take(8), 8);
    return v;
}
