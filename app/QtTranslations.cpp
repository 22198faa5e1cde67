#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

bool loadQtTranslations() {
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QStringList folders{
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    auto translator = std::make_unique<QTranslator>(app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_nl"), folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            installed = translator.release(); // the application owns it now
            return true;
        }
    }
    return false;
}
