#pragma once

#include <exception>
#include <functional>
#include <utility>

// Stands between the window system and the event handlers. No exception may
// cross a window procedure or a Qt signal: the first error that escapes a
// handler is kept here for the one report, and from then on no handler runs.
// The report itself waits until the failing event has returned, since a
// modal box inside a focus change breaks both platforms' rules.
class EventGuard
{
public:
    // Called once, at the first failure, to ask the event loop to end.
    explicit EventGuard(std::function<void()> endEventLoop = {})
        : m_endEventLoop(std::move(endEventLoop))
    {
    }

    // Runs the handler unless an earlier event failed; true when it ran to its end.
    template <class Handler> bool run(Handler &&handler) noexcept
    {
        if (m_error)
            return false;
        try {
            handler();
            return true;
        } catch (...) {
            fail(std::current_exception());
            return false;
        }
    }

    void fail(std::exception_ptr error) noexcept
    {
        if (m_error)
            return; // one report: later errors follow from the first
        m_error = error ? error : std::make_exception_ptr(std::bad_exception());
        if (m_endEventLoop)
            m_endEventLoop();
    }

    bool failed() const { return bool(m_error); }
    std::exception_ptr error() const { return m_error; }

private:
    std::function<void()> m_endEventLoop;
    std::exception_ptr m_error;
};
