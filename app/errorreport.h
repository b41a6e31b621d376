#pragma once

#include <QString>
#include <exception>

// The one report of an error that ends the program.
namespace ErrorReport {

// The text of the report, in words the user can act on.
QString text(const std::exception *error);

// Writes the text to standard error at once, hides every window and shows
// it in a modal message box titled with the program's name.
void show(const QString &text);

} // namespace ErrorReport
