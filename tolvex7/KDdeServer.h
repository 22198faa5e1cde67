#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <memory>

class KDdeServerPrivate;

// Offers one topic of a service to KDdeClient objects of this and other programs of the same
// user, and answers their execute, request and poke transactions.
//
// Derive from it, pass the service and topic names to the constructor and supply the three
// handlers:
//
//     class ClubServer : public KDdeServer {
//     public:
//         ClubServer() : KDdeServer("Korvel", "Leden") {}
//     protected:
//         void OnExecute(const void* data) override { run(static_cast<const char*>(data)); }
//         const char* OnRequest(const char* item) override {
//             m_answer = answerFor(item);
//             return m_answer.c_str();
//         }
//         void OnPoke(const char* item, const void* data) override { store(item, data); }
//     private:
//         std::string m_answer;
//     };
//
// The server answers through the thread's event loop, so the object must live on a thread that
// runs one (the user-interface thread in a program). The service is a local socket named after
// the service; names are not case-sensitive and must not hold a slash or backslash. A client
// whose topic is not this object's topic is refused at connection. Ten servers can exist at a
// time in a program; an eleventh, or one whose service is already offered elsewhere, says so
// and stays unusable (isRegistered() false).
//
// The handlers run on the server's thread while a client waits, so they should be short. They
// may show windows; transactions that arrive meanwhile wait their turn. Texts are Windows-1252
// bytes, terminated; what a client sent is handed over whole, item names cut to 999
// characters.
class TOLVEX7_EXPORT KDdeServer {
public:
    virtual ~KDdeServer();

    KDdeServer(const KDdeServer&) = delete;
    KDdeServer& operator=(const KDdeServer&) = delete;

    // Whether the service is offered: the constructor found a slot and the name.
    bool isRegistered() const;
    // The slot the object holds, 0 to 9, or -1 when it holds none.
    int slot() const;
    // How many clients are connected right now.
    int conversationCount() const;

protected:
    KDdeServer(const char* service, const char* topic);

    // The command text of an execute.
    virtual void OnExecute(const void* data) = 0;
    // The answer to a request for the item, or null for none. The text stays the server's
    // own; it is copied before anything else happens.
    virtual const char* OnRequest(const char* item) = 0;
    // The value text poked to the item.
    virtual void OnPoke(const char* item, const void* data) = 0;

private:
    friend class KDdeServerPrivate;
    std::unique_ptr<KDdeServerPrivate> d;
};
