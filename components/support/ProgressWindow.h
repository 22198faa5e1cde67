#pragma once

#include "core/KProgressReport.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// A window that shows how far long work is and lets the user stop it: "Stoppen" or Escape.
// It appears only when the work takes longer than a moment.
class ProgressWindow : public KProgressReport {
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    ~ProgressWindow() override;

    void start(const QString& text, std::int64_t total) override;
    bool advance(std::int64_t done) override;
    void finish() override;

    // Whether the user asked to stop during the last piece of work.
    bool stopped() const { return m_stopped; }

private:
    QWidget* m_parent;
    std::unique_ptr<QProgressDialog> m_dialog;
    std::int64_t m_total = 0;
    bool m_stopped = false;
};
