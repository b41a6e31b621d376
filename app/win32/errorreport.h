#pragma once

#include "errorsink.h"

// The one report of an error that ends the program: written to standard
// error where there is one, then shown in a message box titled with the
// program's name, with the settings window hidden. The process then ends
// with status 1.
class ErrorReport : public ErrorSink
{
public:
    [[noreturn]] void fail(const std::exception *error) override;

private:
    bool m_failing = false;
};
