#pragma once

#include <QImage>
#include <QString>

// Reads an image file named relative to the current directory, afresh on
// every call. Throws FileError, naming the file, the folder and the reason.
QImage loadPicture(const QString &fileName);
