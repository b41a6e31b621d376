// Times programs from process start until their window is mapped and painted,
// and reads their peak resident memory, alternating between the programs.
// Usage: startup_probe RUNS DIR COMMAND [DIR COMMAND ...]
// A command is run by the shell, as "exec COMMAND": "wine x.exe" works.
// Needs an X server with a window manager that keeps _NET_CLIENT_LIST, and a
// black root window (Xvfb -br): a pixel that is no longer black is painted.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<std::uint32_t> property(xcb_connection_t *connection, xcb_window_t window,
                                    xcb_atom_t name, xcb_atom_t type)
{
    auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 4096);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values,
                                      values + xcb_get_property_value_length(reply.get()) / 4);
}

struct Probe {
    xcb_connection_t *connection;
    xcb_window_t root;
    xcb_atom_t clientList;
    xcb_atom_t pidAtom;

    xcb_window_t windowOf(pid_t pid)
    {
        for (std::uint32_t window : property(connection, root, clientList, XCB_ATOM_WINDOW)) {
            const auto pids = property(connection, window, pidAtom, XCB_ATOM_CARDINAL);
            if (!pids.empty() && pid_t(pids[0]) == pid)
                return window;
        }
        return XCB_WINDOW_NONE;
    }

    bool painted(xcb_window_t window)
    {
        auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 5, 5, 1, 1, ~0u);
        std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
            xcb_get_image_reply(connection, cookie, nullptr), &std::free);
        if (!reply || xcb_get_image_data_length(reply.get()) < 3)
            return false;
        const std::uint8_t *pixel = xcb_get_image_data(reply.get());
        return pixel[0] || pixel[1] || pixel[2];
    }
};

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

struct Sample {
    double milliseconds;
    long kib;
};

bool runOnce(Probe &probe, const char *dir, const char *program, Sample &sample)
{
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir) != 0)
            _exit(127);
        const std::string command = std::string("exec ") + program;
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    bool done = false;
    for (int i = 0; i < 20000 && !done; ++i) {
        const xcb_window_t window = probe.windowOf(pid);
        if (window != XCB_WINDOW_NONE && probe.painted(window)) {
            sample.milliseconds =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            done = true;
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let the memory settle
    sample.kib = peakResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return done;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: startup_probe RUNS DIR COMMAND [DIR COMMAND ...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    Probe probe{connection, screens.data->root, atom(connection, "_NET_CLIENT_LIST"),
                atom(connection, "_NET_WM_PID")};

    const int programs = (argc - 2) / 2;
    std::vector<std::vector<double>> times(programs), memory(programs);
    for (int run = 0; run <= runs; ++run) {
        for (int p = 0; p < programs; ++p) {
            Sample sample{};
            if (!runOnce(probe, argv[2 + 2 * p], argv[3 + 2 * p], sample)) {
                std::fprintf(stderr, "startup_probe: %s showed no painted window\n",
                             argv[3 + 2 * p]);
                return 1;
            }
            if (run == 0)
                continue; // the first round warms the caches
            times[p].push_back(sample.milliseconds);
            memory[p].push_back(double(sample.kib));
        }
    }
    std::printf("%-40s %14s %16s\n", "program (median of runs)", "start-up ms", "peak RSS KiB");
    for (int p = 0; p < programs; ++p)
        std::printf("%-40s %14.1f %16.0f\n", argv[3 + 2 * p], median(times[p]), median(memory[p]));
    for (int p = 1; p < programs; ++p)
        std::printf("ratio %s / %s: time %.2f x, memory %.2f x\n", argv[3], argv[3 + 2 * p],
                    median(times[0]) / median(times[p]), median(memory[0]) / median(memory[p]));
    xcb_disconnect(connection);
    return 0;
}
