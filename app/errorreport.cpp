#include "errorreport.h"

#include "runtimeerror.h"
#include "tuningrecord.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>

namespace ErrorReport {

QString text(const std::exception *error)
{
    QString text = QStringLiteral("Corvex_Settings has to close.\n\n");
    if (const auto *runtime = dynamic_cast<const RuntimeError *>(error))
        text += runtime->message();
    else if (error)
        text += QStringLiteral("Unexpected error: %1").arg(QString::fromLocal8Bit(error->what()));
    else
        text += QStringLiteral("Unexpected error of unknown kind.");
    if (dynamic_cast<const FileError *>(error))
        text +=
            QStringLiteral("\n\nBoth %1 and %2 must lie in the folder the program is started from.")
                .arg(PicOnName, PicOffName);
    return text;
}

void show(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
    // No half-updated window stays behind the report.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QMessageBox::critical(nullptr, QStringLiteral("Corvex_Settings"), text);
}

} // namespace ErrorReport
