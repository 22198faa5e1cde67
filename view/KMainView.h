#pragma once

#include <QWidget>

class CKorvelDoc;
class QLabel;
class QListWidget;

// The main window's view of the document. For now it lists the members' names in the
// document's order; the member grid with its columns takes the place of the list.
class KMainView : public QWidget {
    Q_OBJECT

public:
    explicit KMainView(QWidget* parent = nullptr);

    void setDocument(const CKorvelDoc* doc) { m_doc = doc; }
    const CKorvelDoc* document() const { return m_doc; }

    // Rebuilds the view from the document.
    void OnUpdate();

    // The texts shown, one per member (for tests and the later grid's comparison).
    QStringList shownNames() const;

private:
    const CKorvelDoc* m_doc = nullptr;
    QLabel* m_caption = nullptr;
    QListWidget* m_list = nullptr;
};
