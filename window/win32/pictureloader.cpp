#include "pictureloader.h"

#include "picturefile.h"
#include "runtimeerror.h"
#include "widetext.h"

OwnedBitmap loadPicture(const std::string &fileName)
{
    // Read by the program itself: a bare name given to LoadImage may be found
    // in the program's own folder instead of the current one.
    const std::vector<std::uint8_t> bytes = readPictureFile(fileName);
    const auto *info =
        reinterpret_cast<const BITMAPINFO *>(bytes.data() + sizeof(BITMAPFILEHEADER));
    const auto *file = reinterpret_cast<const BITMAPFILEHEADER *>(bytes.data());
    WindowDC screen(nullptr);
    OwnedBitmap bitmap(CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT,
                                      bytes.data() + file->bfOffBits, info, DIB_RGB_COLORS));
    if (!bitmap)
        throw FileError(FileError::Kind::Damaged, fileName, currentFolder(),
                        "the bitmap is stored in a way this program cannot show");
    return bitmap;
}

OwnedBitmap loadEmbeddedPicture(HINSTANCE instance, const std::string &fileName)
{
    return OwnedBitmap(static_cast<HBITMAP>(
        LoadImageW(instance, widen(fileName).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}
