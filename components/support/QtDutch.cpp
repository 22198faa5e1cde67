#include "components/support/QtDutch.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtDutch::QtDutch() {
    if (!QCoreApplication::instance())
        return;
    // Already translated: a Qt text comes back in Dutch.
    if (QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"))
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_nl"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        m_translator = std::move(translator);
}

QtDutch::~QtDutch() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}
