#pragma once

#include <QString>

#include <memory>

class LetterSet;
class QTextDocument;

// Letters from a template: a merge field is the field prefix and a field name between braces,
// "{KVB-veld:Naam}", anywhere in the template's text. A field the member has no value for
// stays empty in the letter; a name that no member has is left as written, so that a typing
// error shows. A paragraph holding Achterstallig, Vandaag, Vereniging, IBAN vereniging or
// Onderdelen is left out of a letter in which that field is missing, empty or 0.00, so that no
// letter says "nothing in arrears" or shows an empty account number.
namespace LetterMerge {

// The field as it is written in a template.
QString fieldText(const QString& prefix, const QString& name);

// The letter of one member: a copy of the template with its fields filled in, keeping the
// text's layout.
std::unique_ptr<QTextDocument> letter(const QTextDocument& pattern, const LetterSet& set,
                                      int member);

// The template a first letter starts from.
QString defaultTemplate(const QString& prefix);

} // namespace LetterMerge
