#pragma once

#include "core/settings/IncassoSettings.h"

#include <QProcess>
#include <QString>

// Validates a direct-debit file against the official schema of its version with xmllint.
struct SchemaVerdict {
    bool valid = false;
    QString messages; // what xmllint said
};

inline QString painSchema(IncassoSettings::Format format) {
    return QStringLiteral(KORVEL_ISO20022_DIR) +
           (format == IncassoSettings::Format::Pain00800102 ? QStringLiteral("/pain.008.001.02.xsd")
                                                            : QStringLiteral("/pain.008.001.08.xsd"));
}

inline SchemaVerdict validateAgainstSchema(const QString& file, IncassoSettings::Format format) {
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--schema"), painSchema(format), file});
    SchemaVerdict verdict;
    if (!xmllint.waitForFinished(120000)) {
        verdict.messages = QStringLiteral("xmllint did not run: ") + xmllint.errorString();
        return verdict;
    }
    verdict.messages = QString::fromUtf8(xmllint.readAllStandardError());
    verdict.valid = xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0;
    return verdict;
}
