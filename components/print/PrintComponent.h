#pragma once

#include "components/support/ComObject.h"
#include "platform/ComponentInterfaces.h"

#include <QString>

// The print component: the grid with its title and date lines into a preview window, from
// which the user prints or saves a PDF, or straight into a PDF file.
class PrintComponent final : public ComObject<IKPrint, IID_IKPrint> {
public:
    KStatus BeginJob(const char* program, const char* job) override;
    KStatus SetOutputFile(const char* pdfPath) override;
    KStatus SetOrientation(std::int32_t orientation) override;
    KStatus SetGrid(const KGridSource* grid) override;
    KStatus GetPageCount(std::int32_t* pages) override;
    KStatus PrintJob(std::int32_t flags) override;
    KStatus SetTitleLine(const char* line) override;
    KStatus SetDateLine(const char* line) override;

private:
    QString m_program;
    QString m_job;
    QString m_title;
    QString m_date;
    QString m_outputFile;
    std::int32_t m_orientation = 0;
    const KGridSource* m_grid = nullptr;
    std::int32_t m_pageCount = 0;
};
