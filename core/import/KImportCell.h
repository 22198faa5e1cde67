#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

// One cell of a table to import as its file holds it: a text, or a spreadsheet's number, date
// or yes/no with the text it shows (a number of an .xlsx file shows none).
struct KImportCell {
    enum class Kind : std::uint8_t { Empty, Text, Number, Date, Boolean };

    Kind kind = Kind::Empty;
    double number = 0; // Number: the value; Date: the Julian day; Boolean: 0 or 1
    QString text;

    static KImportCell ofText(QString text) {
        KImportCell cell;
        cell.kind = text.isEmpty() ? Kind::Empty : Kind::Text;
        cell.text = std::move(text);
        return cell;
    }
    static KImportCell ofNumber(double value, QString shown = {}) {
        KImportCell cell;
        cell.kind = Kind::Number;
        cell.number = value;
        cell.text = std::move(shown);
        return cell;
    }
    static KImportCell ofDate(const QDate& date, QString shown = {}) {
        KImportCell cell;
        cell.kind = Kind::Date;
        cell.number = static_cast<double>(date.toJulianDay());
        cell.text = std::move(shown);
        return cell;
    }
    static KImportCell ofBoolean(bool value, QString shown = {}) {
        KImportCell cell;
        cell.kind = Kind::Boolean;
        cell.number = value ? 1 : 0;
        cell.text = std::move(shown);
        return cell;
    }

    QDate date() const { return QDate::fromJulianDay(static_cast<qint64>(number)); }
    // Nothing in it but blanks.
    bool isBlank() const;
    // The text a person reads in the cell: the text it shows, or its value written out (a
    // number with a decimal comma, a date as the program shows dates, "Ja" or "Nee").
    QString shownText() const;
};
