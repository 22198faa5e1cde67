#include "components/correspondence/LetterMerge.h"

#include "components/correspondence/LetterSet.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace LetterMerge {

QString fieldText(const QString& prefix, const QString& name) {
    return QLatin1Char('{') + prefix + name + QLatin1Char('}');
}

namespace {

// Fields whose paragraph is left out of a letter where they would say nothing: no value, an
// empty one, or nothing in arrears.
bool leavesParagraphOut(const LetterSet& set, int member, const QString& name) {
    static const QStringList optional{QStringLiteral("Achterstallig"), QStringLiteral("Vandaag"),
                                      QStringLiteral("Vereniging"), QStringLiteral("IBAN vereniging"),
                                      QStringLiteral("Onderdelen")};
    if (!optional.contains(name))
        return false;
    const std::optional<QString> value = set.value(member, name);
    return !value || value->trimmed().isEmpty() || *value == QStringLiteral("0.00");
}

QString nameOf(const QString& written, const QString& prefix) {
    return written.mid(1 + prefix.size(), written.size() - 2 - prefix.size());
}

void removeBlock(QTextDocument& doc, int number) {
    const QTextBlock block = doc.findBlockByNumber(number);
    QTextCursor cursor(block);
    if (block.next().isValid()) {
        cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
    } else if (block.previous().isValid()) {
        cursor.setPosition(block.previous().position() + block.previous().length() - 1);
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

} // namespace

std::unique_ptr<QTextDocument> letter(const QTextDocument& pattern, const LetterSet& set,
                                      int member) {
    std::unique_ptr<QTextDocument> doc(pattern.clone());
    const QRegularExpression field(QStringLiteral("\\{") + QRegularExpression::escape(set.prefix()) +
                                   QStringLiteral("([^{}\\x{2029}]*)\\}"));
    // First the paragraphs that have nothing to say for this member go.
    std::vector<int> leftOut;
    for (QTextCursor at = doc->find(field, 0); !at.isNull(); at = doc->find(field, at.position())) {
        if (leavesParagraphOut(set, member, nameOf(at.selectedText(), set.prefix())) &&
            (leftOut.empty() || leftOut.back() != at.block().blockNumber()))
            leftOut.push_back(at.block().blockNumber());
    }
    for (auto it = leftOut.rbegin(); it != leftOut.rend(); ++it)
        removeBlock(*doc, *it);

    QTextCursor at = doc->find(field, 0);
    while (!at.isNull()) {
        const QString name = nameOf(at.selectedText(), set.prefix());
        if (set.knowsField(name)) {
            // The value takes the look of the field it stands for; a value of several lines
            // ("Onderdelen") becomes as many lines of the field's paragraph.
            QString value = set.value(member, name).value_or(QString());
            value.replace(QLatin1Char('\n'), QChar::LineSeparator);
            at.insertText(value);
        }
        at = doc->find(field, at.position());
    }
    return doc;
}

QString defaultTemplate(const QString& prefix) {
    auto f = [&prefix](const char* name) {
        return fieldText(prefix, QString::fromUtf8(name)).toHtmlEscaped();
    };
    return QStringLiteral(
               "<p><b>%9</b></p>"
               "<p>%1<br>%2<br>%3 %4</p>"
               "<p><br></p>"
               "<p>%7</p>"
               "<p><b>Betreft: contributie</b></p>"
               "<p>Beste %1,</p>"
               "<p>Volgens onze administratie staat er voor u nog een bedrag open van "
               "<b>&euro; %5</b>.</p>"
               "<p>Daarvan is &euro; %6 achterstallig uit een eerdere periode.</p>"
               "<p>De laatste contributie bestaat uit:<br>%10</p>"
               "<p>Wilt u dit bedrag binnen veertien dagen overmaken? Heeft u inmiddels betaald, "
               "dan kunt u deze brief als niet verzonden beschouwen.</p>"
               "<p>Ons rekeningnummer is %8 ten name van %9.</p>"
               "<p>Met sportieve groet,</p>"
               "<p><br>de penningmeester</p>")
        .arg(f("Naam"), f("Adres"), f("Postcode"), f("Woonplaats"), f("Totaal"), f("Achterstallig"),
             f("Vandaag"), f("IBAN vereniging"), f("Vereniging"))
        .arg(f("Onderdelen"));
}

} // namespace LetterMerge
