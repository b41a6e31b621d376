// The floor for start-up: a Qt Widgets dialog of the same size with one label
// and nothing else.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
    dialog.setFixedSize(312, 213);
    QLabel label(QStringLiteral("Hello"), &dialog);
    label.move(57, 87);
    dialog.show();
    return app.exec();
}
