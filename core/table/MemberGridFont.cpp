#include "core/table/MemberGridFont.h"

#include "core/format/Numbers.h"
#include "platform/CodePage.h"
#include "platform/Profile.h"

#include <charconv>

namespace {

const QString kSection = QStringLiteral("Font");
constexpr double kLargestSize = 400.0;

} // namespace

MemberGridFont MemberGridFont::read() {
    MemberGridFont font;
    font.bold = Profile::readInt(kSection, QStringLiteral("Bold")) != 0;
    font.italic = Profile::readInt(kSection, QStringLiteral("Italic")) != 0;
    font.strikethrough = Profile::readInt(kSection, QStringLiteral("Strikethru")) != 0;
    font.underline = Profile::readInt(kSection, QStringLiteral("Underline")) != 0;
    const std::string size = CodePage::fromQString(
        Profile::readString(kSection, QStringLiteral("Size"), QStringLiteral("10.0")));
    font.size = Numbers::leadingReal(size);
    if (!(font.size > 0 && font.size <= kLargestSize))
        font.size = kDefaultSize;
    font.name = CodePage::fromQString(
        Profile::readString(kSection, QStringLiteral("Name"), QString::fromLatin1(kDefaultName)));
    return font;
}

void MemberGridFont::write() const {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, size, std::chars_format::fixed, 1);
    Profile::writeInt(kSection, QStringLiteral("Bold"), bold ? 1 : 0);
    Profile::writeInt(kSection, QStringLiteral("Italic"), italic ? 1 : 0);
    Profile::writeInt(kSection, QStringLiteral("Strikethru"), strikethrough ? 1 : 0);
    Profile::writeInt(kSection, QStringLiteral("Underline"), underline ? 1 : 0);
    Profile::writeString(kSection, QStringLiteral("Size"),
                         QString::fromLatin1(buffer, static_cast<int>(end.ptr - buffer)));
    Profile::writeString(kSection, QStringLiteral("Name"), CodePage::toQString(name));
}
