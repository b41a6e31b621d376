#include "errorreport.h"

#include "reporttext.h"
#include "runtimeerror.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>

namespace ErrorReport {

void show(const std::exception *error)
{
    const std::string text = reportText(error);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    // No half-updated window stays behind the report.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();

    QString html = QString::fromStdString(text).toHtmlEscaped();
    if (const auto *file = dynamic_cast<const FileError *>(error)) {
        // A path broken in the middle of a word is hard to read and to copy.
        const QString folder = QString::fromStdString(file->folder()).toHtmlEscaped();
        html.replace(folder, QStringLiteral("<nobr>%1</nobr>").arg(folder));
    }
    html.replace(u'\n', QStringLiteral("<br>"));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ReportTitle), html, QMessageBox::Ok);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace ErrorReport
