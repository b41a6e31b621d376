#pragma once

#include <cstdlib>
#include <exception>

// Where an error that escapes an event goes. No C++ exception may cross a
// window procedure: each procedure catches and hands the error on here.
class ErrorSink
{
public:
    virtual ~ErrorSink() = default;
    // Reports the error once and ends the program; does not return.
    [[noreturn]] virtual void fail(const std::exception *error) = 0;
};

// Runs an event handler; an error in it goes to the sink.
template <class Handler> auto guarded(ErrorSink &sink, Handler &&handler) -> decltype(handler())
{
    try {
        return handler();
    } catch (const std::exception &error) {
        sink.fail(&error);
    } catch (...) {
        sink.fail(nullptr);
    }
    std::abort(); // not reached: fail() does not return
}
