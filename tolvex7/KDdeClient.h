#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <memory>

class KDdeClientPrivate;

// Talks to one topic of a service that a KDdeServer offers, in this or another program of the
// same user: execute, request and poke.
//
// Derive from it, pass the service and topic names to the constructor and supply OnData:
//
//     class ClubClient : public KDdeClient {
//     public:
//         ClubClient() : KDdeClient("Korvel", "Leden") {}
//     protected:
//         void OnData(const char* text) override { std::printf("aangekomen: %s\n", text); }
//     };
//
//     ClubClient client;
//     const char* count = client.Request("aantal", 2000); // null: no server or no answer
//     std::string copy = count ? count : "";              // the buffer is shared: copy it
//     client.Poke("status", "bezig");                     // OnData("bezig") once it arrived
//
// The connection is made at the first call and kept; when the server goes away, the client
// forgets the conversation and the next call connects again. Execute and poke are sent
// without waiting; a poke the server has handled is reported to OnData with the value, from
// the thread's event loop. Request waits for its answer and meanwhile keeps the thread's event
// loop running, so the server may live in the same program, and the caller must expect other
// events, also re-entry, during the call. Ten clients can exist at a time in a program; an
// eleventh says so and stays unusable.
class TOLVEX7_EXPORT KDdeClient {
public:
    // The results of Execute and Poke.
    static constexpr int kSent = 0;
    static constexpr int kNoConnection = 1;
    static constexpr int kFailed = 2;

    virtual ~KDdeClient();

    KDdeClient(const KDdeClient&) = delete;
    KDdeClient& operator=(const KDdeClient&) = delete;

    // Sends the command: kSent, kNoConnection (no server with that service and topic), or
    // kFailed (the command could not be sent, e.g. longer than 64 KB).
    int Execute(const char* command);
    // The server's answer for the item, cut to 999 characters, or null when there is no
    // connection, no answer within timeout milliseconds, or the server has none. The answer
    // lies in a buffer of 1,000 bytes that the next Request of any client overwrites.
    const char* Request(const char* item, unsigned int timeout);
    // Sends the value to the item; the results as for Execute.
    int Poke(const char* item, const char* value);

    // Whether the constructor found a slot.
    bool isUsable() const;
    // The slot the object holds, 10 to 19, or -1 when it holds none.
    int slot() const;
    // Whether a conversation with the server is open.
    bool isConnected() const;

protected:
    KDdeClient(const char* service, const char* topic);

    // The value of a poke the server has handled, cut to 999 characters.
    virtual void OnData(const char* text) = 0;

private:
    friend class KDdeClientPrivate;
    std::unique_ptr<KDdeClientPrivate> d;
};
