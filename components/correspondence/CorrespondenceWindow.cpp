#include "components/correspondence/CorrespondenceWindow.h"

#include "components/correspondence/LetterBook.h"
#include "components/correspondence/LetterMerge.h"
#include "components/correspondence/LetterSet.h"
#include "components/correspondence/MemberListModel.h"
#include "progress/KProgressWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kTemplateFilter = "Briefsjablonen (*.html *.htm);;Alle bestanden (*)";

QFont letterFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(11);
    return font;
}

QToolButton* formatButton(const QString& text, const QString& tip, const QKeySequence& keys,
                          QWidget* parent) {
    auto* button = new QToolButton(parent);
    auto* action = new QAction(text, button);
    action->setCheckable(true);
    action->setShortcut(keys);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText)));
    button->setDefaultAction(action);
    return button;
}

} // namespace

CorrespondenceWindow::CorrespondenceWindow(const LetterSet& set, const QString& title,
                                           QWidget* parent)
    : QDialog(parent), m_set(set), m_model(std::make_unique<MemberListModel>(set)) {
    setWindowTitle(title);
    build();
    m_editor->document()->setDefaultFont(letterFont());
    QFile kept(keptTemplatePath());
    if (kept.open(QIODevice::ReadOnly))
        m_editor->setHtml(QString::fromUtf8(kept.readAll()));
    else
        m_editor->setHtml(LetterMerge::defaultTemplate(set.prefix()));
    if (listRowCount() > 0)
        selectListRow(0);
    refreshCount();
    refreshPreview();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 900);
    resize(std::min(1100, room.width() * 9 / 10), std::min(720, room.height() * 9 / 10));
}

CorrespondenceWindow::~CorrespondenceWindow() {
    // The preview lets go of the letter before the letter goes.
    m_preview->setDocument(m_blank);
}

void CorrespondenceWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter, 1);

    // The members.
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* listLabel = new QLabel(QStringLiteral("&Leden:"), left);
    leftLayout->addWidget(listLabel);
    m_filter = new MemberListFilter(m_set, this);
    m_filter->setSourceModel(m_model.get());
    m_list = new QTableView(left);
    m_list->setModel(m_filter);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);
    m_list->verticalHeader()->hide();
    m_list->setWordWrap(false);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 8);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_list->setAlternatingRowColors(true);
    listLabel->setBuddy(m_list);
    leftLayout->addWidget(m_list, 1);
    m_onlyOwing = new QCheckBox(QStringLiteral("Alleen leden met een open&staand bedrag"), left);
    leftLayout->addWidget(m_onlyOwing);
    m_count = new QLabel(left);
    leftLayout->addWidget(m_count);
    auto* forWhom = new QGroupBox(QStringLiteral("Brieven voor"), left);
    auto* forWhomLayout = new QVBoxLayout(forWhom);
    m_all = new QRadioButton(QStringLiteral("&alle leden in de lijst"), forWhom);
    m_selected = new QRadioButton(QStringLiteral("de &geselecteerde leden"), forWhom);
    m_all->setChecked(true);
    forWhomLayout->addWidget(m_all);
    forWhomLayout->addWidget(m_selected);
    leftLayout->addWidget(forWhom);

    // The template and the preview.
    m_tabs = new QTabWidget(splitter);
    auto* templatePage = new QWidget(m_tabs);
    auto* templateLayout = new QVBoxLayout(templatePage);
    auto* fieldRow = new QHBoxLayout;
    auto* fieldLabel = new QLabel(QStringLiteral("V&eld:"), templatePage);
    m_fields = new QComboBox(templatePage);
    for (const QString& name : m_set.fieldNames())
        m_fields->addItem(name);
    m_fields->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    fieldLabel->setBuddy(m_fields);
    auto* insert = new QPushButton(QStringLiteral("Veld &invoegen"), templatePage);
    insert->setAutoDefault(false);
    insert->setEnabled(m_fields->count() > 0);
    connect(insert, &QPushButton::clicked, this, &CorrespondenceWindow::insertField);
    fieldRow->addWidget(fieldLabel);
    fieldRow->addWidget(m_fields);
    fieldRow->addWidget(insert);
    fieldRow->addSpacing(16);
    m_editor = new QTextEdit(templatePage);
    m_editor->setAcceptRichText(true);
    QToolButton* bold = formatButton(QStringLiteral("Vet"), QStringLiteral("Vet"),
                                     QKeySequence::Bold, templatePage);
    QToolButton* italic = formatButton(QStringLiteral("Cursief"), QStringLiteral("Cursief"),
                                       QKeySequence::Italic, templatePage);
    QToolButton* underline = formatButton(QStringLiteral("Onderstreept"),
                                          QStringLiteral("Onderstreept"), QKeySequence::Underline,
                                          templatePage);
    connect(bold->defaultAction(), &QAction::triggered, this, [this](bool on) {
        m_editor->setFontWeight(on ? QFont::Bold : QFont::Normal);
    });
    connect(italic->defaultAction(), &QAction::triggered, m_editor, &QTextEdit::setFontItalic);
    connect(underline->defaultAction(), &QAction::triggered, m_editor,
            &QTextEdit::setFontUnderline);
    connect(m_editor, &QTextEdit::currentCharFormatChanged, this,
            [bold, italic, underline](const QTextCharFormat& format) {
                bold->defaultAction()->setChecked(format.fontWeight() > QFont::Normal);
                italic->defaultAction()->setChecked(format.fontItalic());
                underline->defaultAction()->setChecked(format.fontUnderline());
            });
    fieldRow->addWidget(bold);
    fieldRow->addWidget(italic);
    fieldRow->addWidget(underline);
    fieldRow->addStretch(1);
    templateLayout->addLayout(fieldRow);
    auto* hint = new QLabel(
        QStringLiteral("Een veld staat tussen accolades, bijvoorbeeld %1; in elke brief komt er "
                       "de waarde van het lid voor in de plaats.")
            .arg(LetterMerge::fieldText(m_set.prefix(), QStringLiteral("Naam"))),
        templatePage);
    hint->setWordWrap(true);
    templateLayout->addWidget(hint);
    templateLayout->addWidget(m_editor, 1);
    m_tabs->addTab(templatePage, QStringLiteral("S&jabloon"));

    auto* previewPage = new QWidget(m_tabs);
    auto* previewLayout = new QVBoxLayout(previewPage);
    m_previewFor = new QLabel(previewPage);
    m_previewFor->setWordWrap(true);
    previewLayout->addWidget(m_previewFor);
    m_preview = new QTextBrowser(previewPage);
    m_blank = new QTextDocument(this);
    m_preview->setDocument(m_blank);
    previewLayout->addWidget(m_preview, 1);
    m_tabs->addTab(previewPage, QStringLiteral("&Voorbeeld"));
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({400, 700});
    m_list->resizeColumnToContents(0);

    // What to do with the letters.
    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("Sjabloon &openen..."), this);
    auto* save = new QPushButton(QStringLiteral("Sjabloon &bewaren..."), this);
    auto* pdf = new QPushButton(QStringLiteral("Opslaan als &PDF..."), this);
    auto* print = new QPushButton(QStringLiteral("Af&drukken..."), this);
    auto* close = new QPushButton(QStringLiteral("Sl&uiten"), this);
    for (QPushButton* button : {open, save, pdf, print})
        button->setAutoDefault(false);
    close->setDefault(true);
    buttons->addWidget(open);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(pdf);
    buttons->addWidget(print);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(open, &QPushButton::clicked, this, &CorrespondenceWindow::chooseTemplateToOpen);
    connect(save, &QPushButton::clicked, this, &CorrespondenceWindow::chooseTemplateToSave);
    connect(pdf, &QPushButton::clicked, this, &CorrespondenceWindow::choosePdf);
    connect(print, &QPushButton::clicked, this, &CorrespondenceWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_onlyOwing, &QCheckBox::toggled, this, &CorrespondenceWindow::setOnlyOwing);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { refreshPreview(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CorrespondenceWindow::refreshCount);
    connect(m_editor, &QTextEdit::textChanged, this, [this] { refreshPreview(); });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { refreshPreview(); });
    for (QRadioButton* button : {m_all, m_selected})
        connect(button, &QRadioButton::toggled, this, &CorrespondenceWindow::refreshCount);
}

QTextDocument& CorrespondenceWindow::letterTemplate() const {
    return *m_editor->document();
}

int CorrespondenceWindow::listRowCount() const {
    return m_filter->rowCount();
}

void CorrespondenceWindow::setOnlyOwing(bool on) {
    if (m_onlyOwing->isChecked() != on)
        m_onlyOwing->setChecked(on); // comes back here through the signal
    m_filter->setOnlyOwing(on);
    if (!m_list->currentIndex().isValid() && listRowCount() > 0)
        selectListRow(0);
    refreshCount();
    refreshPreview();
}

void CorrespondenceWindow::setSelectedOnly(bool on) {
    (on ? m_selected : m_all)->setChecked(true);
}

void CorrespondenceWindow::selectListRow(int row) {
    const QModelIndex index = m_filter->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> CorrespondenceWindow::letterMembers() const {
    std::vector<int> members;
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        const QModelIndex index = m_filter->index(row, 0);
        if (m_selected->isChecked() && !m_list->selectionModel()->isRowSelected(row))
            continue;
        members.push_back(index.data(MemberListModel::MemberRole).toInt());
    }
    return members;
}

QString CorrespondenceWindow::previewText() {
    refreshPreview(true);
    return m_preview->toPlainText();
}

void CorrespondenceWindow::insertField() {
    if (m_fields->currentIndex() < 0)
        return;
    m_editor->textCursor().insertText(LetterMerge::fieldText(m_set.prefix(), m_fields->currentText()));
    m_editor->setFocus();
}

void CorrespondenceWindow::refreshPreview(bool force) {
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid()) {
        m_previewFor->setText(QStringLiteral("Kies een lid in de lijst om zijn brief te zien."));
        m_preview->setDocument(m_blank);
        m_previewDoc.reset();
        return;
    }
    const int member = current.data(MemberListModel::MemberRole).toInt();
    const QString name = m_set.value(member, QStringLiteral("Naam")).value_or(QString());
    m_previewFor->setText(QStringLiteral("De brief voor %1:").arg(name.isEmpty() ? QStringLiteral("dit lid") : name));
    // Only the page in sight is worth the work.
    if (!force && m_tabs->currentIndex() != 1 && m_previewDoc)
        return;
    std::unique_ptr<QTextDocument> letter = LetterMerge::letter(letterTemplate(), m_set, member);
    m_preview->setDocument(letter.get());
    m_previewDoc = std::move(letter);
}

void CorrespondenceWindow::refreshCount() {
    const int shown = listRowCount();
    const int letters = static_cast<int>(letterMembers().size());
    m_count->setText(QStringLiteral("%1 van %2 leden in de lijst; %3 %4.")
                         .arg(shown)
                         .arg(m_set.memberCount())
                         .arg(letters)
                         .arg(letters == 1 ? QStringLiteral("brief") : QStringLiteral("brieven")));
}

bool CorrespondenceWindow::haveLetters() {
    if (!letterMembers().empty())
        return true;
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("Er zijn geen leden om een brief voor te maken."));
    return false;
}

QString CorrespondenceWindow::keptTemplatePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("brief-sjabloon.html"));
}

bool CorrespondenceWindow::openTemplate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Kan het sjabloon %1 niet openen.")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_editor->setHtml(QString::fromUtf8(file.readAll()));
    return true;
}

bool CorrespondenceWindow::saveTemplate(const QString& path) {
    QSaveFile file(path);
    const QByteArray html = m_editor->toHtml().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size() || !file.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Kan het sjabloon %1 niet bewaren.")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

void CorrespondenceWindow::chooseTemplateToOpen() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Sjabloon openen"), QDir::homePath(),
        QString::fromUtf8(kTemplateFilter));
    if (!path.isEmpty())
        openTemplate(path);
}

void CorrespondenceWindow::chooseTemplateToSave() {
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Sjabloon bewaren"), QDir::home().filePath(QStringLiteral("brief.html")),
        QString::fromUtf8(kTemplateFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".html");
    saveTemplate(path);
}

bool CorrespondenceWindow::savePdf(const QString& path) {
    if (!haveLetters())
        return false;
    const LetterBook book(letterTemplate(), m_set, letterMembers());
    KProgressWindow progress(this);
    const KResult written = book.writePdf(path, &progress);
    if (written)
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("%1 brieven zijn opgeslagen in %2.")
                                     .arg(letterMembers().size())
                                     .arg(QDir::toNativeSeparators(path)));
    else if (written.isFailed())
        QMessageBox::warning(this, windowTitle(), written.reason());
    return written.isDone();
}

void CorrespondenceWindow::choosePdf() {
    if (!haveLetters())
        return;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Brieven opslaan als PDF"),
        QDir::home().filePath(QStringLiteral("Brieven.pdf")), QStringLiteral("PDF-bestanden (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    savePdf(path);
}

void CorrespondenceWindow::print() {
    if (!haveLetters())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(LetterBook::pageLayout());
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Brieven"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Brieven afdrukken"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Het afdrukken kan niet beginnen."));
        return;
    }
    const LetterBook book(letterTemplate(), m_set, letterMembers());
    KProgressWindow progress(this);
    if (!book.paint(printer, painter, &progress))
        printer.abort();
    painter.end();
}

void CorrespondenceWindow::done(int result) {
    // The template comes back at the next run.
    const QString path = keptTemplatePath();
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    const QByteArray html = m_editor->toHtml().toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(html) == html.size())
        file.commit();
    QDialog::done(result);
}
