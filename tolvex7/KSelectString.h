#pragma once

#include "tolvex7/Tolvex7Export.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QListWidget;

// List box style bits a caller of SelectString may pass: several items may be chosen.
inline constexpr unsigned kSelectExtended = 0x0800; // extended selection
inline constexpr unsigned kSelectMultiple = 0x0008; // each click toggles

// Lets the user choose one or, with kSelectExtended, several strings from a list, in the
// list's own order. The dialog opens wide enough for the widest item (within the screen) and
// the list follows when the user resizes it.
class TOLVEX7_EXPORT KSelectString : public QDialog {
    Q_OBJECT

public:
    KSelectString(const std::vector<std::string>& items, const char* caption, unsigned style,
                  const char* helpFile, unsigned helpContext, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    bool multiple() const { return m_multiple; }
    // After OK: the rows and texts chosen, in list order; empty after Cancel or when nothing
    // was chosen.
    const std::vector<int>& chosenRows() const { return m_chosenRows; }
    std::vector<std::string> chosen() const;

    void accept() override;
    // Opens the help file on the context; nothing without a help file.
    void help();

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToContents();

    const std::vector<std::string>& m_items;
    std::string m_helpFile;
    unsigned m_helpContext;
    bool m_multiple;
    bool m_fitted = false;
    QListWidget* m_list = nullptr;
    std::vector<int> m_chosenRows;
};

// The strings chosen, or null for Cancel and for OK without a choice.
TOLVEX7_EXPORT std::unique_ptr<std::vector<std::string>>
SelectString(const std::vector<std::string>* items, const char* caption, unsigned style,
             const char* helpFile, unsigned helpContext);
