#pragma once
// The X side of the benchmark: a private virtual X server, and a client of it that sees every
// top-level window being mapped or unmapped, clicks like a user, and asks windows to close.

#include <X11/Xlib.h>

#include <string>
#include <sys/types.h>
#include <vector>

// An Xvfb server on a display number it picks itself; stopped when the object goes.
class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Starts the server with one screen of the given size; its log goes to `logPath`.
    bool start(const std::string &screen, const std::string &logPath, std::string &error);
    const std::string &name() const { return m_name; } ///< e.g. ":3"

private:
    pid_t m_pid = -1;
    std::string m_name;
};

struct WindowEvent
{
    enum Kind
    {
        Mapped,
        Unmapped,
    };
    Kind kind = Mapped;
    double ms = 0; ///< monotonic time at which the watcher received the event
    Window window = 0;
    std::string title; ///< mapped windows only
    int x = 0, y = 0;  ///< position on the root window, mapped windows only
    int width = 0, height = 0;
};

class WindowWatcher
{
public:
    WindowWatcher() = default;
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher &) = delete;
    WindowWatcher &operator=(const WindowWatcher &) = delete;

    // Connects to the display and starts watching the root window's children.
    bool open(const std::string &displayName, std::string &error);
    int fd() const;
    Display *display() const { return m_display; }

    // Takes every event that has arrived, stamped with the time it was read.
    std::vector<WindowEvent> takeEvents();

    // Presses and releases the first mouse button at root position x, y; returns the time
    // right before the release was sent, which is when a push button fires.
    double click(int x, int y);

    // Sends the window manager's close request (WM_DELETE_WINDOW), as a title-bar close does.
    void requestClose(Window window);

private:
    std::string titleOf(Window window);

    Display *m_display = nullptr;
    Atom m_wmProtocols = 0;
    Atom m_wmDeleteWindow = 0;
    Atom m_netWmName = 0;
    Atom m_utf8String = 0;
};
