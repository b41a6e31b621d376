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
    case FileError::Kind::Locked:
        return "Close that program, or wait until it has finished, then start the program "
               "again.";
    case FileError::Kind::Damaged:
        break;
    }
    return "Replace " + error.fileName() +
           " with a good copy of the picture, then start the program again.";
}

// A page has no folder to put a file into, and no program to start.
std::string serverHintFor(const FileError &error)
{
    switch (error.kind()) {
    case FileError::Kind::Missing:
        return "Put " + std::string(PicOnName) + " and " + PicOffName +
               " on the page's server beside the page, then start again.";
    case FileError::Kind::Damaged:
        return "Put a good copy of " + error.fileName() +
               " on the page's server, then start again.";
    case FileError::Kind::Unreadable:
    case FileError::Kind::Locked:
        break;
    }
    return pageServerHint();
}

} // namespace

std::string reportOpening()
{
    return std::string(ReportTitle) + " has to close.\n\n";
}

ReportText reportText(std::exception_ptr error, PictureSource source)
{
    ReportText report{reportOpening(), ""};
    try {
        if (error)
            std::rethrow_exception(error);
        report.text += "Unexpected error of unknown kind.";
    } catch (const FileError &file) {
        // The folder stands on a line of its own so that it is never broken.
        report.text += "The picture " + quoted(file.fileName()) +
                       " could not be read from the folder\n" + file.folder() +
                       "\n\nReason: " + file.reason() + ".\n\n" +
                       (source == PictureSource::Server ? serverHintFor(file) : hintFor(file));
        report.folder = file.folder();
    } catch (const RuntimeError &runtime) {
        report.text += runtime.what();
    } catch (const std::exception &other) {
        report.text += std::string("Unexpected error: ") + other.what();
    } catch (...) {
        report.text += "Unexpected error of unknown kind.";
    }
    return report;
}

std::string pageStoppedReason()
{
    return "the page's server stopped answering (nothing came for " +
           std::to_string(PageQuietSeconds) + " s)";
}

std::string pageServerHint()
{
    return "Check the network connection and that the page's server is running, then start again.";
}
