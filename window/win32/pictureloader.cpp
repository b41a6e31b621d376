#include "pictureloader.h"

#include "lasterror.h"
#include "picturefile.h"
#include "widetext.h"

#include <span>

Picture loadEmbeddedPicture(HINSTANCE instance, const char *fileName)
{
    HRSRC found = FindResourceW(instance, widen(fileName).c_str(), MAKEINTRESOURCEW(10)); // RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        throwLastError(ownPictureMissing(fileName).c_str());
    return decodeOwnPicture(fileName, std::span(static_cast<const std::uint8_t *>(bytes),
                                                SizeofResource(instance, found)));
}
