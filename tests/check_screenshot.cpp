// check_screenshot SHOT.png SCALE RESOURCES_DIR: the window right after start.
#include "switchblock.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: check_screenshot SHOT.png SCALE RESOURCES_DIR\n");
        return 2;
    }
    const QImage shot =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const int scale = QByteArray(argv[2]).toInt();
    const QString resources = QString::fromLocal8Bit(argv[3]) + u'/';
    const auto image = [&](const char *name) {
        return QImage(resources + QString::fromLatin1(name)).convertToFormat(QImage::Format_RGB32);
    };
    if (shot.size() != QSize(312, 213) * scale) {
        std::fprintf(stderr, "window is %dx%d\n", shot.width(), shot.height());
        return 1;
    }
    // Right after start the switches show 87.5 MHz, code 50.
    const QString problem = checkSwitchBlock(shot, QPoint(104, 152), scale, image("picDIP_SW.bmp"),
                                             image("ON_SW.bmp"), image("OFF_SW.bmp"), 50);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    return 0;
}
