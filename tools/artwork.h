#pragma once

#include <QByteArray>
#include <QImage>

// The program's pictures, drawn in code so that they can be rebuilt and
// checked byte for byte.
namespace Artwork {

inline constexpr int SlotCount = 8;
inline constexpr int SlotWidth = 8;
inline constexpr int SlotHeight = 19;
inline constexpr int SlotPitch = 12;
inline constexpr int FirstSlotLeft = 5;
inline constexpr int SlotTop = 13;

enum class Lever { On, Off };

QImage housing();               // 100 x 49, eight pure white slots
QImage switchSlot(Lever lever); // 8 x 19, one slot with its lever
// The window icon, with alpha: 32 x 32 as the program carries it, other
// sizes for launchers.
QImage lamp(int size = 32);
inline constexpr int LauncherIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The sizes a web app's manifest offers for installing it.
inline constexpr int WebIconSizes[] = {192, 512};
// The face of the window behind the lamp (the system's button face as Windows
// 10 draws it), filling the whole square: a launcher may cut it to any shape,
// and the lamp stays within the circle every shape keeps.
inline constexpr QRgb WindowFace = 0xfff0f0f0;
QImage maskableLamp(int size);
// The sizes Windows asks for at 100 % to 200 %, besides the old 16-colour one.
inline constexpr int WindowsIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

// A Windows bitmap, 24 bits per pixel, bottom-up, uncompressed.
QByteArray toBmp(const QImage &image);
// A PNG file, for desktops that want the icon in that form.
QByteArray toPng(const QImage &image);
// The program's icon file: the lamp at 32 x 32 in the standard 16 colours
// with a mask, as the program has always had it, then at every Windows size
// in 32-bit colour with alpha.
QByteArray windowsIcon();

} // namespace Artwork
