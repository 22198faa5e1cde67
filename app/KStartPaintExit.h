#pragma once

#include <QObject>

class QWidget;

// For the start-up benchmark (bench/start_bench.sh): when the environment variable
// KORVEL_EXIT_AT_PAINT is set, the process ends at the first paint of the member grid's cells,
// so the time from the command to that moment and the peak memory can be taken from outside.
// Before ending it writes one line to standard error: the milliseconds since the program's
// static start (just before main()).
class KStartPaintExit : public QObject {
    Q_OBJECT

public:
    // Watches the cell area when the variable is set; does nothing otherwise.
    static void installIfAsked(QWidget& cellArea);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KStartPaintExit(QWidget& cellArea);
};
