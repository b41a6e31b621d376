#include "errorreport.h"

#include "frmSettings.h"
#include "reporttext.h"

#include <QMessageBox>
#include <cstdio>

namespace ErrorReport {

void show(std::exception_ptr error)
{
    const ReportText report = reportText(error);
    std::fprintf(stderr, "%s\n", report.text.c_str());
    std::fflush(stderr);

    QString html = QString::fromStdString(report.text).toHtmlEscaped();
    if (!report.folder.empty()) {
        // A path broken in the middle of a word is hard to read and to copy.
        const QString folder = QString::fromStdString(report.folder).toHtmlEscaped();
        html.replace(folder, QStringLiteral("<nobr>%1</nobr>").arg(folder));
    }
    html.replace(u'\n', QStringLiteral("<br>"));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ReportTitle), html, QMessageBox::Ok);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setWindowIcon(frmSettings::icon());
    box.exec();
}

} // namespace ErrorReport
