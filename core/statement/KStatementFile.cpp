#include "core/statement/KStatementFile.h"

#include "core/statement/KCamtReader.h"
#include "core/statement/KMt940Reader.h"
#include "platform/FileErrorReason.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <quazip.h>
#include <quazipfile.h>

#include <cerrno>

namespace {

bool isZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

// One file's statements, by what its bytes are.
KResult readOne(const QByteArray& bytes, const QString& name, std::vector<KBankStatement>& out) {
    if (KCamtReader::looksLikeXml(bytes))
        return KCamtReader::read(bytes, name, out);
    if (KMt940Reader::looksLikeMt940(bytes))
        return KMt940Reader::read(bytes, name, out);
    if (bytes.isEmpty())
        return KResult::failed(QStringLiteral("%1: het bestand is leeg.").arg(name));
    return KResult::failed(
        QStringLiteral("%1: dit bestand is geen bankafschrift (camt.053 of MT940).").arg(name));
}

// Every file in the archive, each of which must be a statement.
KResult readZip(const QByteArray& bytes, const QString& name, std::vector<KBankStatement>& out) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return KResult::failed(QStringLiteral("%1: het zip-archief is beschadigd.").arg(name));
    qint64 unpacked = 0;
    int files = 0;
    std::vector<KBankStatement> statements;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        const QString inner = zip.getCurrentFileName();
        if (inner.endsWith(QLatin1Char('/')) || inner.startsWith(QLatin1String("__MACOSX/")))
            continue;
        const QString shown = name + QLatin1Char('/') + inner;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return KResult::failed(
                QStringLiteral("%1: het bestand kan niet worden uitgepakt (beschadigd of met een "
                               "wachtwoord beveiligd).")
                    .arg(shown));
        QByteArray contents;
        while (!file.atEnd()) {
            const QByteArray piece = file.read(1 << 16);
            if (piece.isEmpty())
                break;
            unpacked += piece.size();
            if (unpacked > KStatementFile::kLargest)
                return KResult::failed(
                    QStringLiteral("%1: het zip-archief pakt uit tot meer dan %2 MB; zo groot is "
                                   "geen bankafschrift.")
                        .arg(name)
                        .arg(KStatementFile::kLargest / (1024 * 1024)));
            contents += piece;
        }
        file.close();
        if (file.getZipError() != UNZ_OK)
            return KResult::failed(QStringLiteral("%1: het bestand is beschadigd in het zip-archief.")
                                       .arg(shown));
        if (isZip(contents))
            return KResult::failed(
                QStringLiteral("%1: een zip-archief in een zip-archief wordt niet gelezen.").arg(shown));
        if (KResult one = readOne(contents, shown, statements); one.isFailed())
            return one;
        ++files;
    }
    if (zip.getZipError() != UNZ_OK)
        return KResult::failed(QStringLiteral("%1: het zip-archief is beschadigd.").arg(name));
    if (files == 0)
        return KResult::failed(QStringLiteral("%1: het zip-archief bevat geen bestanden.").arg(name));
    for (KBankStatement& statement : statements)
        out.push_back(std::move(statement));
    return KResult::done();
}

} // namespace

namespace KStatementFile {

KStatementRead read(const QString& path) {
    KStatementRead read;
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = errno;
        read.result = KResult::failed(QStringLiteral("Het bestand %1 kan niet worden geopend: %2.")
                                          .arg(name, fileErrorReason(file.error(), error, path)));
        return read;
    }
    if (file.size() > kLargest) {
        read.result = KResult::failed(
            QStringLiteral("%1: het bestand is groter dan %2 MB; zo groot is geen bankafschrift.")
                .arg(name)
                .arg(kLargest / (1024 * 1024)));
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        const int error = errno;
        read.result = KResult::failed(QStringLiteral("Het bestand %1 kan niet worden gelezen: %2.")
                                          .arg(name, fileErrorReason(file.error(), error, path)));
        return read;
    }
    return fromBytes(bytes, name);
}

KStatementRead fromBytes(const QByteArray& bytes, const QString& name) {
    KStatementRead read;
    read.result = isZip(bytes) ? readZip(bytes, name, read.statements)
                               : readOne(bytes, name, read.statements);
    if (read.result.isFailed())
        read.statements.clear();
    return read;
}

QStringList fileFilters() {
    return {QStringLiteral("Bankafschriften (*.xml *.zip *.940 *.sta *.swi *.txt)"),
            QStringLiteral("CAMT.053 (*.xml *.zip)"), QStringLiteral("MT940 (*.940 *.sta *.swi *.txt)"),
            QStringLiteral("Alle bestanden (*)")};
}

} // namespace KStatementFile
