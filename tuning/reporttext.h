#pragma once

#include <exception>
#include <string>

// The one report of an error that ends the program, worded once for both
// programs: what happened, where, why, and what the user can do about it.
inline constexpr const char *ReportTitle = "Corvex_Settings";

// UTF-8, lines separated by '\n'. A null error stands for one of unknown kind.
std::string reportText(const std::exception *error);
