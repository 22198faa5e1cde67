#include "tolvex7/KHelpWindow.h"

#include "tolvex7/DialogGeometry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString titleOf(const QString& page, const QString& fallback) {
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("# ")))
            return line.mid(2).trimmed();
    }
    return fallback;
}

// Lower case without accents, so that "kopieren" finds "Kopiëren".
QString folded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c);
    }
    return result.toCaseFolded();
}

QPointer<KHelpWindow>& theWindow() {
    static QPointer<KHelpWindow> window;
    return window;
}

} // namespace

bool KHelpWindow::isHelpFolder(const QString& folder) {
    return !folder.isEmpty() && QFile::exists(QDir(folder).filePath(contentsFileName()));
}

std::vector<KHelpWindow::Page> KHelpWindow::readContents(const QString& folder) {
    std::vector<Page> pages;
    const QDir dir(folder);
    const QString table = readText(dir.filePath(contentsFileName()));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    bool skipping = false; // the page of the line above does not exist
    for (const QString& raw : table.split(QLatin1Char('\n'))) {
        const QString line = raw.left(raw.indexOf(QLatin1Char('#'))); // all of it without a #
        QStringList parts = line.split(space, Qt::SkipEmptyParts);
        if (parts.isEmpty())
            continue;
        // An indented line holds more contexts of the page above.
        const bool more = line.front().isSpace();
        if (!more) {
            const QString text = readText(dir.filePath(parts.front()));
            skipping = text.isEmpty();
            if (!skipping)
                pages.push_back({parts.front(), titleOf(text, parts.front()), {}});
            parts.removeFirst();
        }
        if (skipping || pages.empty())
            continue;
        for (const QString& part : parts) {
            bool ok = false;
            const unsigned context = part.toUInt(&ok);
            if (ok)
                pages.back().contexts.push_back(context);
        }
    }
    return pages;
}

KHelpWindow* KHelpWindow::current() {
    return theWindow().data();
}

KHelpWindow* KHelpWindow::open(const QString& folder, unsigned context) {
    QPointer<KHelpWindow>& window = theWindow();
    // A modal dialog blocks every window but its own: the help then becomes one of them.
    QWidget* owner = QApplication::activeModalWidget();
    if (window && window->folder() != folder) {
        window->close();
        window = nullptr;
    }
    if (!window) {
        window = new KHelpWindow(folder, owner);
        window->placeOver(owner ? owner : QApplication::activeWindow());
    } else if (window->parentWidget() != owner) {
        const QRect where = window->geometry();
        window->setParent(owner, window->windowFlags());
        window->setGeometry(where);
    }
    window->showContext(context);
    window->show();
    window->keepWithinScreen();
    window->raise();
    window->activateWindow();
    return window;
}

KHelpWindow::KHelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder), m_pages(readContents(folder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The help stays open beside the program, but never keeps it running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_searchTexts.resize(m_pages.size());
    build();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QWidget::close);
}

void KHelpWindow::placeOver(const QWidget* over) {
    QScreen* screen = over ? over->screen() : this->screen();
    if (!screen)
        return;
    // The window's frame is not known before it is shown; the one it opens over has the same.
    const QSize frameExtra = over ? over->frameGeometry().size() - over->size() : QSize();
    QRect frame(QPoint(), size() + frameExtra);
    frame.moveCenter(over ? over->frameGeometry().center() : screen->availableGeometry().center());
    frame = DialogGeometry::keptWithin(frame, screen->availableGeometry());
    resize(frame.size() - frameExtra);
    move(frame.topLeft());
}

void KHelpWindow::keepWithinScreen() {
    QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect frame = frameGeometry();
    const QRect kept = DialogGeometry::keptWithin(frame, screen->availableGeometry());
    if (kept == frame)
        return;
    resize(kept.size() - (frame.size() - size()));
    move(kept.topLeft());
}

void KHelpWindow::build() {
    setWindowTitle(QStringLiteral("Help"));
    auto* layout = new QVBoxLayout(this);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back =
        tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Terug"));
    back->setShortcut(QKeySequence::Back);
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                        QStringLiteral("&Vooruit"));
    forward->setShortcut(QKeySequence::Forward);
    QAction* close = new QAction(QStringLiteral("Sluiten"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(close);
    layout->addWidget(tools);

    auto* splitter = new QSplitter(this);
    m_tabs = new QTabWidget(splitter);
    m_contents = new QListWidget(m_tabs);
    for (const Page& page : m_pages)
        m_contents->addItem(page.title);
    m_tabs->addTab(m_contents, QStringLiteral("&Inhoud"));

    auto* searchPage = new QWidget(m_tabs);
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* searchLabel = new QLabel(QStringLiteral("Zoek &naar:"), searchPage);
    m_searchEdit = new QLineEdit(searchPage);
    m_searchEdit->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_searchEdit);
    m_results = new QListWidget(searchPage);
    m_noResults = new QLabel(QStringLiteral("Geen pagina gevonden."), searchPage);
    m_noResults->setVisible(false);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(m_searchEdit);
    searchLayout->addWidget(m_noResults);
    searchLayout->addWidget(m_results, 1);
    m_tabs->addTab(searchPage, QStringLiteral("&Zoeken"));

    m_browser = new QTextBrowser(splitter);
    m_browser->setOpenExternalLinks(true);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    // Wide enough for the contents and a page of text, within the screen.
    const int tabsWidth = m_contents->sizeHintForColumn(0) + 4 * fontMetrics().averageCharWidth();
    splitter->setSizes({qMax(tabsWidth, 180), fontMetrics().averageCharWidth() * 100});
    QSize size(qMax(tabsWidth, 180) + fontMetrics().averageCharWidth() * 100,
               fontMetrics().lineSpacing() * 40);
    if (QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(m_contents, &QListWidget::currentRowChanged, this, &KHelpWindow::showPage);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &KHelpWindow::runSearch);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_results->count() > 0) {
            m_results->setCurrentRow(0);
            m_results->setFocus();
        }
    });
    connect(m_results, &QListWidget::currentRowChanged, this, &KHelpWindow::showResult);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &KHelpWindow::sourceChanged);
}

QUrl KHelpWindow::urlOf(int index) const {
    const QString path = QDir(m_folder).filePath(m_pages[static_cast<std::size_t>(index)].file);
    if (path.startsWith(QLatin1Char(':'))) {
        QUrl url;
        url.setScheme(QStringLiteral("qrc"));
        url.setPath(path.mid(1));
        return url;
    }
    return QUrl::fromLocalFile(path);
}

int KHelpWindow::pageIndexOf(unsigned context) const {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        for (unsigned c : m_pages[i].contexts) {
            if (c == context)
                return static_cast<int>(i);
        }
    }
    return m_pages.empty() ? -1 : 0;
}

void KHelpWindow::showContext(unsigned context) {
    showPage(pageIndexOf(context));
}

void KHelpWindow::showPage(int index) {
    if (index < 0 || index >= static_cast<int>(m_pages.size()) || index == m_current)
        return;
    m_browser->setSource(urlOf(index), QTextDocument::MarkdownResource);
}

void KHelpWindow::sourceChanged(const QUrl& url) {
    // A link in a page may lead to another page: the contents follow.
    const QString file = url.fileName();
    m_current = -1;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].file == file)
            m_current = static_cast<int>(i);
    }
    const QSignalBlocker quiet(m_contents);
    m_contents->setCurrentRow(m_current);
    setWindowTitle(
        m_current < 0
            ? QStringLiteral("Help")
            : QStringLiteral("Help - %1").arg(m_pages[static_cast<std::size_t>(m_current)].title));
}

const QString& KHelpWindow::searchText(int index) const {
    QString& text = m_searchTexts[static_cast<std::size_t>(index)];
    if (text.isEmpty()) {
        QTextDocument document;
        document.setMarkdown(
            readText(QDir(m_folder).filePath(m_pages[static_cast<std::size_t>(index)].file)));
        text = folded(document.toPlainText());
    }
    return text;
}

std::vector<int> KHelpWindow::search(const QString& query) const {
    const QStringList words =
        folded(query).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    std::vector<int> found;
    if (words.isEmpty())
        return found;
    for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
        const QString& text = searchText(i);
        const bool all = std::all_of(words.begin(), words.end(),
                                     [&text](const QString& word) { return text.contains(word); });
        if (all)
            found.push_back(i);
    }
    return found;
}

void KHelpWindow::runSearch() {
    const QSignalBlocker quiet(m_results);
    m_results->clear();
    const std::vector<int> found = search(m_searchEdit->text());
    for (int index : found) {
        auto* item = new QListWidgetItem(m_pages[static_cast<std::size_t>(index)].title);
        item->setData(Qt::UserRole, index);
        m_results->addItem(item);
    }
    m_noResults->setVisible(found.empty() && !m_searchEdit->text().trimmed().isEmpty());
}

void KHelpWindow::showResult(int row) {
    if (row < 0)
        return;
    showPage(m_results->item(row)->data(Qt::UserRole).toInt());
    // The first place of the first word is shown and marked.
    const QStringList words =
        m_searchEdit->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(words.front());
    }
}
