// The floor for start-up: a Qt Widgets dialog of the same size with one label
// and nothing else. With --field, a focused text field in a large bold face
// beside it: the least window with the kinds of controls the program has.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
    dialog.setFixedSize(312, 213);
    QLabel label(QStringLiteral("Hello"), &dialog);
    label.move(57, 87);
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--field")) {
        auto *field = new QLineEdit(QStringLiteral("87.5"), &dialog);
        field->setFont(QFont(QStringLiteral("Liberation Sans"), 24, QFont::Bold));
        field->setGeometry(100, 38, 93, 41);
        field->setFocus();
    }
    dialog.show();
    return app.exec();
}
