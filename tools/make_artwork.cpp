// Writes the program's pictures into a folder: make_artwork DIR
#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    using namespace Artwork;
    const bool ok = write(dir, "Corvex_Settings.ico", windowsIcon()) &&
                    write(dir, "picDIP_SW.bmp", toBmp(housing())) &&
                    write(dir, "switch.bmp", toBmp(switchSlot(Lever::Off))) &&
                    write(dir, "ON_SW.bmp", toBmp(switchSlot(Lever::On))) &&
                    write(dir, "OFF_SW.bmp", toBmp(switchSlot(Lever::Off)));
    bool icons = dir.mkpath(QStringLiteral("icons"));
    for (const int size : LauncherIconSizes)
        icons = icons && write(dir, QStringLiteral("icons/%1.png").arg(size), toPng(lamp(size)));
    for (const int size : WebIconSizes)
        icons = icons && write(dir, QStringLiteral("icons/%1.png").arg(size), toPng(lamp(size))) &&
                write(dir, QStringLiteral("icons/maskable-%1.png").arg(size),
                      toPng(maskableLamp(size)));
    return ok && icons ? 0 : 1;
}
