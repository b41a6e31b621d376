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
    return std::string(ReportTitle) + " has to close.";
}

std::string ReportText::text() const
{
    std::string all = opening;
    for (const std::string *part : {&happened, &reason, &whatToDo}) {
        if (part->empty())
            continue;
        all += (all.empty() ? "" : "\n\n") + *part;
        if (part == &happened && !folder.empty())
            all += "\n" + folder;
    }
    return all;
}

ReportText reportText(std::exception_ptr error, PictureSource source)
{
    ReportText report;
    report.opening = reportOpening();
    try {
        if (error)
            std::rethrow_exception(error);
        report.happened = "Unexpected error of unknown kind.";
    } catch (const FileError &file) {
        report.happened =
            "The picture " + quoted(file.fileName()) + " could not be read from the folder";
        report.folder = file.folder();
        report.reason = "Reason: " + file.reason() + ".";
        report.whatToDo = source == PictureSource::Server ? serverHintFor(file) : hintFor(file);
    } catch (const RuntimeError &runtime) {
        report.happened = runtime.what();
    } catch (const std::exception &other) {
        report.happened = std::string("Unexpected error: ") + other.what();
    } catch (...) {
        report.happened = "Unexpected error of unknown kind.";
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
