#include "member/KDatePicker.h"

#include "core/format/Clock.h"
#include "core/format/TypedDate.h"
#include "view/KCodePageValidator.h"
#include "platform/CodePage.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace {

bool isCalendarDate(KDateValue date) {
    return QDate::isValid(static_cast<int>(date.Year()), date.Month(), date.Day());
}

QDate toQDate(KDateValue date) {
    return isCalendarDate(date) ? QDate(static_cast<int>(date.Year()), date.Month(), date.Day())
                                : QDate();
}

KDateValue fromQDate(const QDate& date) {
    return KDateValue(
        static_cast<std::int32_t>(date.year() * 10000 + date.month() * 100 + date.day()));
}

} // namespace

KDatePicker::KDatePicker(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_edit = new QLineEdit(this);
    m_edit->setPlaceholderText(QStringLiteral("geen datum"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setValidator(new KCodePageValidator(m_edit));
    m_edit->installEventFilter(this);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);

    m_button = new QToolButton(this);
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(QStringLiteral("Kies een datum (F4)"));
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_button);

    m_menu = new QMenu(this);
    m_calendar = new QCalendarWidget(m_menu);
    m_calendar->setGridVisible(true);
    // Month and day names in the program's language, the week from Monday.
    m_calendar->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    auto* holder = new QWidgetAction(m_menu);
    holder->setDefaultWidget(m_calendar);
    m_menu->addAction(holder);
    connect(m_button, &QToolButton::clicked, this, &KDatePicker::openCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& date) {
        pick(date);
        m_menu->close();
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate& date) {
        pick(date);
        m_menu->close();
    });
    connect(m_edit, &QLineEdit::editingFinished, this, &KDatePicker::takeText);

    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fitWidth();
}

void KDatePicker::fitWidth() {
    // Wide enough for the widest date this format writes: every month, on a two-digit day.
    const QFontMetrics metrics(m_edit->font());
    int widest = metrics.horizontalAdvance(m_edit->placeholderText());
    for (short month = 1; month <= 12; ++month)
        widest = std::max(widest, metrics.horizontalAdvance(
                                      CodePage::toQString(KDateValue(2000, month, 28).Text())));
    const int clearButton = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_edit);
    m_edit->setMinimumWidth(widest + clearButton + 3 * metrics.averageCharWidth());
}

void KDatePicker::setEmptyAllowed(bool allowed) {
    m_emptyAllowed = allowed;
    m_edit->setClearButtonEnabled(allowed);
}

void KDatePicker::setDate(KDateValue date) {
    m_value = date;
    m_touched = false;
    display(date);
}

KDateValue KDatePicker::date() {
    takeText();
    return m_value;
}

bool KDatePicker::unreadable() {
    takeText();
    return m_unreadable;
}

QString KDatePicker::text() const {
    return m_edit->text();
}

void KDatePicker::display(KDateValue date) {
    m_unreadable = false;
    m_shown = date.value() == 0 ? QString() : CodePage::toQString(date.Text());
    m_edit->setText(m_shown);
}

void KDatePicker::change(KDateValue date) {
    const bool differs = date != m_value;
    m_value = date;
    m_touched = true;
    display(date);
    if (differs)
        emit dateChanged();
}

void KDatePicker::takeText() {
    const QString text = m_edit->text().trimmed();
    if (text == m_shown) {
        m_unreadable = false;
        return;
    }
    if (text.isEmpty()) {
        if (m_emptyAllowed)
            change(KDateValue(0));
        else
            display(m_value);
        return;
    }
    if (const std::optional<KDateValue> typed = TypedDate::read(text))
        change(*typed);
    else
        m_unreadable = true; // left as typed, for the user to mend
}

void KDatePicker::pick(const QDate& date) {
    if (date.isValid())
        change(fromQDate(date));
}

void KDatePicker::openCalendar() {
    takeText();
    QDate shown = toQDate(m_value);
    if (!shown.isValid())
        shown = toQDate(KDateValue(Clock::today()));
    if (shown.isValid())
        m_calendar->setSelectedDate(shown);
    m_menu->popup(m_edit->mapToGlobal(QPoint(0, m_edit->height())));
    m_calendar->setFocus(Qt::PopupFocusReason);
}

bool KDatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        if (key->key() == Qt::Key_F4 || (alt && key->key() == Qt::Key_Down)) {
            openCalendar();
            return true;
        }
        if (!alt && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            takeText();
            if (!m_unreadable && isCalendarDate(m_value)) {
                KDateValue next = m_value;
                if (key->key() == Qt::Key_Up)
                    next.nextDay();
                else
                    next.prevDay();
                change(next);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
