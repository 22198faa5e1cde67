#include "app/KorvelApp.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Amounts are written and read with the C library; keep its numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    KorvelApp korvel(QApplication::arguments());
    if (!korvel.InitInstance())
        return 1;
    return QApplication::exec();
}
