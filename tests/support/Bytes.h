#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Builds member-file bytes by hand, item by item, least significant byte first.
class Bytes {
public:
    Bytes& byte(int b) {
        m_data += static_cast<char>(b);
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return raw(&v, 2); }
    Bytes& i32(std::int32_t v) { return raw(&v, 4); }
    Bytes& real(double v) { return raw(&v, 8); }
    Bytes& marker(std::int32_t version) {
        m_data += std::string("\x41\xCC\x10\x00\x56", 5);
        return i32(version);
    }
    // The member file's length-prefixed string (short form only, enough for tests).
    Bytes& fstr(const std::string& s) {
        byte(static_cast<int>(s.size()));
        m_data += s;
        return *this;
    }
    // The helper library's string record: 16-bit length with the terminating zero.
    Bytes& hstr(const std::string& s) {
        u16(static_cast<std::uint16_t>(s.size() + 1));
        m_data += s;
        m_data += '\0';
        return *this;
    }
    Bytes& str(const std::string& s) {
        m_data += s;
        return *this;
    }
    const std::string& data() const { return m_data; }
    operator const std::string&() const { return m_data; }

private:
    Bytes& raw(const void* p, std::size_t n) {
        m_data.append(static_cast<const char*>(p), n);
        return *this;
    }
    std::string m_data;
};

// "41 CC 10 00" for readable failure messages.
inline std::string hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
