#include "components/correspondence/LetterMerge.h"

#include "components/correspondence/LetterSet.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

namespace LetterMerge {

QString fieldText(const QString& prefix, const QString& name) {
    return QLatin1Char('{') + prefix + name + QLatin1Char('}');
}

std::unique_ptr<QTextDocument> letter(const QTextDocument& pattern, const LetterSet& set,
                                      int member) {
    std::unique_ptr<QTextDocument> doc(pattern.clone());
    const QRegularExpression field(QStringLiteral("\\{") + QRegularExpression::escape(set.prefix()) +
                                   QStringLiteral("([^{}\\x{2029}]*)\\}"));
    QTextCursor at = doc->find(field, 0);
    while (!at.isNull()) {
        const QString written = at.selectedText();
        const QString name = written.mid(1 + set.prefix().size(), written.size() - 2 - set.prefix().size());
        if (set.knowsField(name)) {
            // The value takes the look of the field it stands for.
            at.insertText(set.value(member, name).value_or(QString()));
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
               "<p>%1<br>%2<br>%3 %4</p>"
               "<p><br></p>"
               "<p><b>Betreft: contributie</b></p>"
               "<p>Beste %1,</p>"
               "<p>Volgens onze administratie staat er voor u nog een bedrag open van "
               "<b>&euro; %5</b>. Daarvan is &euro; %6 achterstallig uit een eerdere periode.</p>"
               "<p>Wilt u dit bedrag binnen veertien dagen overmaken op de rekening van de "
               "vereniging? Heeft u inmiddels betaald, dan kunt u deze brief als niet "
               "verzonden beschouwen.</p>"
               "<p>Met sportieve groet,</p>"
               "<p><br>de penningmeester</p>")
        .arg(f("Naam"), f("Adres"), f("Postcode"), f("Woonplaats"), f("Totaal"), f("Achterstallig"));
}

} // namespace LetterMerge
