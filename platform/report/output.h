#pragma once
// Report output, the same for every window that prints: clear the report, load the template
// if its file exists (a missing file leaves the report empty), set the window's variables,
// then either open the template editor (first program argument "/ES") or prepare the report
// and, only if that succeeded, show the modal preview.

#include "platform/report/engine.h"
#include "platform/report/preview.h"

#include <optional>

class QWidget;

namespace rpt {

struct OutputRequest {
    QString templatePath;
    const RowSet *data = nullptr;
    QMap<QString, QVariant> variables;
    PreviewOptions preview;
};

// True when the program was started with "/ES" as its first argument (exactly).
bool designerRequested();
// For tests: pretend the switch is (or is not) there; nullopt reads the arguments again.
void overrideDesignerSwitch(std::optional<bool> on);

// Throws ReportError (template faults) for the caller's guard to report.
void runReportOutput(QWidget *parent, Report &report, const OutputRequest &request);

} // namespace rpt
