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
    Archive ar(Load, std::move(data), std::move(fileName));
    ar.m_total = ar.m_data.size();
    return ar;
}

namespace {
constexpr std::size_t kSourcePiece = 1 << 20;
}

Archive Archive::forLoading(std::string fileName, std::uint64_t size, Source source) {
    Archive ar(Load, std::string(), std::move(fileName));
    ar.m_total = size;
    ar.m_source = std::move(source);
    return ar;
}

void Archive::fill(std::size_t count) {
    if (!m_source || m_data.size() - m_pos >= count)
        return;
    m_consumed += m_pos;
    m_data.erase(0, m_pos);
    m_pos = 0;
    const std::uint64_t left = m_total - m_consumed;
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max(count, kSourcePiece), left));
    std::size_t have = m_data.size();
    m_data.resize(want);
    while (have < want) {
        const std::size_t got = std::min(m_source(m_data.data() + have, want - have), want - have);
        have += got;
        if (got == 0) {
            // The data ended before its announced size: that is where it ends.
            m_total = m_consumed + have;
            m_source = nullptr;
            break;
        }
    }
    m_data.resize(have);
}

Archive Archive::forStoring(std::string fileName) {
    return Archive(Store, std::string(), std::move(fileName));
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
    char* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count && remaining() > 0) {
        fill(std::min(count - done, kSourcePiece));
        const std::size_t n = std::min(count - done, m_data.size() - m_pos);
        if (n == 0)
            break;
        std::memcpy(out + done, m_data.data() + m_pos, n);
        m_pos += n;
        done += n;
    }
    return done;
}

void Archive::Write(const void* buffer, std::size_t count) {
    needStoring();
    m_data.append(static_cast<const char*>(buffer), count);
    if (m_sink && m_data.size() >= kSinkPiece)
        flush();
}

const char* Archive::takeSlow(std::size_t count) {
    needLoading();
    fill(count);
    if (m_data.size() - m_pos < count)
        throw ArchiveException(ArchiveException::endOfFile, m_fileName);
    const char* at = m_data.data() + m_pos;
    m_pos += count;
    return at;
}

void Archive::readBytesInto(std::string& text, std::size_t count) {
    if (count > remaining())
        throw ArchiveException(ArchiveException::endOfFile, m_fileName);
    if (count <= kSourcePiece) {
        text.assign(take(count), count);
        return;
    }
    text.resize(count);
    Read(text.data(), count);
}
