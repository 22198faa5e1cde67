#include "app/KorvelApp.h"
#include "app/KorvelAppChannel.h"
#include "app/StartFile.h"
#include "core/document/CKorvelDoc.h"
#include "korvel/Version.h"

#include <QApplication>
#include <QFileInfo>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char* const kUsageText =
    "Gebruik: korvel [BESTAND.kvl]\n"
    "  korvel BESTAND.kvl  opent het ledenbestand; draait Korvel al, dan opent die het\n"
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

void tell(const KResult& result) {
    if (result.isFailed())
        std::fprintf(stderr, "korvel: %s\n", result.reason().toLocal8Bit().constData());
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredAtOnce(argc, argv))
        return 0;
    QApplication application(argc, argv);
    // Amounts are written and read with the C library; keep its numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QApplication::arguments();

    // A file given while Korvel runs already is opened there; this start then ends. Without
    // a file, or when nothing runs, this start is the program and listens for later ones.
    auto channel = std::make_unique<KorvelAppChannel>(KorvelAppChannel::userFolder());
    const QString file = fileFromArguments(arguments);
    const QStringList handed{file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath()};
    KResult handOver = KResult::nothingToDo();
    if (!file.isEmpty()) {
        handOver = channel->handOver(handed);
        if (handOver.isDone())
            return 0;
        tell(handOver);
    }
    const KResult listening = channel->listen();
    // Another start may have begun to listen at the same moment.
    if (listening.outcome() == KOutcome::NothingToDo && !file.isEmpty() &&
        channel->handOver(handed).isDone())
        return 0;
    if (listening.reason() != handOver.reason())
        tell(listening);

    KorvelApp korvel(arguments);
    if (listening.isDone())
        korvel.setChannel(std::move(channel));
    if (!korvel.InitInstance())
        return 1;
    const int status = QApplication::exec();
    // The last save question has been answered: the administration ends with the process.
    korvel.document().abandonContents();
    return status;
}
