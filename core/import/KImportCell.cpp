#include "core/import/KImportCell.h"

#include "core/format/KDateValue.h"
#include "platform/CodePage.h"

#include <QLocale>

#include <cmath>

bool KImportCell::isBlank() const {
    if (kind != Kind::Empty && kind != Kind::Text)
        return false;
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

QString KImportCell::shownText() const {
    if (!text.isEmpty() || kind == Kind::Empty || kind == Kind::Text)
        return text;
    switch (kind) {
    case Kind::Number: {
        if (std::floor(number) == number && std::fabs(number) < 1e15)
            return QString::number(static_cast<qint64>(number));
        QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        dutch.setNumberOptions(QLocale::OmitGroupSeparator);
        return dutch.toString(number, 'g', 15);
    }
    case Kind::Date: {
        const QDate d = date();
        if (!d.isValid())
            return {};
        return CodePage::toQString(KDateValue(static_cast<short>(d.year()),
                                              static_cast<short>(d.month()),
                                              static_cast<short>(d.day()))
                                       .Text());
    }
    case Kind::Boolean:
        return number != 0 ? QStringLiteral("Ja") : QStringLiteral("Nee");
    default:
        return {};
    }
}
