#include "reporttext.h"

#include "runtimeerror.h"
#include "tuningrecord.h"

namespace {

std::string quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

std::string hintFor(const FileError &error)
{
    switch (error.kind()) {
    case FileError::Kind::Missing:
        return "Put " + std::string(PicOnName) + " and " + PicOffName +
               " into this folder, or start the program from the folder that holds them.";
    case FileError::Kind::Unreadable:
        return "Make sure that you may read " + error.fileName() +
               ", then start the program again.";
    case FileError::Kind::Damaged:
        break;
    }
    return "Replace " + error.fileName() +
           " with a good copy of the picture, then start the program again.";
}

} // namespace

std::string reportText(const std::exception *error)
{
    std::string text = std::string(ReportTitle) + " has to close.\n\n";
    if (const auto *file = dynamic_cast<const FileError *>(error)) {
        // The folder stands on a line of its own so that it is never broken.
        text += "The picture " + quoted(file->fileName()) + " could not be read from the folder\n" +
                file->folder() + "\n\nReason: " + file->reason() + ".\n\n" + hintFor(*file);
    } else if (dynamic_cast<const RuntimeError *>(error)) {
        text += error->what();
    } else if (error) {
        text += std::string("Unexpected error: ") + error->what();
    } else {
        text += "Unexpected error of unknown kind.";
    }
    return text;
}
