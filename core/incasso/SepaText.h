#pragma once

#include <QString>

#include <string_view>

// Texts in a bank file hold only the characters every SEPA bank takes: a-z A-Z 0-9
// / - ? : ( ) . , ' + and space. Letters lose their accents ("Zoë Öztürk" gives "Zoe Ozturk"),
// a few letters and signs become their plain form ("ß" ss, "æ" ae, "ø" o, "’" '), every other
// character becomes a space. Spaces at either end are left out.
namespace SepaText {

bool inSet(QChar c);

struct Result {
    QString text;
    bool changed = false;   // some character was replaced
    bool shortened = false; // the text was cut at its maximum length
};

// The text in the set, cut at maxLength characters.
Result clean(const QString& text, int maxLength);
// The same for a text in code-page bytes.
Result clean(std::string_view bytes, int maxLength);

} // namespace SepaText
