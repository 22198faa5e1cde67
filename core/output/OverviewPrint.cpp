#include "core/output/OverviewPrint.h"

#include "core/format/Clock.h"
#include "core/format/KDateValue.h"
#include "platform/ComponentInterfaces.h"

namespace OverviewPrint {

std::string dateLine() {
    return "|" + KDateValue(Clock::today()).Text() + "|";
}

KResult print(IKPrint& component, const KGridSource& grid, const std::string& pdfPath) {
    bool ok = !failed(component.BeginJob(kProgram, kJob));
    ok = !failed(component.SetTitleLine(kTitleLine)) && ok;
    ok = !failed(component.SetGrid(&grid)) && ok;
    ok = !failed(component.SetDateLine(dateLine().c_str())) && ok;
    if (!pdfPath.empty())
        ok = !failed(component.SetOutputFile(pdfPath.c_str())) && ok;
    ok = !failed(component.PrintJob(0)) && ok;
    return ok ? KResult::done() : KResult::failed(QStringLiteral("Probleem bij afdrukken"));
}

} // namespace OverviewPrint
