#include "errorreport.h"

#include "frmSettings.h"
#include "reporttext.h"

#include <QMessageBox>
#include <cstdio>

namespace ErrorReport {

void show(std::exception_ptr error)
{
    const ReportText report = reportText(error);
    std::fprintf(stderr, "%s\n", report.text().c_str());
    std::fflush(stderr);

    const auto html = [](const std::string &text) {
        return QString::fromStdString(text).toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
    };
    QString happened = html(report.happened);
    if (!report.folder.empty()) // a path broken in the middle of a word is hard to read and to copy
        happened += QStringLiteral("<br><nobr>%1</nobr>").arg(html(report.folder));
    QStringList paragraphs{html(report.opening), happened};
    for (const std::string *part : {&report.reason, &report.whatToDo})
        if (!part->empty())
            paragraphs << html(*part);
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(report.title),
                    paragraphs.join(QStringLiteral("<br><br>")), QMessageBox::Ok);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setWindowIcon(frmSettings::icon());
    box.exec();
}

} // namespace ErrorReport
