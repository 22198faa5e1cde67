#pragma once

#include <QDialog>

class OverviewPages;
class QAction;
class QLabel;
class QScrollArea;

// The preview of the member overview: one page at a time, at the size the user chooses, with
// printing, saving as PDF and turning the page. Pages are drawn when they are shown, so a club
// of any size opens at once.
class PrintPreview : public QDialog {
    Q_OBJECT

public:
    PrintPreview(OverviewPages& pages, QWidget* parent = nullptr);

    int currentPage() const { return m_page; }
    void showPage(int page);
    // Saves every page as a PDF file; false when it failed or was stopped. Tells the user.
    bool savePdf(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void render();
    void setZoom(double zoom);
    void fitWidth();
    void turn(bool landscape);
    void choosePdf();
    void print();

    OverviewPages& m_pages;
    int m_page = 0;
    double m_zoom = 1;   // 1 is the paper's real size on screen
    bool m_fitting = true; // the page follows the window's width
    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_pageText = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_landscape = nullptr;
};
