#pragma once

#include "core/output/MemberExport.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

// "Exporteren": which of the grid's columns go into the file, and whether what members owe is
// split by contribution part ("Schuldonderdelen", offered while "Schuld" is selected).
// "&Exporteren" hands the choice to the exporter and closes only when it reports success.
class KDlgExport : public QDialog {
    Q_OBJECT

public:
    explicit KDlgExport(QWidget* parent = nullptr);

    // The items in list order, all selected; "Schuldonderdelen" unticked.
    void setItems(const std::vector<std::string>& items);
    void setExporter(std::function<bool(const MemberExport::Choice&)> exporter) {
        m_exporter = std::move(exporter);
    }
    MemberExport::Choice choice() const;

    QListWidget* list() const { return m_list; }
    QCheckBox* partsBox() const { return m_parts; }
    QPushButton* exportButton() const { return m_export; }

    void accept() override;

private:
    void build();
    void selectionChanged();

    std::vector<std::string> m_items;
    std::function<bool(const MemberExport::Choice&)> m_exporter;
    QListWidget* m_list = nullptr;
    QCheckBox* m_parts = nullptr;
    QPushButton* m_export = nullptr;
};
