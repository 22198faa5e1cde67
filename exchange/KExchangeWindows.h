#pragma once

#include "exchange/KExchangeDialogs.h"

#include <memory>

class KCommandHost;
class KProgressWindow;
class QWidget;

// The exchange commands' questions answered by the program's own windows. The command states
// follow the clipboard: Plakken is enabled while it holds text.
class KExchangeWindows : public KExchangeDialogs {
public:
    explicit KExchangeWindows(KCommandHost& host);
    ~KExchangeWindows() override;

    std::optional<QString> importFile() override;
    std::optional<KImportMapping> mapColumns(const KImportSetup& setup) override;
    void showResult(const KImportReport& report) override;
    std::optional<QString> excelFile() override;
    QString clipboardText() override;
    bool clipboardHasText() override { return m_clipboardHasText; }
    KProgressReport& progress() override;

private:
    QWidget* m_window;
    std::unique_ptr<KProgressWindow> m_progress;
    // Read once when the clipboard changes: asking the window system for it can take long.
    bool m_clipboardHasText = false;
};
