#include "platform/report/output.h"

#include "platform/report/designer.h"

#include <QCoreApplication>

namespace rpt {

namespace {
std::optional<bool> &designerOverride() {
    static std::optional<bool> v;
    return v;
}
} // namespace

bool designerRequested() {
    if (designerOverride()) return *designerOverride();
    return QCoreApplication::arguments().value(1) == QLatin1String("/ES");
}

void overrideDesignerSwitch(std::optional<bool> on) {
    designerOverride() = on;
}

void runReportOutput(QWidget *parent, Report &report, const OutputRequest &request) {
    report.clear();
    report.loadFromFile(request.templatePath);
    report.setData(request.data);
    for (auto it = request.variables.cbegin(); it != request.variables.cend(); ++it)
        report.setVariable(it.key(), it.value());
    if (designerRequested()) {
        ReportDesigner designer(report, request.templatePath, parent);
        designer.exec();
        return;
    }
    const PreparedReport prepared = report.prepare();
    ReportPreview preview(prepared, request.preview, parent);
    preview.exec();
}

} // namespace rpt
