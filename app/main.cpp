#include "app/KorvelApp.h"
#include "core/document/CKorvelDoc.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Amounts are written and read with the C library; keep its numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    KorvelApp korvel(QApplication::arguments());
    if (!korvel.InitInstance())
        return 1;
    const int status = QApplication::exec();
    // The last save question has been answered: the administration ends with the process.
    korvel.document().abandonContents();
    return status;
}
