#include "core/import/KCsvReader.h"

#include "core/import/KImportTable.h"
#include "platform/CodePage.h"

#include <QStringDecoder>

#include <array>
#include <map>
#include <vector>

namespace {

constexpr std::array<char16_t, 4> kSeparators = {u';', u',', u'\t', u'|'};
// The lines the separator is judged on.
constexpr int kSampleRecords = 50;

// Splits records off a text one at a time.
class RecordSplitter {
public:
    RecordSplitter(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    bool atEnd() const { return m_at >= m_text.size(); }
    // The line the next record starts on.
    int line() const { return m_line; }
    // The next record's values; false when a quote opened on the record's line is never closed.
    bool next(std::vector<QString>& values) {
        values.clear();
        const qsizetype n = m_text.size();
        QString value;
        bool quoted = false;
        bool wasQuoted = false;
        while (m_at < n) {
            const QChar c = m_text[m_at];
            if (quoted) {
                ++m_at;
                if (c == u'"') {
                    if (m_at < n && m_text[m_at] == u'"') {
                        value += u'"';
                        ++m_at;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == u'\n' || (c == u'\r' && (m_at >= n || m_text[m_at] != u'\n')))
                        ++m_line;
                    value += c;
                }
                continue;
            }
            if (c == u'"' && value.isEmpty() && !wasQuoted) {
                quoted = wasQuoted = true;
                ++m_at;
                continue;
            }
            if (c == m_separator) {
                values.push_back(std::move(value));
                value = QString();
                wasQuoted = false;
                ++m_at;
                continue;
            }
            if (c == u'\r' || c == u'\n') {
                ++m_at;
                if (c == u'\r' && m_at < n && m_text[m_at] == u'\n')
                    ++m_at;
                ++m_line;
                values.push_back(std::move(value));
                return true;
            }
            value += c;
            ++m_at;
        }
        if (quoted)
            return false;
        values.push_back(std::move(value));
        return true;
    }

private:
    const QString& m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

bool looksBinary(const QByteArray& bytes) {
    int controls = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0)
            return true;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != 0x1A)
            ++controls;
    }
    return controls > bytes.size() / 100 + 2;
}

} // namespace

namespace KCsvReader {

KResult decode(const QByteArray& bytes, QString& text) {
    if (bytes.isEmpty())
        return KResult::failed(QStringLiteral("Het bestand is leeg."));
    auto utf16 = [&](QStringConverter::Encoding encoding) {
        QStringDecoder decoder(encoding);
        text = decoder.decode(bytes.mid(2));
        return decoder.hasError()
                   ? KResult::failed(QStringLiteral("Het bestand is geen leesbare tekst."))
                   : KResult::done();
    };
    if (bytes.startsWith("\xFF\xFE"))
        return utf16(QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16(QStringConverter::Utf16BE);
    if (looksBinary(bytes))
        return KResult::failed(
            QStringLiteral("Het bestand is geen tekst maar bevat binaire gegevens. Kies een "
                           "CSV-bestand, een Excel-werkmap (.xlsx) of een OpenDocument-"
                           "rekenblad (.ods)."));
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = utf8.decode(bom ? bytes.mid(3) : bytes);
    if (!utf8.hasError())
        return KResult::done();
    if (bom)
        return KResult::failed(
            QStringLiteral("Het bestand zegt UTF-8 te zijn, maar bevat tekens die dat niet zijn."));
    text = CodePage::toQString(std::string_view(bytes.constData(), bytes.size()));
    return KResult::done();
}

QChar detectSeparator(const QString& text) {
    QChar best = u';';
    double bestScore = 0;
    std::vector<QString> values;
    for (const char16_t candidate : kSeparators) {
        RecordSplitter splitter(text, QChar(candidate));
        std::map<std::size_t, int> widths;
        int records = 0;
        std::size_t first = 0;
        while (records < kSampleRecords && !splitter.atEnd()) {
            if (!splitter.next(values))
                break;
            if (values.size() == 1 && values.front().isEmpty())
                continue; // a blank line
            if (records == 0)
                first = values.size();
            ++widths[values.size()];
            ++records;
        }
        if (records == 0 || first < 2)
            continue;
        // The share of lines as wide as the first, then the width itself.
        const double steady = static_cast<double>(widths[first]) / records;
        const double score = steady * 1000 + static_cast<double>(first);
        if (score > bestScore) {
            bestScore = score;
            best = QChar(candidate);
        }
    }
    return best;
}

KResult parse(const QString& text, QChar separator, KImportTable& table) {
    RecordSplitter splitter(text, separator);
    std::vector<QString> values;
    while (!splitter.atEnd()) {
        const int line = splitter.line();
        if (!splitter.next(values))
            return KResult::failed(
                QStringLiteral("Het aanhalingsteken op regel %1 wordt nergens gesloten. Er is "
                               "niets ingelezen.")
                    .arg(line));
        if (static_cast<int>(values.size()) > KImportTable::kMaxColumns)
            return KResult::failed(
                QStringLiteral("Regel %1 heeft meer dan %2 kolommen.")
                    .arg(line)
                    .arg(KImportTable::kMaxColumns));
        std::vector<KImportCell> cells;
        cells.reserve(values.size());
        for (QString& value : values)
            cells.push_back(KImportCell::ofText(std::move(value)));
        table.addRow(std::move(cells), line);
    }
    return table.finish();
}

KResult read(const QByteArray& bytes, KImportTable& table) {
    QString text;
    const KResult decoded = decode(bytes, text);
    if (!decoded.isDone())
        return decoded;
    return parse(text, detectSeparator(text), table);
}

KResult readPasted(const QString& text, KImportTable& table) {
    if (text.trimmed().isEmpty())
        return KResult::failed(QStringLiteral("Het klembord bevat geen tekst om te plakken."));
    const qsizetype lineEnd = text.indexOf(u'\n');
    const bool tabbed = text.left(lineEnd < 0 ? text.size() : lineEnd).contains(u'\t');
    return parse(text, tabbed ? QChar(u'\t') : detectSeparator(text), table);
}

} // namespace KCsvReader
