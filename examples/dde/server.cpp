// An example server on libtolvex7. It offers a topic of a service, keeps every value poked to
// it, answers requests for those values and counts the commands it is given; the command
// "stop" ends it. It prints "klaar" once clients can reach it.
//
//     dde-voorbeeld-server [DIENST [ONDERWERP]]       (default: KorvelVoorbeeld Leden)
#include "platform/CodePage.h"
#include "tolvex7/KDdeServer.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Texts travel as Windows-1252 bytes; the terminal speaks UTF-8.
void say(const std::string& line) {
    std::printf("%s\n", CodePage::toUtf8(line).c_str());
    std::fflush(stdout);
}

class ExampleServer : public KDdeServer {
public:
    ExampleServer(const std::string& service, const std::string& topic)
        : KDdeServer(service.c_str(), topic.c_str()) {
        m_values["naam"] = "Korvel";
        m_values["opdrachten"] = "0";
    }

protected:
    void OnExecute(const void* data) override {
        const std::string command = static_cast<const char*>(data);
        say("uitvoeren: " + command);
        m_values["opdrachten"] = std::to_string(++m_commands);
        if (command == "stop")
            QCoreApplication::quit();
    }

    const char* OnRequest(const char* item) override {
        const auto found = m_values.find(item);
        return found == m_values.end() ? nullptr : found->second.c_str();
    }

    void OnPoke(const char* item, const void* data) override {
        m_values[item] = static_cast<const char*>(data);
        say("ontvangen: " + std::string(item) + " = " + m_values[item]);
    }

private:
    std::map<std::string, std::string> m_values;
    int m_commands = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const std::string service =
        CodePage::fromQString(arguments.value(1, QStringLiteral("KorvelVoorbeeld")));
    const std::string topic = CodePage::fromQString(arguments.value(2, QStringLiteral("Leden")));
    ExampleServer server(service, topic);
    if (!server.isRegistered())
        return 1;
    say("klaar: " + service + " " + topic);
    return app.exec();
}
