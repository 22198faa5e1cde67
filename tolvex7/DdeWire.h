#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// The frames KDdeClient and KDdeServer exchange over a local socket, and the server's reading
// of them. Everything a peer sends is checked here before any handler sees it: a frame is one
// type byte, a four-byte little-endian payload length and the payload, never longer than
// kMaxPayload, so a peer can make us hold at most one frame.
//
//   Hello       client: "KDDE", version byte, topic
//   HelloReply  server: 1 accepted, 0 refused (the server then ends the conversation)
//   Execute     client: id, command text
//   Request     client: id, item name
//   Poke        client: id, item length (two bytes), item name, value text
//   Reply       server: id, status (0 done, 1 refused), answer text of a request
//
// Ids are four-byte little-endian numbers the client chooses. Texts carry no terminating zero;
// the server adds one before a handler sees them.
namespace DdeWire {

inline constexpr std::size_t kHeaderSize = 5;
inline constexpr std::size_t kMaxPayload = 64 * 1024;
// Service, topic and item names, as long as a DDE string handle may be.
inline constexpr std::size_t kMaxName = 255;
// An item name is read up to this many characters, as DDE reads it.
inline constexpr std::size_t kMaxItem = 999;
inline constexpr std::string_view kMagic = "KDDE";
inline constexpr std::uint8_t kVersion = 1;

enum class FrameType : std::uint8_t {
    Hello = 1,
    HelloReply = 2,
    Execute = 3,
    Request = 4,
    Poke = 5,
    Reply = 6,
};

enum class ReplyStatus : std::uint8_t { Done = 0, Refused = 1 };

struct Frame {
    FrameType type = FrameType::Hello;
    std::string payload;
};

inline void appendU16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

inline void appendU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline std::uint16_t readU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint32_t readU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// A whole frame, or nothing when the payload is too long to send.
inline std::optional<std::string> encode(FrameType type, std::string_view payload) {
    if (payload.size() > kMaxPayload)
        return std::nullopt;
    std::string out;
    out.reserve(kHeaderSize + payload.size());
    out.push_back(static_cast<char>(type));
    appendU32(out, static_cast<std::uint32_t>(payload.size()));
    out.append(payload);
    return out;
}

inline std::optional<std::string> hello(std::string_view topic) {
    if (topic.size() > kMaxName)
        return std::nullopt;
    std::string payload(kMagic);
    payload.push_back(static_cast<char>(kVersion));
    payload.append(topic);
    return encode(FrameType::Hello, payload);
}

inline std::string helloReply(bool accepted) {
    return *encode(FrameType::HelloReply, std::string(1, accepted ? '\1' : '\0'));
}

// An execute or request: the id, then the command or the item name.
inline std::optional<std::string> transaction(FrameType type, std::uint32_t id,
                                              std::string_view text) {
    std::string payload;
    appendU32(payload, id);
    payload.append(text);
    return encode(type, payload);
}

inline std::optional<std::string> poke(std::uint32_t id, std::string_view item,
                                       std::string_view value) {
    if (item.size() > kMaxName)
        return std::nullopt;
    std::string payload;
    appendU32(payload, id);
    appendU16(payload, static_cast<std::uint16_t>(item.size()));
    payload.append(item);
    payload.append(value);
    return encode(FrameType::Poke, payload);
}

// A reply; an answer too long for one frame is cut to what fits.
inline std::string reply(std::uint32_t id, ReplyStatus status, std::string_view answer = {}) {
    std::string payload;
    appendU32(payload, id);
    payload.push_back(static_cast<char>(status));
    payload.append(answer.substr(0, kMaxPayload - payload.size()));
    return *encode(FrameType::Reply, payload);
}

struct ParsedReply {
    std::uint32_t id = 0;
    ReplyStatus status = ReplyStatus::Refused;
    std::string_view answer;
};

inline std::optional<ParsedReply> parseReply(std::string_view payload) {
    if (payload.size() < 5 || static_cast<unsigned char>(payload[4]) > 1)
        return std::nullopt;
    return ParsedReply{readU32(payload, 0), static_cast<ReplyStatus>(payload[4]), payload.substr(5)};
}

// A text up to its first zero byte and at most limit characters.
inline std::string cutText(std::string_view bytes, std::size_t limit) {
    const std::size_t zero = bytes.find('\0');
    return std::string(bytes.substr(0, std::min({zero, limit, bytes.size()})));
}

// Cuts a byte stream into frames. It holds at most one unfinished frame beyond what was fed
// last; a frame of an unknown type or longer than kMaxPayload breaks the stream for good,
// before its payload is waited for.
class FrameReader {
public:
    enum class Status { NeedMore, Ready, Broken };

    void feed(std::string_view bytes) {
        if (m_broken)
            return;
        if (m_pos > 0) {
            m_buffer.erase(0, m_pos);
            m_pos = 0;
        }
        m_buffer.append(bytes);
    }

    Status next(Frame& frame) {
        if (m_broken)
            return Status::Broken;
        const std::string_view rest = std::string_view(m_buffer).substr(m_pos);
        if (rest.size() < kHeaderSize)
            return Status::NeedMore;
        const auto type = static_cast<unsigned char>(rest[0]);
        const std::uint32_t length = readU32(rest, 1);
        if (type < static_cast<unsigned char>(FrameType::Hello) ||
            type > static_cast<unsigned char>(FrameType::Reply) || length > kMaxPayload) {
            m_broken = true;
            m_buffer.clear();
            m_pos = 0;
            return Status::Broken;
        }
        if (rest.size() - kHeaderSize < length)
            return Status::NeedMore;
        frame.type = static_cast<FrameType>(type);
        frame.payload.assign(rest.substr(kHeaderSize, length));
        m_pos += kHeaderSize + length;
        return Status::Ready;
    }

    // Whether part of a frame has arrived and the rest is awaited.
    bool partial() const { return !m_broken && m_pos < m_buffer.size(); }
    bool broken() const { return m_broken; }
    std::size_t held() const { return m_buffer.size(); }

private:
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_broken = false;
};

// What a server does with the transactions of one conversation. The texts handed over are
// terminated; the data pointers stay valid only during the call.
class ServerHandler {
public:
    virtual bool acceptTopic(std::string_view topic) = 0;
    virtual void execute(const char* data) = 0;
    // The answer, which the session copies at once, or null for no answer.
    virtual const char* request(const char* item) = 0;
    virtual void poke(const char* item, const char* data) = 0;

protected:
    ~ServerHandler() = default;
};

// The server's side of one conversation: reads the peer's bytes, calls the handler for each
// well-formed transaction and writes the replies. A transaction it cannot read is refused; a
// stream it cannot follow any more ends the conversation. One frame is handled per step, so
// the caller can stop between two handler calls.
class ServerSession {
public:
    enum class Step {
        NeedMore, // nothing left to handle until more bytes arrive
        Handled,  // one frame handled; replies may have been added to the output
        Close,    // send the output, then end the conversation
    };

    explicit ServerSession(ServerHandler& handler) : m_handler(handler) {}

    void feed(std::string_view bytes) { m_reader.feed(bytes); }

    Step step(std::string& out) {
        if (m_closed)
            return Step::Close;
        Frame frame;
        switch (m_reader.next(frame)) {
        case FrameReader::Status::NeedMore:
            return Step::NeedMore;
        case FrameReader::Status::Broken:
            return close();
        case FrameReader::Status::Ready:
            break;
        }
        if (!m_connected)
            return greet(frame, out);
        switch (frame.type) {
        case FrameType::Execute:
        case FrameType::Request:
        case FrameType::Poke:
            return handle(frame, out);
        default:
            return close();
        }
    }

    bool connected() const { return m_connected; }
    bool partial() const { return m_reader.partial(); }
    std::size_t held() const { return m_reader.held(); }

private:
    Step close() {
        m_closed = true;
        return Step::Close;
    }

    static bool isTransaction(FrameType type) {
        return type == FrameType::Execute || type == FrameType::Request || type == FrameType::Poke;
    }

    Step greet(const Frame& frame, std::string& out) {
        if (frame.type != FrameType::Hello) {
            // A transaction before the hello has no conversation to run in.
            if (isTransaction(frame.type) && frame.payload.size() >= 4)
                out += reply(readU32(frame.payload, 0), ReplyStatus::Refused);
            return close();
        }
        const std::string_view payload = frame.payload;
        const std::size_t head = kMagic.size() + 1;
        if (payload.size() < head || payload.substr(0, kMagic.size()) != kMagic ||
            static_cast<std::uint8_t>(payload[kMagic.size()]) != kVersion ||
            payload.size() - head > kMaxName) {
            out += helloReply(false);
            return close();
        }
        const bool accepted = m_handler.acceptTopic(payload.substr(head));
        out += helloReply(accepted);
        if (!accepted)
            return close();
        m_connected = true;
        return Step::Handled;
    }

    Step handle(const Frame& frame, std::string& out) {
        const std::string_view payload = frame.payload;
        if (payload.size() < 4)
            return close();
        const std::uint32_t id = readU32(payload, 0);
        const std::string_view body = payload.substr(4);
        if (frame.type == FrameType::Execute) {
            const std::string data(body);
            m_handler.execute(data.c_str());
            out += reply(id, ReplyStatus::Done);
        } else if (frame.type == FrameType::Request) {
            const std::string item = cutText(body, kMaxItem);
            const char* answer = m_handler.request(item.c_str());
            if (!answer) {
                out += reply(id, ReplyStatus::Refused);
            } else {
                // Never read further than one frame can carry, whatever the handler returned.
                const std::size_t room = kMaxPayload - 5;
                out += reply(id, ReplyStatus::Done, std::string_view(answer, strnlen(answer, room)));
            }
        } else {
            if (body.size() < 2 || readU16(body, 0) > body.size() - 2) {
                out += reply(id, ReplyStatus::Refused);
                return Step::Handled;
            }
            const std::size_t itemLength = readU16(body, 0);
            const std::string item = cutText(body.substr(2, itemLength), kMaxItem);
            const std::string data(body.substr(2 + itemLength));
            m_handler.poke(item.c_str(), data.c_str());
            out += reply(id, ReplyStatus::Done);
        }
        return Step::Handled;
    }

    ServerHandler& m_handler;
    FrameReader m_reader;
    bool m_connected = false;
    bool m_closed = false;
};

} // namespace DdeWire
