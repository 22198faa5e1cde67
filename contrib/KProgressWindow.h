#pragma once

#include "core/KProgressReport.h"

#include <memory>

class QProgressDialog;
class QWidget;

// Progress of long work in a window with a "Stop" button; it shows only when the work lasts
// longer than half a second.
class KProgressWindow : public KProgressReport {
public:
    explicit KProgressWindow(QWidget* parent);
    ~KProgressWindow() override;

    void start(const QString& text, std::int64_t total) override;
    bool advance(std::int64_t done) override;
    void finish() override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    std::int64_t m_total = 0;
};
