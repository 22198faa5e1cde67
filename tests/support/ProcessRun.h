#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A program a test ran to its end: its exit status (-1 when it crashed or did not end within
// two minutes), and what it wrote on standard output and standard error.
struct ProcessRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end, in the test's environment or in the one given.
inline ProcessRun runProcess(const QString& program, const QStringList& args,
                             const QProcessEnvironment& environment =
                                 QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ProcessRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// What a program wrote on standard output; when it failed, a text that says which program
// failed, so that a comparison with it fails and tells why.
inline QString outputOf(const QString& program, const QStringList& args) {
    const ProcessRun run = runProcess(program, args);
    if (run.status != 0)
        return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(run.out);
}
