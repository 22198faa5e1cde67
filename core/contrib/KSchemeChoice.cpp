#include "core/contrib/KSchemeChoice.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "platform/CodePage.h"

namespace KSchemeChoice {

const KContribution* choose(const CKorvelDoc& doc, KQuestions& questions) {
    const KSchemeList& schemes = doc.schemes();
    if (schemes.empty()) {
        questions.alert(QString::fromLatin1(kNoSchemes));
        return nullptr;
    }
    if (schemes.size() == 1)
        return &schemes.front();
    QStringList descriptions;
    for (const KContribution& scheme : schemes)
        descriptions.push_back(CodePage::toQString(scheme.description()));
    const std::vector<int> chosen =
        questions.selectString(descriptions, QString::fromLatin1(kChooseTitle), false);
    if (chosen.empty() || chosen.front() < 0 || chosen.front() >= descriptions.size())
        return nullptr;
    const std::string& description = schemes.at(static_cast<std::size_t>(chosen.front())).description();
    return doc.findSchemeByDescription(description);
}

} // namespace KSchemeChoice
