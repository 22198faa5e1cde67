#pragma once

#include <QApplication>

#include <clocale>

// The one application object of a test program that makes widgets. The C library keeps reading
// and writing numbers with a point, as in the program.
inline QApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "korvel-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return app;
}
