#include "pictureloader.h"

#include "picturefile.h"
#include "runtimeerror.h"

QImage loadPicture(const QString &fileName)
{
    const std::string name = fileName.toStdString();
    const std::vector<std::uint8_t> bytes = readPictureFile(name);
    QImage picture = QImage::fromData(bytes.data(), int(bytes.size()), "BMP");
    if (picture.isNull())
        throw FileError(FileError::Kind::Damaged, name, currentFolder(),
                        "the bitmap is stored in a way this program cannot show");
    return picture;
}
