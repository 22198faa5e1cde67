#include "member/KMemberHelp.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {
std::function<void(const QString&)>& shower() {
    static std::function<void(const QString&)> show;
    return show;
}
} // namespace

namespace KMemberHelp {

void setPageShower(std::function<void(const QString& page)> show) {
    shower() = std::move(show);
}

bool available() {
    return static_cast<bool>(shower());
}

void showPage(const QString& page) {
    if (shower())
        shower()(page);
}

void attach(QDialog& dialog, QDialogButtonBox& buttons, const QString& page) {
    dialog.setProperty("helpPage", page);
    if (!available())
        return;
    QPushButton* help = buttons.addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, &dialog, [page] { showPage(page); });
}

} // namespace KMemberHelp
