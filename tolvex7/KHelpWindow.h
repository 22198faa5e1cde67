#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QUrl;

// The help of an application: a manual of Markdown pages in one folder (a resource folder
// such as ":/handleiding" or a folder on disk), shown with its contents, a search over every
// page and the page itself.
//
// The folder's file "inhoud.txt" is the table of contents: one line per page, in the order
// the contents show them, holding the page's file name and then the help contexts (numbers,
// the program's command ids) whose help that page is; an indented line holds more contexts
// of the page above. Everything from a "#" on is a comment. A page's title is its first line
// that begins with "# ".
class TOLVEX7_EXPORT KHelpWindow : public QWidget {
    Q_OBJECT

public:
    struct Page {
        QString file;
        QString title;
        std::vector<unsigned> contexts;
    };

    static QString contentsFileName() { return QStringLiteral("inhoud.txt"); }
    // Whether the folder holds a table of contents.
    static bool isHelpFolder(const QString& folder);
    // The pages the table names that exist, in its order.
    static std::vector<Page> readContents(const QString& folder);

    // Shows the help of folder on the page of context, in the one help window: over the open
    // modal dialog while there is one, so that it takes input, else on its own. A new window
    // opens centred over that dialog or the active window; the window always ends up within the
    // room its screen has for windows.
    static KHelpWindow* open(const QString& folder, unsigned context);
    // The help window open() made; nullptr when there is none.
    static KHelpWindow* current();

    explicit KHelpWindow(const QString& folder, QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    const std::vector<Page>& pages() const { return m_pages; }

    // The page of the context; the first page for a context that no page names.
    void showContext(unsigned context);
    void showPage(int index);
    // The index of the page shown, -1 for none.
    int currentPage() const { return m_current; }
    // The pages that hold every word of the query, case and accents aside, in contents order.
    std::vector<int> search(const QString& query) const;

    QTextBrowser* browser() const { return m_browser; }
    QListWidget* contentsList() const { return m_contents; }
    QLineEdit* searchEdit() const { return m_searchEdit; }
    QListWidget* resultList() const { return m_results; }

private:
    void build();
    void placeOver(const QWidget* over);
    void keepWithinScreen();
    void runSearch();
    void showResult(int row);
    void sourceChanged(const QUrl& url);
    QUrl urlOf(int index) const;
    int pageIndexOf(unsigned context) const;
    // The page's text without markup, folded for searching; read once.
    const QString& searchText(int index) const;

    QString m_folder;
    std::vector<Page> m_pages;
    mutable std::vector<QString> m_searchTexts;
    int m_current = -1;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_contents = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_noResults = nullptr;
    QTextBrowser* m_browser = nullptr;
};
