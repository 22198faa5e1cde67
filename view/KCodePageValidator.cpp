#include "view/KCodePageValidator.h"

#include "platform/CodePage.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

namespace {

constexpr int kShownMilliseconds = 10000;

// The main window the widget's dialog belongs to: up the parents, else the one on screen.
QMainWindow* mainWindowOf(QObject* from) {
    for (QObject* o = from; o; o = o->parent())
        if (auto* main = qobject_cast<QMainWindow*>(o))
            return main;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(top); main && main->isVisible())
            return main;
    return nullptr;
}

} // namespace

void KCodePageValidator::attach(QLineEdit* edit) {
    edit->setValidator(new KCodePageValidator(edit));
}

bool KCodePageValidator::fits(const QString& text) {
    return CodePage::toQString(CodePage::fromQString(text)) == text;
}

QString KCodePageValidator::replacedMessage(const QString& characters) {
    QStringList pairs;
    for (char32_t code : characters.toUcs4()) {
        const QString original = QString::fromUcs4(&code, 1);
        pairs << QStringLiteral("%1 door %2").arg(original, CodePage::toNearest(original));
    }
    return QStringLiteral("Tekens die het ledenbestand niet kent, zijn vervangen: %1.")
        .arg(pairs.join(QStringLiteral(", ")));
}

QValidator::State KCodePageValidator::validate(QString& input, int& pos) const {
    if (fits(input))
        return Acceptable;
    QString characters;
    const QString before = CodePage::toNearest(input.left(pos));
    input = CodePage::toNearest(input, &characters);
    pos = static_cast<int>(before.size());
    if (!characters.isEmpty())
        tell(characters);
    return Acceptable;
}

void KCodePageValidator::fixup(QString& input) const {
    QString characters;
    input = CodePage::toNearest(input, &characters);
    if (!characters.isEmpty())
        tell(characters);
}

void KCodePageValidator::tell(const QString& characters) const {
    emit replaced(characters);
    if (QMainWindow* main = mainWindowOf(parent()))
        main->statusBar()->showMessage(replacedMessage(characters), kShownMilliseconds);
}
