#include "core/import/KImportValues.h"

#include "core/format/TypedNumber.h"
#include "core/import/KXlsxReader.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

std::optional<KDateValue> fromQDate(const QDate& d) {
    if (!d.isValid() || d.year() < 1 || d.year() > 9999)
        return std::nullopt;
    return KDateValue(static_cast<short>(d.year()), static_cast<short>(d.month()),
                      static_cast<short>(d.day()));
}

bool allDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

namespace KImportValues {

std::optional<KDateValue> date(const KImportCell& cell, DateOrder order) {
    switch (cell.kind) {
    case KImportCell::Kind::Empty:
        return KDateValue(0);
    case KImportCell::Kind::Date:
        return fromQDate(cell.date());
    case KImportCell::Kind::Number:
        return fromQDate(KXlsxReader::serialDate(cell.number));
    case KImportCell::Kind::Boolean:
        return std::nullopt;
    case KImportCell::Kind::Text:
        break;
    }
    QString text = cell.text.trimmed();
    if (text.isEmpty())
        return KDateValue(0);
    // A time of day after the date ("3-4-2010 0:00", "2010-04-03T00:00:00").
    static const QRegularExpression time(QStringLiteral(R"([ T]\d{1,2}:\d{2}(:\d{2}(\.\d+)?)?$)"));
    text.remove(time);
    if (allDigits(text)) {
        if (text.size() == 8) {
            const int n = text.toInt();
            return fromQDate(QDate(n / 10000, n / 100 % 100, n % 100));
        }
        if (text.size() <= 5)
            return fromQDate(KXlsxReader::serialDate(text.toDouble()));
        return std::nullopt;
    }
    return fromQDate(readDateInOrder(text, order));
}

std::optional<std::int32_t> whole(const KImportCell& cell) {
    double value = 0;
    switch (cell.kind) {
    case KImportCell::Kind::Empty:
        return 0;
    case KImportCell::Kind::Number:
        value = cell.number;
        break;
    case KImportCell::Kind::Boolean:
        return static_cast<std::int32_t>(cell.number);
    case KImportCell::Kind::Date:
        return std::nullopt;
    case KImportCell::Kind::Text: {
        const QString text = cell.text.trimmed();
        if (text.isEmpty())
            return 0;
        QString digits = text;
        if (digits.startsWith(u'-') || digits.startsWith(u'+'))
            digits.remove(0, 1);
        if (allDigits(digits)) {
            bool ok = false;
            const qlonglong n = text.toLongLong(&ok);
            if (!ok)
                return std::nullopt;
            value = static_cast<double>(n);
            break;
        }
        const std::optional<double> read = TypedNumber::read(text);
        if (!read)
            return std::nullopt;
        value = *read;
        break;
    }
    }
    if (!std::isfinite(value) || std::floor(value) != value ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> real(const KImportCell& cell) {
    switch (cell.kind) {
    case KImportCell::Kind::Empty:
        return 0.0;
    case KImportCell::Kind::Number:
    case KImportCell::Kind::Boolean:
        return std::isfinite(cell.number) ? std::optional<double>(cell.number) : std::nullopt;
    case KImportCell::Kind::Date:
        return std::nullopt;
    case KImportCell::Kind::Text:
        break;
    }
    if (cell.text.trimmed().isEmpty())
        return 0.0;
    return TypedNumber::read(cell.text);
}

std::optional<bool> yesNo(const KImportCell& cell) {
    switch (cell.kind) {
    case KImportCell::Kind::Empty:
        return false;
    case KImportCell::Kind::Boolean:
        return cell.number != 0;
    case KImportCell::Kind::Number:
        if (cell.number == 0 || cell.number == 1)
            return cell.number == 1;
        return std::nullopt;
    case KImportCell::Kind::Date:
        return std::nullopt;
    case KImportCell::Kind::Text:
        break;
    }
    static const QStringList yes = {QStringLiteral("ja"),   QStringLiteral("j"),
                                    QStringLiteral("x"),    QStringLiteral("1"),
                                    QStringLiteral("waar"), QStringLiteral("yes"),
                                    QStringLiteral("true"), QStringLiteral("y")};
    static const QStringList no = {QStringLiteral("nee"),    QStringLiteral("n"),
                                   QStringLiteral("0"),      QStringLiteral("onwaar"),
                                   QStringLiteral("no"),     QStringLiteral("false"),
                                   QStringLiteral("")};
    const QString text = cell.text.trimmed().toLower();
    if (yes.contains(text))
        return true;
    if (no.contains(text))
        return false;
    return std::nullopt;
}

} // namespace KImportValues
