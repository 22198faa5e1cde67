#include "core/statement/KBankText.h"

#include "core/incasso/Iban.h"
#include "platform/CodePage.h"

#include <QDate>

#include <algorithm>
#include <array>

namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What each code-page byte becomes in a folded name: a base letter or digit in lower case,
// or a blank.
const std::array<std::string, 256>& foldTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString decomposed =
                CodePage::toQString(std::string_view(&byte, 1)).normalized(QString::NormalizationForm_KD);
            QString kept;
            for (QChar c : decomposed) {
                if (c.category() == QChar::Mark_NonSpacing)
                    continue;
                if (c.isLetterOrNumber())
                    kept += c.toCaseFolded();
            }
            // Letters the decomposition leaves whole.
            if (kept == QStringLiteral("\u00DF"))
                kept = QStringLiteral("ss");
            else if (kept == QStringLiteral("\u00E6"))
                kept = QStringLiteral("ae");
            else if (kept == QStringLiteral("\u0153"))
                kept = QStringLiteral("oe");
            else if (kept == QStringLiteral("\u00F8"))
                kept = QStringLiteral("o");
            t[static_cast<std::size_t>(b)] = kept.isEmpty() ? std::string(" ") : CodePage::fromQString(kept);
        }
        return t;
    }();
    return table;
}

} // namespace

namespace KBankText {

QString normalIban(QStringView text) {
    return Iban::normalized(text.toString());
}

std::optional<Amount> readAmount(QStringView text, QChar decimalSeparator) {
    text = text.trimmed();
    const qsizetype separator = text.indexOf(decimalSeparator);
    const QStringView whole = separator < 0 ? text : text.left(separator);
    const QStringView fraction = separator < 0 ? QStringView() : text.mid(separator + 1);
    if (whole.isEmpty() || whole.size() > 13 || fraction.size() > 5)
        return std::nullopt;
    std::int64_t cents = 0;
    for (QChar c : whole) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        cents = cents * 10 + (c.unicode() - '0');
    }
    cents *= 100;
    Amount amount;
    for (qsizetype i = 0; i < fraction.size(); ++i) {
        const QChar c = fraction[i];
        if (!isAsciiDigit(c))
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (i == 0)
            cents += digit * 10;
        else if (i == 1)
            cents += digit;
        else if (digit != 0) {
            amount.exactCents = false;
        }
    }
    // Half a cent or more rounds up.
    if (fraction.size() > 2 && fraction[2].unicode() >= '5')
        ++cents;
    amount.cents = cents;
    return amount;
}

std::int32_t readIsoDate(QStringView text) {
    text = text.trimmed();
    if (text.size() > 10 && text[10] == QLatin1Char('T'))
        text = text.left(10);
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return 0;
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isAsciiDigit(text[i]))
            return 0;
    const int year = text.left(4).toInt();
    const int month = text.mid(5, 2).toInt();
    const int day = text.mid(8, 2).toInt();
    if (!QDate(year, month, day).isValid())
        return 0;
    return year * 10000 + month * 100 + day;
}

void foldNameInto(std::string_view codePageText, std::string& out) {
    const auto& table = foldTable();
    out.clear();
    bool blank = true; // no blank at the front
    for (char byte : codePageText) {
        const std::string& folded = table[static_cast<unsigned char>(byte)];
        if (folded.size() == 1 && folded[0] == ' ') {
            if (!blank)
                out += ' ';
            blank = true;
        } else {
            out += folded;
            blank = false;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
}

std::string foldName(std::string_view codePageText) {
    std::string out;
    foldNameInto(codePageText, out);
    return out;
}

std::string foldName(const QString& text) {
    return foldName(CodePage::fromQStringNearest(text));
}

std::string sortedWords(std::string_view foldedName) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < foldedName.size()) {
        std::size_t end = foldedName.find(' ', start);
        if (end == std::string_view::npos)
            end = foldedName.size();
        words.push_back(foldedName.substr(start, end - start));
        start = end + 1;
    }
    std::sort(words.begin(), words.end());
    std::string out;
    out.reserve(foldedName.size());
    for (std::string_view word : words) {
        if (!out.empty())
            out += ' ';
        out += word;
    }
    return out;
}

std::vector<std::string> wholeNumbers(QStringView text) {
    std::vector<std::string> numbers;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isAsciiDigit(text[i])) {
            ++i;
            continue;
        }
        std::string number;
        for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
            if (number.empty() && text[i] == QLatin1Char('0'))
                continue;
            number += static_cast<char>(text[i].unicode());
        }
        numbers.push_back(number.empty() ? std::string("0") : number);
    }
    return numbers;
}

std::string memberNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    while (!text.empty() && text.front() == '0')
        text.remove_prefix(1);
    return std::string(text);
}

} // namespace KBankText
