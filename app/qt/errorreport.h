#pragma once

#include <exception>

// The one report of an error that ends the program: written to standard
// error at once, then shown in a modal box titled with the program's name,
// with every other window hidden.
namespace ErrorReport {

void show(const std::exception *error);

} // namespace ErrorReport
