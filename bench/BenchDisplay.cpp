#include "BenchDisplay.h"

#include "BenchProcess.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The file descriptor on which Xvfb writes the display number it chose.
constexpr int kDisplayFdInChild = 3;
constexpr int kServerStartTimeoutMs = 10000;
constexpr unsigned kLeftButton = 1;
// Time between press and release, so the press is handled before the timed release.
constexpr int kPressHoldMs = 30;

// Windows may vanish between an event and the question about them; such errors are expected
// and must not end the benchmark (Xlib's default handler exits).
int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

VirtualDisplay::~VirtualDisplay()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

bool VirtualDisplay::start(const std::string &screen, const std::string &logPath, std::string &error)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], kDisplayFdInChild);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const std::string fdText = std::to_string(kDisplayFdInChild);
    const char *argv[] = {"Xvfb",         "-displayfd", fdText.c_str(), "-screen", "0",
                          screen.c_str(), "-nolisten",  "tcp",          nullptr};
    const int rc = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char **>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        m_pid = -1;
        error = std::string("cannot start Xvfb: ") + std::strerror(rc);
        return false;
    }

    std::string number;
    const double deadline = monotonicMs() + kServerStartTimeoutMs;
    while (number.find('\n') == std::string::npos && monotonicMs() < deadline) {
        pollfd fd{fds[0], POLLIN, 0};
        if (poll(&fd, 1, 100) <= 0)
            continue;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, size_t(n));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        error = "Xvfb did not report its display number (see " + logPath + ")";
        return false;
    }
    m_name = ":" + number.substr(0, number.find('\n'));
    return true;
}

WindowWatcher::~WindowWatcher()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool WindowWatcher::open(const std::string &displayName, std::string &error)
{
    XSetErrorHandler(ignoreXErrors);
    m_display = XOpenDisplay(displayName.c_str());
    if (!m_display) {
        error = "cannot connect to the X display " + displayName;
        return false;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor)) {
        error = "the X server has no XTest extension";
        return false;
    }
    m_wmProtocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
    m_wmDeleteWindow = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
    m_netWmName = XInternAtom(m_display, "_NET_WM_NAME", False);
    m_utf8String = XInternAtom(m_display, "UTF8_STRING", False);
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, False);
    return true;
}

int WindowWatcher::fd() const
{
    return ConnectionNumber(m_display);
}

std::vector<WindowEvent> WindowWatcher::takeEvents()
{
    std::vector<WindowEvent> events;
    while (XPending(m_display) > 0) {
        XEvent xevent;
        XNextEvent(m_display, &xevent);
        WindowEvent event;
        event.ms = monotonicMs();
        if (xevent.type == MapNotify) {
            event.kind = WindowEvent::Mapped;
            event.window = xevent.xmap.window;
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(m_display, event.window, &attributes)) {
                event.x = attributes.x;
                event.y = attributes.y;
                event.width = attributes.width;
                event.height = attributes.height;
            }
            event.title = titleOf(event.window);
        } else if (xevent.type == UnmapNotify) {
            event.kind = WindowEvent::Unmapped;
            event.window = xevent.xunmap.window;
        } else if (xevent.type == DestroyNotify) {
            event.kind = WindowEvent::Unmapped;
            event.window = xevent.xdestroywindow.window;
        } else {
            continue;
        }
        events.push_back(event);
    }
    return events;
}

double WindowWatcher::click(int x, int y)
{
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XTestFakeButtonEvent(m_display, kLeftButton, True, CurrentTime);
    XFlush(m_display);
    usleep(kPressHoldMs * 1000);
    const double releaseMs = monotonicMs();
    XTestFakeButtonEvent(m_display, kLeftButton, False, CurrentTime);
    XFlush(m_display);
    return releaseMs;
}

void WindowWatcher::requestClose(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = m_wmProtocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(m_wmDeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

std::string WindowWatcher::titleOf(Window window)
{
    std::string title;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char *data = nullptr;
    constexpr long kMaxTitleWords = 256;
    if (XGetWindowProperty(m_display, window, m_netWmName, 0, kMaxTitleWords, False, m_utf8String, &type,
                           &format, &count, &remaining, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char *name = nullptr;
        if (XFetchName(m_display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}
