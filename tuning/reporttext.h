#pragma once

#include <exception>
#include <string>

// The one report of an error that ends the program, worded once for every
// front end: what happened, where, why, and what the user can do about it.
inline constexpr const char *ReportTitle = "Corvex_Settings";

// The report's parts, UTF-8, which each front end lays out. Parts that are
// empty are not shown; a part may hold paragraphs ("\n\n") and lines ("\n").
struct ReportText {
    std::string title = ReportTitle;
    std::string opening;  // the program has to close
    std::string happened; // what went wrong: the error, or the file that could not be read
    std::string folder;   // that file's folder, after `happened` on a line of its own, never broken
    std::string reason;   // why the file could not be read
    std::string whatToDo;

    // All of it as plain text, paragraphs apart by a blank line.
    std::string text() const;
};

// Where the pictures come from, which decides what the user is told to do:
// a folder on this computer, or the web page's server over a network.
enum class PictureSource { Folder, Server };

// What every report opens with: "Corvex_Settings has to close."
std::string reportOpening();
// The report's button in a web page, which starts the page again.
inline constexpr const char *ReportStartAgain = "Start again";
// Why a web page ends before its module could start, the error's words after it.
inline constexpr const char *PageStartFailure = "The page could not start its program: ";
// A request of the page's that receives nothing, no answer and no more of its
// body, for this long is given up, however long it has taken so far.
inline constexpr int PageQuietSeconds = 5;
// Why such a request was given up, and what to do when the server did not
// answer.
std::string pageStoppedReason();
std::string pageServerHint();
// What a page shows from its first paint until its window comes.
inline constexpr const char *PageLoading = "Loading";

// A null error stands for one of unknown kind.
ReportText reportText(std::exception_ptr error, PictureSource source = PictureSource::Folder);
