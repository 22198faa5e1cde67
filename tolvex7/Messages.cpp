#include "tolvex7/Messages.h"

#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr std::size_t kMessageBuffer = 1000;
constexpr std::size_t kLogBuffer = 2000;

// printf into a buffer of the given size; what does not fit is cut.
std::string formatted(std::size_t size, const char* format, va_list args) {
    if (!format)
        return {};
    std::vector<char> buffer(size);
    const int n = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    if (n < 0)
        return {};
    return std::string(buffer.data(), std::min(static_cast<std::size_t>(n), size - 1));
}

// A question without Cancel: Escape and the close box leave it open.
class YesNoBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// The four answers and a stop, without close box.
class YesNoAllStopDialog : public QDialog {
public:
    YesNoAllStopDialog(const QString& caption, const QString& message)
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setWindowTitle(caption);
        auto* layout = new QVBoxLayout(this);
        auto* text = new QLabel(message, this);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        text->setMinimumSize(380, 80);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(text);
        auto* buttons = new QHBoxLayout;
        layout->addLayout(buttons);
        const struct {
            const char* text;
            int answer;
        } answers[] = {{"&Ja", AnswerYes},
                       {"&Nee", AnswerNo},
                       {"Altijd J&a", AnswerAlwaysYes},
                       {"Altijd N&ee", AnswerAlwaysNo},
                       {"&Stop", AnswerStop}};
        for (const auto& a : answers) {
            auto* button = new QPushButton(QString::fromLatin1(a.text), this);
            button->setAutoDefault(false);
            const int answer = a.answer;
            connect(button, &QPushButton::clicked, this, [this, answer] {
                m_answer = answer;
                accept();
            });
            buttons->addWidget(button);
        }
    }

    int answer() const { return m_answer; }

    // Escape stops rather than guessing an answer for every question to come.
    void reject() override {
        m_answer = AnswerStop;
        QDialog::reject();
    }

private:
    int m_answer = AnswerStop;
};

int askYesNo(const std::string& message, QMessageBox::StandardButton defaultButton) {
    YesNoBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                 CodePage::toQString(message), QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nee"));
    box.setDefaultButton(defaultButton);
    return box.exec() == QMessageBox::Yes ? 1 : 0;
}

} // namespace

void Alert(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = formatted(kMessageBuffer, format, args);
    va_end(args);
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    CodePage::toQString(message),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

int YesNo(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = formatted(kMessageBuffer, format, args);
    va_end(args);
    return askYesNo(message, QMessageBox::Yes);
}

int YesNoDefaultNo(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = formatted(kMessageBuffer, format, args);
    va_end(args);
    return askYesNo(message, QMessageBox::No);
}

int YesNoAllStop(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = formatted(kMessageBuffer, format, args);
    va_end(args);
    YesNoAllStopDialog dialog(CodePage::toQString(caption ? caption : ""),
                              CodePage::toQString(message));
    dialog.exec();
    return dialog.answer();
}

void LogAlert(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = formatted(kLogBuffer, format, args);
    va_end(args);
    std::FILE* file = std::fopen("log.txt", "a");
    if (!file)
        return;
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    std::fprintf(file, "%02d:%02d:%02d %s\n", local ? local->tm_hour : 0, local ? local->tm_min : 0,
                 local ? local->tm_sec : 0, message.c_str());
    std::fclose(file);
}

void Position(QWidget* window, int horizontal, int vertical) {
    if (!window)
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->move(DialogGeometry::positionFor(screen->geometry(), window->frameGeometry().size(),
                                             horizontal, vertical));
    window->raise();
    window->show();
}

std::string BuildLastError() {
#if defined(_WIN32)
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = n > 0 && text ? std::string(text, n) : std::string();
    LocalFree(text);
    return result;
#else
    const int code = errno;
    if (code == 0)
        return {};
    const char* text = std::strerror(code);
    errno = code;
    return text ? std::string(text) : std::string();
#endif
}

int IsDigit(char c) {
    return c >= '0' && c <= '9' ? 1 : 0;
}
