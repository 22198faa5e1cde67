// Any bytes a client sends end in handled transactions, refusals or the end of the
// conversation: never a crash, a read past a text, or more held than one frame. The first
// byte chooses how the rest arrives (0: at once, else in pieces of that many bytes).
#include "tolvex7/DdeWire.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

class Handler : public DdeWire::ServerHandler {
public:
    bool acceptTopic(std::string_view topic) override { return topic == "Leden"; }
    // Reading the texts to their end lets the address sanitizer see a missing terminator.
    void execute(const char* data) override { m_seen += std::strlen(data); }
    const char* request(const char* item) override {
        const std::size_t length = std::strlen(item);
        if (length > DdeWire::kMaxItem)
            fail("an item name longer than 999 characters reached the handler");
        if (length == 0)
            return nullptr;
        static const std::string tooLong(DdeWire::kMaxPayload * 2, 'a');
        return item[0] == 'L' ? tooLong.c_str() : item;
    }
    void poke(const char* item, const char* data) override {
        if (std::strlen(item) > DdeWire::kMaxItem)
            fail("a poked item name longer than 999 characters reached the handler");
        m_seen += std::strlen(data);
    }

private:
    std::size_t m_seen = 0;
};

// Every frame the server writes must be one a client can read.
void checkReplies(const std::string& out) {
    DdeWire::FrameReader reader;
    reader.feed(out);
    DdeWire::Frame frame;
    DdeWire::FrameReader::Status status;
    while ((status = reader.next(frame)) == DdeWire::FrameReader::Status::Ready) {
        if (frame.type == DdeWire::FrameType::Reply && !DdeWire::parseReply(frame.payload))
            fail("the server wrote a reply a client cannot read");
        if (frame.type != DdeWire::FrameType::Reply && frame.type != DdeWire::FrameType::HelloReply)
            fail("the server wrote a frame that is not a reply");
    }
    if (status != DdeWire::FrameReader::Status::NeedMore || reader.partial())
        fail("the server wrote a broken frame");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t piece = data[0] == 0 ? size : data[0];
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
    Handler handler;
    DdeWire::ServerSession session(handler);
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        const std::string_view bytes = stream.substr(at, piece);
        session.feed(bytes);
        std::string out;
        DdeWire::ServerSession::Step step;
        while ((step = session.step(out)) == DdeWire::ServerSession::Step::Handled) {
        }
        checkReplies(out);
        if (session.held() > DdeWire::kHeaderSize + DdeWire::kMaxPayload + bytes.size())
            fail("the session holds more than one frame");
        if (step == DdeWire::ServerSession::Step::Close)
            break;
    }
    return 0;
}
