#include "tolvex7/DdeWire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace DdeWire;

namespace {

// Records what the session hands over and answers requests from a table.
class Recorder : public ServerHandler {
public:
    bool acceptTopic(std::string_view topic) override {
        topics.emplace_back(topic);
        return topic == "Leden";
    }
    void execute(const char* data) override { calls.push_back("execute " + std::string(data)); }
    const char* request(const char* item) override {
        calls.push_back("request " + std::string(item));
        return std::string(item) == "naam" ? answer.c_str() : nullptr;
    }
    void poke(const char* item, const char* data) override {
        calls.push_back("poke " + std::string(item) + "=" + std::string(data));
    }

    std::vector<std::string> topics;
    std::vector<std::string> calls;
    std::string answer = "Korvel";
};

// Every frame the bytes hold; stops at the first broken one.
std::vector<Frame> framesOf(const std::string& bytes) {
    FrameReader reader;
    reader.feed(bytes);
    std::vector<Frame> frames;
    Frame frame;
    while (reader.next(frame) == FrameReader::Status::Ready)
        frames.push_back(frame);
    return frames;
}

struct Replies {
    std::vector<Frame> frames;
    ServerSession::Step last;
};

// Runs the session over the bytes until it needs more or closes.
Replies run(ServerSession& session, const std::string& bytes) {
    session.feed(bytes);
    std::string out;
    ServerSession::Step step;
    while ((step = session.step(out)) == ServerSession::Step::Handled) {
    }
    return {framesOf(out), step};
}

std::string header(FrameType type, std::uint32_t length) {
    std::string out(1, static_cast<char>(type));
    appendU32(out, length);
    return out;
}

ParsedReply replyOf(const Frame& frame) {
    EXPECT_EQ(frame.type, FrameType::Reply);
    return parseReply(frame.payload).value_or(ParsedReply{});
}

const std::string kHello = *hello("Leden");

} // namespace

TEST(DdeWire, FramesSurviveArrivingByteByByte) {
    const std::string stream = kHello + *transaction(FrameType::Execute, 7, "open") +
                               *poke(8, "status", std::string("a\0b", 3)) +
                               reply(9, ReplyStatus::Done, "antwoord");
    FrameReader reader;
    std::vector<Frame> frames;
    for (char c : stream) {
        reader.feed(std::string(1, c));
        Frame frame;
        while (reader.next(frame) == FrameReader::Status::Ready)
            frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_FALSE(reader.partial());
    EXPECT_EQ(frames[1].type, FrameType::Execute);
    EXPECT_EQ(frames[1].payload, std::string("\7\0\0\0open", 8));
    EXPECT_EQ(frames[2].payload, std::string("\x08\0\0\0\x06\0statusa\0b", 15));
    const ParsedReply parsed = replyOf(frames[3]);
    EXPECT_EQ(parsed.id, 9u);
    EXPECT_EQ(parsed.answer, "antwoord");
}

TEST(DdeWire, OversizedOrUnknownFramesBreakTheStreamAtOnce) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"a length of 4 GB", header(FrameType::Execute, 0xFFFFFFFFu)},
        {"one byte over the limit", header(FrameType::Request, kMaxPayload + 1)},
        {"type 0", std::string("\0\1\0\0\0x", 6)},
        {"type 7", std::string("\7\1\0\0\0x", 6)},
    };
    for (const Case& c : cases) {
        FrameReader reader;
        reader.feed(c.bytes);
        Frame frame;
        EXPECT_EQ(reader.next(frame), FrameReader::Status::Broken) << c.what;
        reader.feed(std::string(1000, 'x'));
        EXPECT_EQ(reader.held(), 0u) << c.what << ": nothing is kept after the break";
        EXPECT_EQ(reader.next(frame), FrameReader::Status::Broken) << c.what;
    }
    EXPECT_FALSE(encode(FrameType::Execute, std::string(kMaxPayload + 1, 'x')));
    EXPECT_TRUE(encode(FrameType::Execute, std::string(kMaxPayload, 'x')));
}

TEST(DdeServerSession, ConversationOfTheThreeTransactions) {
    Recorder handler;
    ServerSession session(handler);
    std::string stream = kHello;
    stream += *transaction(FrameType::Execute, 1, "open");
    stream += *transaction(FrameType::Request, 2, "naam");
    stream += *transaction(FrameType::Request, 3, "onbekend");
    stream += *poke(4, "status", "bezig");
    const Replies replies = run(session, stream);
    EXPECT_EQ(replies.last, ServerSession::Step::NeedMore);
    EXPECT_TRUE(session.connected());
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"execute open", "request naam",
                                                       "request onbekend", "poke status=bezig"}));
    ASSERT_EQ(replies.frames.size(), 5u);
    EXPECT_EQ(replies.frames[0].type, FrameType::HelloReply);
    EXPECT_EQ(replies.frames[0].payload, "\1");
    const ParsedReply named = replyOf(replies.frames[2]);
    EXPECT_EQ(named.id, 2u);
    EXPECT_EQ(named.status, ReplyStatus::Done);
    EXPECT_EQ(named.answer, "Korvel");
    EXPECT_EQ(replyOf(replies.frames[3]).status, ReplyStatus::Refused) << "no answer is refused";
    EXPECT_EQ(replyOf(replies.frames[4]).status, ReplyStatus::Done);
}

TEST(DdeServerSession, HelloThatIsNotOneEndsTheConversation) {
    std::string wrongVersion = std::string(kMagic) + '\2' + "Leden";
    struct Case {
        const char* what;
        std::string bytes;
        bool replied;
    };
    const Case cases[] = {
        {"another topic", *hello("Anders"), true},
        {"wrong magic", *encode(FrameType::Hello, "XDDE\1Leden"), true},
        {"wrong version", *encode(FrameType::Hello, wrongVersion), true},
        {"topic too long", *encode(FrameType::Hello, "KDDE\1" + std::string(256, 'a')), true},
        {"a reply instead", reply(1, ReplyStatus::Done), false},
        {"a broken header", header(FrameType::Hello, 0x7FFFFFFF), false},
    };
    for (const Case& c : cases) {
        Recorder handler;
        ServerSession session(handler);
        const Replies replies = run(session, c.bytes);
        EXPECT_EQ(replies.last, ServerSession::Step::Close) << c.what;
        EXPECT_FALSE(session.connected()) << c.what;
        ASSERT_EQ(replies.frames.size(), c.replied ? 1u : 0u) << c.what;
        if (c.replied) {
            EXPECT_EQ(replies.frames[0].type, FrameType::HelloReply) << c.what;
            EXPECT_EQ(replies.frames[0].payload, std::string(1, '\0')) << c.what;
        }
        EXPECT_TRUE(handler.calls.empty()) << c.what;
    }
}

TEST(DdeServerSession, TransactionBeforeHelloIsRefused) {
    Recorder handler;
    ServerSession session(handler);
    const Replies replies = run(session, *transaction(FrameType::Execute, 5, "open") + kHello);
    EXPECT_EQ(replies.last, ServerSession::Step::Close);
    ASSERT_EQ(replies.frames.size(), 1u);
    EXPECT_EQ(replyOf(replies.frames[0]).id, 5u);
    EXPECT_EQ(replyOf(replies.frames[0]).status, ReplyStatus::Refused);
    EXPECT_TRUE(handler.calls.empty());
    EXPECT_TRUE(handler.topics.empty()) << "nothing after the refusal is read";
}

TEST(DdeServerSession, TextsAreCutAndTerminatedBeforeTheHandlerSeesThem) {
    Recorder handler;
    handler.answer = std::string(kMaxPayload + 10, 'a');
    ServerSession session(handler);
    std::string stream = kHello;
    stream += *transaction(FrameType::Request, 1, std::string(1200, 'b'));
    stream += *transaction(FrameType::Request, 2, std::string("naam\0rest", 9));
    stream += *transaction(FrameType::Execute, 3, std::string("stop\0daarna", 11));
    stream += *encode(FrameType::Poke, std::string("\4\0\0\0\x09\0st", 8)); // item runs out
    stream += *encode(FrameType::Poke, std::string("\5\0\0\0", 4));          // no item length
    stream += *transaction(FrameType::Execute, 6, "");
    const Replies replies = run(session, stream);
    EXPECT_EQ(replies.last, ServerSession::Step::NeedMore) << "a bad poke keeps the stream";
    ASSERT_EQ(handler.calls.size(), 4u);
    EXPECT_EQ(handler.calls[0], "request " + std::string(999, 'b'));
    EXPECT_EQ(handler.calls[1], "request naam");
    EXPECT_EQ(handler.calls[2], "execute stop");
    EXPECT_EQ(handler.calls[3], "execute ");
    ASSERT_EQ(replies.frames.size(), 7u);
    const ParsedReply cut = replyOf(replies.frames[2]);
    EXPECT_EQ(cut.answer.size(), kMaxPayload - 5) << "an answer is cut to one frame";
    EXPECT_EQ(replyOf(replies.frames[4]).status, ReplyStatus::Refused);
    EXPECT_EQ(replyOf(replies.frames[5]).status, ReplyStatus::Refused);
    EXPECT_EQ(replyOf(replies.frames[6]).status, ReplyStatus::Done);
}

TEST(DdeServerSession, OnlyTransactionsFollowTheHello) {
    for (const std::string& bad : {kHello, reply(1, ReplyStatus::Done), helloReply(true),
                                   *encode(FrameType::Execute, "abc")}) {
        Recorder handler;
        ServerSession session(handler);
        const Replies replies = run(session, kHello + bad);
        EXPECT_EQ(replies.last, ServerSession::Step::Close) << static_cast<int>(bad[0]);
        EXPECT_EQ(replies.frames.size(), 1u) << "only the first hello was answered";
        EXPECT_TRUE(handler.calls.empty());
    }
}

TEST(DdeServerSession, PartialFrameIsAwaited) {
    Recorder handler;
    ServerSession session(handler);
    const std::string execute = *transaction(FrameType::Execute, 1, "open");
    run(session, kHello + execute.substr(0, 6));
    EXPECT_TRUE(session.partial());
    EXPECT_TRUE(handler.calls.empty());
    run(session, execute.substr(6));
    EXPECT_FALSE(session.partial());
    EXPECT_EQ(handler.calls, std::vector<std::string>{"execute open"});
}
