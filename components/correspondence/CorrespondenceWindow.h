#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class LetterSet;
class MemberListFilter;
class MemberListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTextBrowser;
class QTextDocument;
class QTextEdit;

// The correspondence window: the members with their list fields, the letter template with its
// merge fields, a preview of the letter of the chosen member, and the letters of all members in
// the list (or of the chosen ones) as one PDF file or on the printer. The template is kept
// between runs and can be saved and opened as a file.
class CorrespondenceWindow : public QDialog {
    Q_OBJECT

public:
    CorrespondenceWindow(const LetterSet& set, const QString& title, QWidget* parent = nullptr);
    ~CorrespondenceWindow() override;

    // The template being edited.
    QTextDocument& letterTemplate() const;
    // The members the letters are for, as places in the set, in list order.
    std::vector<int> letterMembers() const;
    // The text of the preview of the current member's letter.
    QString previewText();

    void setOnlyOwing(bool on);
    void setSelectedOnly(bool on);
    void selectListRow(int row);
    int listRowCount() const;

    bool openTemplate(const QString& path);
    bool saveTemplate(const QString& path);
    // Writes the letters to a PDF file and tells the user how it went.
    bool savePdf(const QString& path);

    // Where the template of the last run is kept.
    static QString keptTemplatePath();

protected:
    void done(int result) override;

private:
    void build();
    void insertField();
    // Merges the current member's letter; only while it shows, unless forced.
    void refreshPreview(bool force = false);
    void refreshCount();
    void chooseTemplateToOpen();
    void chooseTemplateToSave();
    void choosePdf();
    void print();
    bool haveLetters();

    const LetterSet& m_set;
    std::unique_ptr<MemberListModel> m_model;
    MemberListFilter* m_filter = nullptr;
    QTableView* m_list = nullptr;
    QCheckBox* m_onlyOwing = nullptr;
    QLabel* m_count = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_selected = nullptr;
    QTabWidget* m_tabs = nullptr;
    QComboBox* m_fields = nullptr;
    QTextEdit* m_editor = nullptr;
    QLabel* m_previewFor = nullptr;
    QTextBrowser* m_preview = nullptr;
    QTextDocument* m_blank = nullptr; // shown while no member is chosen
    std::unique_ptr<QTextDocument> m_previewDoc;
};
