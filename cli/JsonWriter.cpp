#include "cli/JsonWriter.h"

#include "platform/CodePage.h"

#include <charconv>
#include <cmath>

namespace {
constexpr std::size_t kFlushSize = 1 << 16;
}

void JsonWriter::put(std::string_view text) {
    m_buffer.append(text);
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void JsonWriter::flush() {
    if (m_buffer.empty())
        return;
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) != m_buffer.size())
        m_ok = false;
    m_buffer.clear();
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasElement.empty()) {
        if (m_hasElement.back())
            put(",");
        m_hasElement.back() = true;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    put("{");
    m_hasElement.push_back(false);
}

void JsonWriter::endObject() {
    m_hasElement.pop_back();
    put("}");
}

void JsonWriter::beginArray() {
    beforeValue();
    put("[");
    m_hasElement.push_back(false);
}

void JsonWriter::endArray() {
    m_hasElement.pop_back();
    put("]");
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    m_scratch.clear();
    appendQuoted(m_scratch, name);
    m_scratch += ':';
    put(m_scratch);
    m_afterKey = true;
}

void JsonWriter::codePageString(std::string_view bytes) {
    beforeValue();
    m_scratch.clear();
    appendQuoted(m_scratch, CodePage::toUtf8(bytes));
    put(m_scratch);
}

void JsonWriter::integer(std::int64_t value) {
    beforeValue();
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    put(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

void JsonWriter::real(double value) {
    if (!std::isfinite(value)) {
        null();
        return;
    }
    beforeValue();
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    put(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

void JsonWriter::null() {
    beforeValue();
    put("null");
}

void JsonWriter::appendQuoted(std::string& out, std::string_view utf8) {
    static const char* hexDigits = "0123456789abcdef";
    out += '"';
    std::size_t run = 0; // start of the characters that need no escape
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto u = static_cast<unsigned char>(utf8[i]);
        if (u >= 0x20 && u != '"' && u != '\\')
            continue;
        out.append(utf8.substr(run, i - run));
        run = i + 1;
        if (u >= 0x20) {
            out += '\\';
            out += static_cast<char>(u);
        } else {
            const char escape[6] = {'\\', 'u', '0', '0', hexDigits[u >> 4], hexDigits[u & 15]};
            out.append(escape, sizeof escape);
        }
    }
    out.append(utf8.substr(run));
    out += '"';
}
