#pragma once

#include <exception>

// The one report of an error that ends the program: written to standard
// error at once, then shown in a modal box titled with the program's name.
// Called once the event loop has ended, outside every event.
namespace ErrorReport {

void show(std::exception_ptr error);

} // namespace ErrorReport
