#include "frmSettings.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    frmSettings window;
    window.load();
    window.show();
    return app.exec();
}
