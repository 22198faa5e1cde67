#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Writes JSON to a stream as it goes, without building a document: objects and arrays are
// opened and closed, and the writer puts the commas and colons in between.
class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out) : m_out(out) {}
    ~JsonWriter() { flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the current object.
    void key(std::string_view name);

    // Code-page bytes, written as UTF-8.
    void codePageString(std::string_view bytes);
    void integer(std::int64_t value);
    // The shortest text that reads back to the same double; null for NaN and infinities,
    // which JSON cannot hold.
    void real(double value);
    void null();

    void flush();
    // False when writing to the stream failed.
    bool ok() const { return m_ok; }

    // A JSON string literal of UTF-8 text, with quotes and escapes.
    static void appendQuoted(std::string& out, std::string_view utf8);

private:
    void beforeValue();
    void put(std::string_view text);

    std::FILE* m_out;
    std::string m_buffer;
    std::string m_scratch;
    // Per open container: whether it already has an element.
    std::vector<bool> m_hasElement;
    bool m_afterKey = false;
    bool m_ok = true;
};
