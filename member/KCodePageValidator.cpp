#include "member/KCodePageValidator.h"

#include "platform/CodePage.h"

bool KCodePageValidator::fits(const QString& text) {
    return CodePage::toQString(CodePage::fromQString(text)) == text;
}

QValidator::State KCodePageValidator::validate(QString& input, int& pos) const {
    (void)pos;
    return fits(input) ? Acceptable : Invalid;
}
