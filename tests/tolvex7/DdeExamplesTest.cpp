// The example server and client talk to each other across two processes.
#if defined(DDE_EXAMPLE_SERVER) && defined(DDE_EXAMPLE_CLIENT)

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status;
    QString output;
};

class DdeExamples : public testing::Test {
protected:
    DdeExamples()
        : m_service(QStringLiteral("korvel-voorbeeld-%1").arg(QCoreApplication::applicationPid())) {}

    Outcome client(const QStringList& arguments, const QString& topic = QStringLiteral("Leden")) {
        QProcess process;
        process.start(QStringLiteral(DDE_EXAMPLE_CLIENT), QStringList{m_service, topic} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(' ').toStdString();
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
    }

    QString m_service;
};

} // namespace

TEST_F(DdeExamples, ServerAndClientInTwoProcesses) {
    QProcess server;
    server.start(QStringLiteral(DDE_EXAMPLE_SERVER), {m_service, QStringLiteral("Leden")});
    ASSERT_TRUE(server.waitForReadyRead(30000)) << "the server says when it is ready";
    ASSERT_TRUE(server.readLine().startsWith("klaar"));

    struct Step {
        QStringList arguments;
        int status;
        const char* output;
    };
    const Step steps[] = {
        {{"request", "naam"}, 0, "Korvel"},
        {{"poke", "status", "bezig met café"}, 0, "aangekomen: bezig met café"},
        {{"request", "status"}, 0, "bezig met café"},
        {{"execute", "tel"}, 0, "verzonden"},
        {{"request", "opdrachten"}, 0, "1"},
        {{"request", "onbekend"}, 1, "geen antwoord"},
        {{"execute", "stop"}, 0, "verzonden"},
    };
    for (const Step& step : steps) {
        const Outcome outcome = client(step.arguments);
        EXPECT_EQ(outcome.status, step.status) << step.arguments.join(' ').toStdString();
        EXPECT_EQ(outcome.output, QString::fromUtf8(step.output))
            << step.arguments.join(' ').toStdString();
    }
    ASSERT_TRUE(server.waitForFinished(30000)) << "the command stop ends the server";
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
    const QString said = QString::fromUtf8(server.readAllStandardOutput());
    EXPECT_TRUE(said.contains("ontvangen: status = bezig met café")) << said.toStdString();
    EXPECT_TRUE(said.contains("uitvoeren: tel")) << said.toStdString();

    const Outcome after = client({"execute", "tel"});
    EXPECT_EQ(after.status, 1);
    EXPECT_EQ(after.output, "geen verbinding");
}

TEST_F(DdeExamples, WrongTopicAndWrongCommandLine) {
    QProcess server;
    server.start(QStringLiteral(DDE_EXAMPLE_SERVER), {m_service, QStringLiteral("Leden")});
    ASSERT_TRUE(server.waitForReadyRead(30000));
    const Outcome stranger = client({"execute", "tel"}, QStringLiteral("Anders"));
    EXPECT_EQ(stranger.status, 1);
    EXPECT_EQ(stranger.output, "geen verbinding");
    EXPECT_EQ(client({"zeg", "iets"}).status, 3);
    EXPECT_EQ(client({"execute", "stop"}).status, 0);
    ASSERT_TRUE(server.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(server.readAllStandardOutput()).count("uitvoeren:"), 1)
        << "only the right topic's command arrived";
}

#endif
