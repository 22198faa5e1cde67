#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <string>

class QWidget;

// Message boxes and small helpers of the library. Texts are Windows-1252 bytes formatted like
// printf; a message longer than the formatting buffer (1000 bytes, 2000 for LogAlert) is cut.

// A message box captioned with the program's name (the application's display name) and an OK
// button.
TOLVEX7_EXPORT void Alert(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A question with Yes and No buttons, captioned as Alert: 1 for Yes, 0 for No. It has no Cancel,
// so Escape and the close box do nothing.
TOLVEX7_EXPORT int YesNo(const char* format, ...) __attribute__((format(printf, 1, 2)));
// YesNo with No as the default button, for questions whose Yes changes much at once.
TOLVEX7_EXPORT int YesNoDefaultNo(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The answers of YesNoAllStop.
enum YesNoAllStopAnswer {
    AnswerStop = -1,
    AnswerNo = 0,
    AnswerYes = 1,
    AnswerAlwaysYes = 2,
    AnswerAlwaysNo = 3
};
// "&Ja" 1, "&Nee" 0, "Altijd J&a" 2, "Altijd N&ee" 3, "&Stop" -1. Escape answers Stop.
TOLVEX7_EXPORT int YesNoAllStop(const char* caption, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Appends "hh:mm:ss message" to log.txt in the current folder; says nothing when it cannot.
TOLVEX7_EXPORT void LogAlert(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Moves a window to an edge or the centre of its screen (see DialogGeometry::positionFor),
// raises and shows it.
TOLVEX7_EXPORT void Position(QWidget* window, int horizontal, int vertical);

// The system's text for the calling thread's last error; empty when there is none.
TOLVEX7_EXPORT std::string BuildLastError();

// 1 for "0" to "9", else 0.
TOLVEX7_EXPORT int IsDigit(char c);
