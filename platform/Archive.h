#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

// An archive error while a file is read or written; the causes keep the framework's numbers.
class ArchiveException : public std::exception {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badSchema = 7 // the data is not of a kind or version this program reads
    };

    ArchiveException(Cause cause, std::string fileName)
        : m_cause(cause), m_fileName(std::move(fileName)) {}

    Cause cause() const { return m_cause; }
    const std::string& fileName() const { return m_fileName; }
    const char* what() const noexcept override;

private:
    Cause m_cause;
    std::string m_fileName;
};

// A little-endian binary stream over bytes in memory, either loading or storing.
// Raw Read() returns how many bytes arrived; the typed extractions throw endOfFile when the data
// runs out. Writing to a loading archive throws readOnly, reading from a storing one writeOnly.
class Archive {
public:
    enum Mode { Load, Store };

    // A loading archive over a copy of the given bytes.
    static Archive forLoading(std::string data, std::string fileName = {});
    // A loading archive that takes size bytes from the source a piece at a time, so that a
    // large file is never held whole. The source fills up to max bytes and returns how many it
    // gave; 0 ends the data early.
    using Source = std::function<std::size_t(char* buffer, std::size_t max)>;
    static Archive forLoading(std::string fileName, std::uint64_t size, Source source);
    static Archive forStoring(std::string fileName = {});
    // A storing archive that hands its bytes to the sink in pieces instead of keeping them all,
    // so that a large file is never held in memory. The sink returns false when it failed.
    using Sink = std::function<bool(std::string_view bytes)>;
    static Archive forStoring(std::string fileName, Sink sink);
    // Storing with a sink: hands over what is still buffered. False once the sink has failed.
    bool flush();

    bool IsLoading() const { return m_mode == Load; }
    bool IsStoring() const { return m_mode == Store; }
    const std::string& fileName() const { return m_fileName; }

    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);

    // The typed items are read and written in the caller's code while the buffer has room:
    // a member file is millions of small items.
    void writeByte(std::uint8_t value) { put(&value, 1); }
    void writeUInt16(std::uint16_t value) { put(&value, 2); }
    void writeInt16(std::int16_t value) { writeUInt16(static_cast<std::uint16_t>(value)); }
    void writeInt32(std::int32_t value) { put(&value, 4); }
    void writeUInt32(std::uint32_t value) { writeInt32(static_cast<std::int32_t>(value)); }
    void writeDouble(double value) { put(&value, 8); }

    std::uint8_t readByte() { return static_cast<std::uint8_t>(*take(1)); }
    std::uint16_t readUInt16() { return extract<std::uint16_t>(); }
    std::int16_t readInt16() { return static_cast<std::int16_t>(readUInt16()); }
    std::int32_t readInt32() { return extract<std::int32_t>(); }
    std::uint32_t readUInt32() { return static_cast<std::uint32_t>(readInt32()); }
    double readDouble() { return extract<double>(); }
    // Reads count bytes into text, replacing what it held; throws endOfFile as the typed
    // extractions do when fewer remain.
    void readBytesInto(std::string& text, std::size_t count);

    // Loading: bytes not yet read. Storing: bytes written so far.
    std::size_t remaining() const {
        return m_mode == Load ? static_cast<std::size_t>(m_total - m_consumed - m_pos)
                              : m_handedOver + m_data.size() - m_pos;
    }
    std::size_t position() const { return static_cast<std::size_t>(m_consumed) + m_pos; }
    const std::string& data() const { return m_data; }
    std::string takeData() { return std::move(m_data); }

private:
    Archive(Mode mode, std::string data, std::string fileName)
        : m_mode(mode), m_data(std::move(data)), m_fileName(std::move(fileName)) {}

    void needLoading() const;
    void needStoring() const;
    // Checks that count bytes remain for a typed extraction and returns where they start.
    const char* take(std::size_t count) {
        if (m_mode == Load && m_data.size() - m_pos >= count) {
            const char* at = m_data.data() + m_pos;
            m_pos += count;
            return at;
        }
        return takeSlow(count);
    }
    const char* takeSlow(std::size_t count);
    template <class V> V extract() {
        V v;
        std::memcpy(&v, take(sizeof v), sizeof v);
        return v;
    }
    // The bytes a storing archive gathers before it hands them to its sink.
    static constexpr std::size_t kSinkPiece = 1 << 20;
    void put(const void* bytes, std::size_t count) {
        if (m_mode == Store && m_data.size() + count < kSinkPiece) {
            m_data.append(static_cast<const char*>(bytes), count);
            return;
        }
        Write(bytes, count);
    }
    // Loading from a source: makes count bytes (as far as the data goes) ready in the buffer.
    void fill(std::size_t count);

    Mode m_mode;
    std::string m_data;
    std::size_t m_pos = 0;
    std::string m_fileName;
    Sink m_sink;
    Source m_source;
    std::uint64_t m_total = 0;    // loading: all bytes of the data
    std::uint64_t m_consumed = 0; // loading: bytes dropped from the front of the buffer
    std::size_t m_handedOver = 0;
    bool m_sinkFailed = false;
};
