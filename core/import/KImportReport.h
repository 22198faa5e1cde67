#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

// What an import did: the members it added and filled in, every row it passed over and why,
// every text whose characters the code page lacks and which were replaced. Rows are numbered as
// the file numbers them (1 is its first line or row); every data row is added, updated or
// skipped.
struct KImportReport {
    enum class Reason {
        Duplicate,  // the member is there already and the user chose to skip such rows
        Empty,      // no name: no member can be made of it
        Unreadable, // a value that is no value of its field's type
    };
    struct Skipped {
        int row;
        Reason reason;
        QString detail; // in Dutch, for the user
    };
    struct Replaced {
        int row;
        QString column;
        QString text; // the text as the table holds it
        QString stored;
    };

    std::size_t added = 0;
    std::size_t updated = 0;
    std::vector<Skipped> skipped;
    std::vector<Replaced> replaced;
    // The titles of the columns that were not imported.
    QStringList unmapped;
    QStringList newFields;
    QStringList newMemberTypes;

    // "duplicate", "empty", "unreadable": how korvel-cli names a reason.
    static const char* code(Reason reason);
    // The Dutch summary: how many were added, updated and skipped.
    QString summary() const;
    // Every skipped row and replaced text, one line each, in Dutch.
    QStringList details() const;
};
