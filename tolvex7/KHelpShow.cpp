#include "tolvex7/KHelpShow.h"

#include "platform/CodePage.h"
#include "tolvex7/KHelpWindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

std::string& helpFilePath() {
    static std::string path;
    return path;
}

} // namespace

KHelpShow::KHelpShow(const char* text, unsigned helpContext, QWidget* parent)
    : QDialog(parent), m_text(CodePage::toQString(text ? text : "")), m_helpContext(helpContext) {
    setWindowTitle(QStringLiteral("Dialog"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(m_text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumSize(240, 56);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(label);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(help);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, &KHelpShow::onHelp);
}

void KHelpShow::setApplicationHelpFile(const std::string& path) {
    helpFilePath() = path;
}

std::string KHelpShow::applicationHelpFile() {
    return helpFilePath();
}

bool KHelpShow::openHelp(const std::string& helpFile, unsigned helpContext) {
    if (helpFile.empty())
        return false;
    const QString path = CodePage::toQString(helpFile);
    if (KHelpWindow::isHelpFolder(path)) {
        KHelpWindow::open(path, helpContext);
        return true;
    }
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QString::number(helpContext));
    return QDesktopServices::openUrl(url);
}

void KHelpShow::onHelp() {
    openHelp(applicationHelpFile(), m_helpContext);
}
