#include "core/output/MemberExport.h"

#include "core/KProgressReport.h"
#include "core/contrib/KOutstanding.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "platform/CodePage.h"
#include "platform/GridSource.h"
#include "platform/KSafeFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

#ifdef Q_OS_WIN
const char* const kLineEnd = "\r\n";
#else
const char* const kLineEnd = "\n";
#endif
const char* const kBalanceTitle = "Schuld";
constexpr std::int64_t kProgressStep = 512;

bool equalsNoCase(std::string_view a, std::string_view b) {
    return CodePage::toQString(a).compare(CodePage::toQString(b), Qt::CaseInsensitive) == 0;
}

const KMember* memberOfRow(const KGridSource& grid, const CKorvelDoc& doc, int row) {
    return doc.findMember(Numbers::leadingLong(grid.cellText(row, 0)));
}

} // namespace

namespace MemberExport {

std::vector<std::string> listItems(const KGridSource& grid) {
    std::vector<std::string> items;
    if (grid.fixedRowCount() < 1)
        return items;
    for (int col = 0; col < grid.colCount(); ++col)
        if (!grid.columnHidden(col))
            items.push_back(grid.cellText(0, col));
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        const int c = CodePage::toQString(a).compare(CodePage::toQString(b), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return items;
}

int balanceItem(const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsNoCase(items[i], kBalanceTitle))
            return static_cast<int>(i);
    return -1;
}

bool offersParts(const std::vector<std::string>& items, const std::vector<bool>& selected) {
    const int item = balanceItem(items);
    return item >= 0 && static_cast<std::size_t>(item) < selected.size() &&
           selected[static_cast<std::size_t>(item)];
}

std::vector<std::string> partNames(const KGridSource& grid, const CKorvelDoc& doc) {
    std::vector<std::string> names;
    for (int row = grid.fixedRowCount(); row < grid.rowCount(); ++row) {
        const KMember* member = memberOfRow(grid, doc, row);
        if (!member)
            continue;
        for (const KCharge& charge : member->charges()) {
            if (!charge.scheme())
                continue;
            for (const KContrPart& part : charge.scheme()->parts())
                if (std::find(names.begin(), names.end(), part.name()) == names.end())
                    names.push_back(part.name());
        }
    }
    return names;
}

std::vector<double> outstandingByPart(const KOutstanding& outstanding, const KMember& member,
                                      const std::vector<std::string>& names) {
    std::vector<double> shares;
    outstanding.memberShares(member, shares);
    const std::vector<std::string>& known = outstanding.partNames();
    const std::size_t count = known.size();
    std::vector<double> sums(names.size(), 0.0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto it = std::find(known.begin(), known.end(), names[i]);
        if (it == known.end())
            continue;
        const auto k = static_cast<std::size_t>(it - known.begin());
        for (std::size_t column = 0; column * count + k < shares.size(); ++column)
            sums[i] += shares[column * count + k];
    }
    return sums;
}

std::string fileValue(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string amountText(double amount) {
    std::string text = Numbers::fixed2(amount);
    if (text == "-0.00")
        text.erase(0, 1); // what rounds to nought is no debt in advance
    return text;
}

std::optional<std::string> text(const KGridSource& grid, const CKorvelDoc& doc,
                                const Choice& choice, KProgressReport* progress) {
    // A column is written when a selected item equals its title; in grid order.
    std::vector<int> written;
    for (int col = 0; col < grid.colCount(); ++col)
        for (std::size_t i = 0; i < choice.items.size(); ++i)
            if (i < choice.selected.size() && choice.selected[i] &&
                choice.items[i] == grid.cellText(0, col)) {
                written.push_back(col);
                break;
            }
    const bool balance = offersParts(choice.items, choice.selected);
    const bool split = balance && choice.splitParts;
    const std::vector<std::string> names = split ? partNames(grid, doc) : std::vector<std::string>();
    std::optional<KOutstanding> outstanding;
    if (split)
        outstanding.emplace(doc);

    if (progress)
        progress->start(QStringLiteral("Exporteren"), grid.rowCount());
    std::string out;
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (progress && row % kProgressStep == 0 && !progress->advance(row)) {
            progress->finish();
            return std::nullopt;
        }
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (i)
                out += ';';
            out += fileValue(grid.cellText(row, written[i]));
        }
        if (split && row == 0) {
            for (const std::string& name : names) {
                out += ';';
                out += fileValue(name);
            }
        } else if (split && row >= grid.fixedRowCount()) {
            if (const KMember* member = memberOfRow(grid, doc, row)) {
                for (double amount : outstandingByPart(*outstanding, *member, names)) {
                    out += ';';
                    out += amountText(amount);
                }
            }
        }
        out += kLineEnd;
    }
    if (progress) {
        progress->advance(grid.rowCount());
        progress->finish();
    }
    return out;
}

QString exportPath(const QString& chosen) {
    const QFileInfo info(chosen);
    if (info.fileName().isEmpty() || info.fileName().contains(QLatin1Char('.')))
        return chosen;
    return chosen + QStringLiteral(".txt");
}

KResult write(const QString& path, const KGridSource& grid, const CKorvelDoc& doc,
              const Choice& choice, KProgressReport* progress) {
    // Through the file layer: a failed export leaves the old file as it was.
    KSafeFile file(path);
    if (!file.open())
        return KResult::failed(
            QStringLiteral("Kan bestand %1 niet openen om te schrijven.").arg(path));
    const std::optional<std::string> bytes = text(grid, doc, choice, progress);
    if (!bytes) {
        file.cancel();
        return KResult::stopped();
    }
    if (!file.write(bytes->data(), bytes->size()) || !file.commit())
        return KResult::failed(QStringLiteral("Het schrijven van bestand %1 is mislukt.").arg(path));
    return KResult::done();
}

} // namespace MemberExport
