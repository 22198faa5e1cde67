// An example client on libtolvex7: one execute, request or poke to a topic of a service.
//
//     dde-voorbeeld-client DIENST ONDERWERP execute OPDRACHT
//     dde-voorbeeld-client DIENST ONDERWERP request ITEM
//     dde-voorbeeld-client DIENST ONDERWERP poke ITEM WAARDE
//
// Exit status 0 when it was done, 1 without connection or answer, 2 when it could not be sent,
// 3 for a wrong command line.
#include "platform/CodePage.h"
#include "tolvex7/KDdeClient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

void say(const std::string& line) {
    std::printf("%s\n", CodePage::toUtf8(line).c_str());
    std::fflush(stdout);
}

class ExampleClient : public KDdeClient {
public:
    ExampleClient(const std::string& service, const std::string& topic)
        : KDdeClient(service.c_str(), topic.c_str()) {}

    // Waits for the server to confirm a poke; nothing when it does not within the time.
    std::optional<std::string> confirmation(int milliseconds) {
        if (!m_confirmed) {
            QEventLoop loop;
            m_loop = &loop;
            QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
            loop.exec();
            m_loop = nullptr;
        }
        return m_confirmed;
    }

protected:
    void OnData(const char* text) override {
        m_confirmed = text;
        if (m_loop)
            m_loop->quit();
    }

private:
    std::optional<std::string> m_confirmed;
    QEventLoop* m_loop = nullptr;
};

int sent(int result) {
    say(result == KDdeClient::kSent           ? "verzonden"
        : result == KDdeClient::kNoConnection ? "geen verbinding"
                                              : "niet verzonden");
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    std::vector<std::string> args;
    for (const QString& argument : arguments.mid(1))
        args.push_back(CodePage::fromQString(argument));
    const bool fits = args.size() >= 4 && ((args[2] == "execute" && args.size() == 4) ||
                                           (args[2] == "request" && args.size() == 4) ||
                                           (args[2] == "poke" && args.size() == 5));
    if (!fits) {
        std::fprintf(stderr, "gebruik: dde-voorbeeld-client DIENST ONDERWERP execute OPDRACHT\n"
                             "         dde-voorbeeld-client DIENST ONDERWERP request ITEM\n"
                             "         dde-voorbeeld-client DIENST ONDERWERP poke ITEM WAARDE\n");
        return 3;
    }
    ExampleClient client(args[0], args[1]);
    if (args[2] == "execute")
        return sent(client.Execute(args[3].c_str()));
    if (args[2] == "request") {
        const char* answer = client.Request(args[3].c_str(), 5000);
        say(answer ? answer : "geen antwoord");
        return answer ? 0 : 1;
    }
    const int result = client.Poke(args[3].c_str(), args[4].c_str());
    if (result != KDdeClient::kSent)
        return sent(result);
    const auto confirmed = client.confirmation(5000);
    say(confirmed ? "aangekomen: " + *confirmed : "geen bevestiging");
    return confirmed ? 0 : 1;
}
