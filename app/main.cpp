#include "app/KorvelApp.h"
#include "core/document/CKorvelDoc.h"
#include "korvel/Version.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

const char* const kUsageText =
    "Gebruik: korvel [BESTAND.kvl]\n"
    "  korvel BESTAND.kvl  opent het ledenbestand\n"
    "  korvel --version    toont het versienummer\n"
    "  korvel --help       toont deze tekst\n";

// --version and --help are answered without a window, before anything else starts.
bool answeredAtOnce(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("korvel %s\n", kKorvelVersion);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsageText, stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredAtOnce(argc, argv))
        return 0;
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
