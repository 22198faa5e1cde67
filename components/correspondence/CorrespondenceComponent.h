#pragma once

#include "components/correspondence/LetterSet.h"
#include "components/support/ComObject.h"
#include "platform/ComponentInterfaces.h"

#include <QString>

// The correspondence component: gathers the members' values, then shows the correspondence
// window until the user closes it.
class CorrespondenceComponent final : public ComObject<IKCorrespondence, IID_IKCorrespondence> {
public:
    KStatus BeginCorrespondence(const char* program, const char* job,
                                const char* fieldPrefix) override;
    KStatus AddMemberValue(std::int32_t memberId, const char* name, const char* value) override;
    KStatus SetListFields(const char* const* names, std::int32_t count) override;
    KStatus RunCorrespondence() override;

    const LetterSet& letters() const { return m_set; }

private:
    QString m_program;
    QString m_job;
    LetterSet m_set;
};
