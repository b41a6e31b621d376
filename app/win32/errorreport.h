#pragma once

#include <exception>

// The one report of an error that ends the program: written to standard
// error where there is one, then shown in a message box titled with the
// program's name. Called once the message loop has ended, outside every
// message, with the settings window already gone.
namespace ErrorReport {

void show(std::exception_ptr error);

} // namespace ErrorReport
