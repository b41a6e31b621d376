#include "pictureloader.h"

#include "lasterror.h"
#include "runtimeerror.h"
#include "widetext.h"

#include <span>

Picture loadEmbeddedPicture(HINSTANCE instance, const char *fileName)
{
    const std::string what = std::string("The program's own picture ") + fileName;
    HRSRC found = FindResourceW(instance, widen(fileName).c_str(), MAKEINTRESOURCEW(10)); // RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        throwLastError((what + " cannot be found").c_str());
    Picture picture;
    if (const auto problem = decodeBitmap(
            std::span(static_cast<const std::uint8_t *>(bytes), SizeofResource(instance, found)),
            picture))
        throw RuntimeError(what + " cannot be shown: " + *problem + ".");
    return picture;
}
