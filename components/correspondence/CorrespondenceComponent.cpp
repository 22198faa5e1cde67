#include "components/correspondence/CorrespondenceComponent.h"

#include "components/correspondence/CorrespondenceWindow.h"
#include "components/support/QtDutch.h"
#include "platform/CodePage.h"

#include <QApplication>

namespace {

QString text(const char* bytes) {
    return bytes ? CodePage::toQString(bytes) : QString();
}

} // namespace

KStatus CorrespondenceComponent::BeginCorrespondence(const char* program, const char* job,
                                                     const char* fieldPrefix) {
    m_program = text(program);
    m_job = text(job);
    m_set.clear();
    m_set.setPrefix(text(fieldPrefix));
    return KStatusCode::ok;
}

KStatus CorrespondenceComponent::AddMemberValue(std::int32_t memberId, const char* name,
                                                const char* value) {
    if (!name)
        return KStatusCode::pointer;
    m_set.addValue(memberId, text(name), text(value));
    return KStatusCode::ok;
}

KStatus CorrespondenceComponent::SetListFields(const char* const* names, std::int32_t count) {
    if (count < 0 || (count > 0 && !names))
        return KStatusCode::invalidArgument;
    QStringList fields;
    for (std::int32_t i = 0; i < count; ++i)
        fields.append(text(names[i]));
    m_set.setListFields(fields);
    return KStatusCode::ok;
}

KStatus CorrespondenceComponent::RunCorrespondence() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return KStatusCode::fail;
    QtDutch dutch;
    QString title = m_program;
    if (!m_job.isEmpty())
        title += (title.isEmpty() ? QString() : QStringLiteral(" \u2013 ")) + m_job;
    // Its own window: the program's main window is out of sight meanwhile.
    CorrespondenceWindow window(m_set, title);
    window.exec();
    return KStatusCode::ok;
}
