// Runs the tool and the bare reference program side by side under a private Xvfb and prints
// their start-up time, connect/show time, peak memory, idle processor use and the tool's
// lost-connection latency, as medians over several runs, against the targets.

#include "BenchDisplay.h"
#include "BenchProcess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Both programs' window titles, as the tool shows them in English.
const std::string kLanguageDialogTitle = "Select Language";
const std::string kMainWindowTitle = "Spectrophotometer Configuration Tool KT-9";
constexpr int kMainWindowWidth = 1171;
constexpr int kMainWindowHeight = 720;
// Centre of the language dialog's OK button (its geometry in the form: 240, 70, 91 x 41).
constexpr int kLanguageOkX = 240 + 91 / 2;
constexpr int kLanguageOkY = 70 + 41 / 2;

// Marks written on standard error: the reference's line right before it builds its dialog,
// and the tool's last line of filling the main window (the power-off read, which comes after
// the header and the pages have been filled).
const std::string kReferenceBuildMark = "reference: building the dialog";
const std::string kToolFilledMark = "QLX_GetShutdownTime() success";
// The tool's lines on each tick of its one-second disconnect watch, when the library reports
// the lost instrument, and when the watch sees it.
const std::string kToolWatchTickMark = "eEventCode_DisConnect check";
const std::string kToolLibraryLostMark = "eEventCode_DisConnect";
const std::string kToolWatchLostMark = "eEventCode_DisConnect true";
constexpr double kWatchIntervalMs = 1000;

const std::string kScreen = "1280x1024x24";
constexpr double kWindowTimeoutMs = 15000;
constexpr double kLostTimeoutMs = 5000;
constexpr double kExitTimeoutMs = 10000;
// Pause after a window appears, so that its first paint is over before the next step.
constexpr double kSettleMs = 500;

constexpr double kStartupFactorTarget = 1.5;
constexpr double kMemoryFactorTarget = 1.3;
constexpr double kIdleCpuPercentTarget = 1.0;
constexpr double kLostLatencyMsTarget = 1200;
constexpr int kMinimumRuns = 5;
constexpr double kKiBPerMiB = 1024.0;
constexpr double kPercent = 100.0;

// One instrument on USB without simulated latency; the same text plus "unplugged" pulls it.
const std::string kInstrumentJson = R"({
    "portType": 1,
    "serialNo": 1234567,
    "firmware": {"major": 1, "minor": 2, "build": 3},
    "macAddress": "0A:B0:00:01:FF:10",
    "wifiModuleEnable": 1,
    "shutdownMode": 2,
    "network": {"APConnectUse": 1, "DHCPUse": 0, "IPAddress": "192.168.0.20",
                "SubnetMask": "255.255.255.0", "DefaultGateway": "192.168.0.1", "DNS": "192.168.0.1",
                "SSID": "bench", "EncryptKey": "benchkey"},
    "calibration": {"whiteSerial": "10012345", "ambientSerial": "20012345"}%s
}
)";
const std::string kUnpluggedKey = R"(,
    "unplugged": true)";

struct Options
{
    std::string tool;
    std::string reference;
    int runs = kMinimumRuns;
    double idleSeconds = 10;
    bool warmUp = true;
    bool verbose = false;
    std::vector<std::string> extraEnvironment; ///< NAME=VALUE pairs given to both programs
};

struct Event
{
    enum Kind
    {
        Mapped,
        Unmapped,
        Line,
    };
    Kind kind = Line;
    double ms = 0;
    Window window = 0;
    std::string text; ///< window title or standard-error line
    int x = 0, y = 0, width = 0, height = 0;
};

struct ToolRun
{
    double startupMs = 0;
    double connectMs = 0;
    double idleCpuPercent = 0;
    double idleMainThreadPercent = 0;
    double libraryLostMs = 0; ///< pull until the library's event reached the tool
    double watchLostMs = 0;   ///< pull until the tool's watch saw it
    double lostMs = 0;        ///< pull until the message box was mapped
    double peakMiB = 0;
};

struct ReferenceRun
{
    double startupMs = 0;
    double showMs = 0;
    double idleCpuPercent = 0;
    double peakMiB = 0;
};

struct BenchError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::string trimmed(const std::string &text)
{
    const size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

bool isMainWindow(const Event &event)
{
    return event.kind == Event::Mapped && event.width == kMainWindowWidth &&
           event.height == kMainWindowHeight && event.text == kMainWindowTitle;
}

// Matches a standard-error line that reads `text`, blanks around it aside.
std::function<bool(const Event &)> lineIs(const std::string &text)
{
    return [text](const Event &e) { return e.kind == Event::Line && trimmed(e.text) == text; };
}

std::function<bool(const Event &)> lineStartsWith(const std::string &text)
{
    return [text](const Event &e) { return e.kind == Event::Line && e.text.rfind(text, 0) == 0; };
}

// A program under test and the X events around it, in the order they arrived.
class Observer
{
public:
    Observer(WindowWatcher &watcher, ChildProcess &child) : m_watcher(watcher), m_child(child) {}

    // Collects events until `matches` accepts one that arrived at or after `fromIndex`;
    // throws with `what` when `timeoutMs` passes first or the program ends.
    Event waitFor(const std::function<bool(const Event &)> &matches, double timeoutMs,
                  const std::string &what, size_t fromIndex = 0)
    {
        const double deadline = monotonicMs() + timeoutMs;
        for (size_t next = fromIndex;;) {
            for (; next < m_events.size(); ++next) {
                if (matches(m_events[next]))
                    return m_events[next];
            }
            const double left = deadline - monotonicMs();
            if (left <= 0)
                throw BenchError("timed out waiting for " + what + describeWindows());
            if (m_child.stderrFd() < 0 && m_child.waitForExit(0).exited)
                throw BenchError("the program ended while waiting for " + what);
            collect(left);
        }
    }

    // Keeps collecting events for `ms` milliseconds.
    void pump(double ms)
    {
        const double deadline = monotonicMs() + ms;
        for (double left = ms; left > 0; left = deadline - monotonicMs())
            collect(left);
    }

    size_t size() const { return m_events.size(); }

private:
    void collect(double maxWaitMs)
    {
        // Events may already sit in Xlib's queue, read there by an earlier request; then the
        // wait is skipped.
        if (XEventsQueued(m_watcher.display(), QueuedAlready) == 0) {
            pollfd fds[2] = {{m_watcher.fd(), POLLIN, 0}, {m_child.stderrFd(), POLLIN, 0}};
            const nfds_t count = m_child.stderrFd() >= 0 ? 2 : 1;
            poll(fds, count, std::max(1, int(maxWaitMs)));
        }
        // Lines first: taking window events asks the server about each window, which takes
        // a little time that would otherwise be added to the lines' stamps.
        const double linesMs = monotonicMs();
        for (const std::string &line : m_child.readLines()) {
            Event event;
            event.kind = Event::Line;
            event.ms = linesMs;
            event.text = line;
            m_events.push_back(event);
        }
        for (const WindowEvent &w : m_watcher.takeEvents()) {
            Event event;
            event.kind = w.kind == WindowEvent::Mapped ? Event::Mapped : Event::Unmapped;
            event.ms = w.ms;
            event.window = w.window;
            event.text = w.title;
            event.x = w.x;
            event.y = w.y;
            event.width = w.width;
            event.height = w.height;
            m_events.push_back(event);
        }
    }

    std::string describeWindows() const
    {
        std::string text;
        for (const Event &event : m_events) {
            if (event.kind == Event::Mapped)
                text += "\n    mapped \"" + event.text + "\" " + std::to_string(event.width) + "x" +
                        std::to_string(event.height);
        }
        return text.empty() ? std::string(" (no window was mapped)") : text;
    }

    WindowWatcher &m_watcher;
    ChildProcess &m_child;
    std::vector<Event> m_events;
};

// A private folder for one run: the simulated instrument and the programs' runtime folder.
class RunFolder
{
public:
    RunFolder()
    {
        char pattern[] = "/tmp/kt9-bench-XXXXXX";
        if (!mkdtemp(pattern))
            throw BenchError("cannot create a temporary folder");
        m_path = pattern;
        fs::create_directory(runtimeDir());
        fs::permissions(runtimeDir(), fs::perms::owner_all);
        writeInstrument(false);
    }
    ~RunFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    RunFolder(const RunFolder &) = delete;
    RunFolder &operator=(const RunFolder &) = delete;

    std::string path() const { return m_path.string(); }
    std::string runtimeDir() const { return (m_path / "runtime").string(); }

    // Writes the instrument file whole and renames it into place, so the library never
    // reads half a file.
    void writeInstrument(bool unplugged) const
    {
        const fs::path target = m_path / "instrument.json";
        const fs::path temporary = m_path / "instrument.json.new";
        std::string text = kInstrumentJson;
        text.replace(text.find("%s"), 2, unplugged ? kUnpluggedKey : std::string());
        {
            std::ofstream out(temporary, std::ios::trunc);
            out << text;
            if (!out.flush())
                throw BenchError("cannot write " + temporary.string());
        }
        fs::rename(temporary, target);
    }

private:
    fs::path m_path;
};

std::vector<std::string> childEnvironment(const Options &options, const std::string &display,
                                          const RunFolder &folder)
{
    const char *path = std::getenv("PATH");
    const char *home = std::getenv("HOME");
    std::vector<std::string> environment = {
        std::string("PATH=") + (path ? path : "/usr/bin:/bin"),
        std::string("HOME=") + (home ? home : "/tmp"),
        "DISPLAY=" + display,
        "QT_QPA_PLATFORM=xcb",
        "LANG=C.UTF-8",
        "LC_ALL=C.UTF-8",
        "XDG_RUNTIME_DIR=" + folder.runtimeDir(),
        // No session bus: without this an accessibility probe could start a bus daemon of
        // its own, which would outlive the run.
        "DBUS_SESSION_BUS_ADDRESS=unix:path=" + folder.path() + "/no-bus",
        "QT_LOGGING_RULES=default.debug=true",
        "QLXSDK_SIM_DIR=" + folder.path(),
    };
    environment.insert(environment.end(), options.extraEnvironment.begin(), options.extraEnvironment.end());
    return environment;
}

struct IdleCpu
{
    double percent = 0;           ///< whole process
    double mainThreadPercent = 0; ///< the GUI thread alone
};

// Processor use of the program over `seconds` of doing nothing, in percent of one core.
IdleCpu idleCpu(Observer &observer, const ChildProcess &child, double seconds)
{
    const double cpuBefore = child.cpuSeconds();
    const double mainBefore = child.mainThreadCpuSeconds();
    const double wallBefore = monotonicMs();
    observer.pump(seconds * 1000.0);
    const double cpuAfter = child.cpuSeconds();
    const double mainAfter = child.mainThreadCpuSeconds();
    const double wallSeconds = (monotonicMs() - wallBefore) / 1000.0;
    if (cpuBefore < 0 || cpuAfter < 0 || mainBefore < 0 || mainAfter < 0)
        throw BenchError("cannot read the program's processor time");
    return {(cpuAfter - cpuBefore) / wallSeconds * kPercent,
            (mainAfter - mainBefore) / wallSeconds * kPercent};
}

// Waits for the program to end after its last window was closed; returns its peak memory.
double finish(ChildProcess &child)
{
    const ExitInfo exit = child.waitForExit(kExitTimeoutMs);
    if (!exit.exited)
        throw BenchError("the program did not end after its window was closed");
    if (exit.status != 0)
        throw BenchError("the program ended with status " + std::to_string(exit.status));
    return double(exit.peakResidentKiB) / kKiBPerMiB;
}

// `watchPhase` (0 to 1) places the pull within the one-second period of the tool's disconnect
// watch: 0 right after a tick (the slowest case), 0.5 half a period later.
ToolRun runTool(const Options &options, const std::string &display, WindowWatcher &watcher, double watchPhase)
{
    RunFolder folder;
    ChildProcess child;
    std::string error;
    if (!child.start({options.tool}, childEnvironment(options, display, folder), error))
        throw BenchError(error);
    Observer observer(watcher, child);
    ToolRun run;

    const Event language = observer.waitFor(
        [](const Event &e) { return e.kind == Event::Mapped && e.text == kLanguageDialogTitle; },
        kWindowTimeoutMs, "the language dialog");
    run.startupMs = language.ms - child.startMs();
    const int okX = language.x + kLanguageOkX;
    const int okY = language.y + kLanguageOkY;

    observer.pump(kSettleMs);
    const size_t beforeClick = observer.size();
    const double clickMs = watcher.click(okX, okY);
    const Event main = observer.waitFor(isMainWindow, kWindowTimeoutMs, "the main window", beforeClick);
    const Window mainWindow = main.window;
    const double mainMappedMs = main.ms;
    const Event filled =
        observer.waitFor(lineStartsWith(kToolFilledMark), 0,
                         "the main window to be filled (\"" + kToolFilledMark + "\")", beforeClick);
    run.connectMs = std::max(mainMappedMs, filled.ms) - clickMs;

    observer.pump(kSettleMs);
    const IdleCpu idle = idleCpu(observer, child, options.idleSeconds);
    run.idleCpuPercent = idle.percent;
    run.idleMainThreadPercent = idle.mainThreadPercent;

    const Event tick = observer.waitFor(lineIs(kToolWatchTickMark), 2 * kWatchIntervalMs,
                                        "a tick of the disconnect watch", observer.size());
    observer.pump(tick.ms + watchPhase * kWatchIntervalMs - monotonicMs());
    const size_t beforePull = observer.size();
    folder.writeInstrument(true);
    const double pulledMs = monotonicMs();
    const Event box = observer.waitFor(
        [mainWindow](const Event &e) { return e.kind == Event::Mapped && e.window != mainWindow; },
        kLostTimeoutMs, "the lost-connection message", beforePull);
    const Window boxWindow = box.window;
    run.lostMs = box.ms - pulledMs;
    // Both lines come before the box, so they are already there.
    run.libraryLostMs =
        observer.waitFor(lineIs(kToolLibraryLostMark), 0, "the library's disconnect event", beforePull).ms -
        pulledMs;
    run.watchLostMs =
        observer.waitFor(lineIs(kToolWatchLostMark), 0, "the watch's disconnect line", beforePull).ms -
        pulledMs;

    observer.pump(kSettleMs);
    const size_t beforeClose = observer.size();
    watcher.requestClose(boxWindow);
    observer.waitFor(
        [boxWindow](const Event &e) { return e.kind == Event::Unmapped && e.window == boxWindow; },
        kWindowTimeoutMs, "the message box to close", beforeClose);
    watcher.requestClose(mainWindow);
    run.peakMiB = finish(child);
    return run;
}

ReferenceRun runReference(const Options &options, const std::string &display, WindowWatcher &watcher)
{
    RunFolder folder;
    ChildProcess child;
    std::string error;
    if (!child.start({options.reference}, childEnvironment(options, display, folder), error))
        throw BenchError(error);
    Observer observer(watcher, child);
    ReferenceRun run;

    const Event dialog = observer.waitFor(isMainWindow, kWindowTimeoutMs, "the reference's dialog");
    const Window dialogWindow = dialog.window;
    const double mappedMs = dialog.ms;
    const Event mark = observer.waitFor(lineIs(kReferenceBuildMark), 0, "the reference's build line");
    run.startupMs = mappedMs - child.startMs();
    run.showMs = mappedMs - mark.ms;

    observer.pump(kSettleMs);
    run.idleCpuPercent = idleCpu(observer, child, options.idleSeconds).percent;
    watcher.requestClose(dialogWindow);
    run.peakMiB = finish(child);
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

template <typename Run> std::vector<double> column(const std::vector<Run> &runs, double Run::*field)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*field);
    return values;
}

void printRow(const std::string &figure, const std::string &tool, const std::string &reference,
              const std::string &target, const char *result)
{
    std::printf("%-38s %12s %12s   %-28s %s\n", figure.c_str(), tool.c_str(), reference.c_str(),
                target.c_str(), result);
}

std::string number(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char *verdict(bool pass)
{
    return pass ? "PASS" : "FAIL";
}

// A figure as printed; targets are judged on the printed figures, so the table never shows
// 1.00 % next to a failed "< 1 %".
double rounded(double value, int decimals)
{
    return std::stod(number(value, decimals));
}

std::string factorTarget(double factor)
{
    return "<= " + number(factor, 1) + " x reference";
}

// Prints the table of medians and returns whether every target was met.
bool printSummary(const Options &options, const std::vector<ToolRun> &tools,
                  const std::vector<ReferenceRun> &references)
{
    const double toolStartup = rounded(median(column(tools, &ToolRun::startupMs)), 1);
    const double refStartup = rounded(median(column(references, &ReferenceRun::startupMs)), 1);
    const double toolConnect = rounded(median(column(tools, &ToolRun::connectMs)), 1);
    const double refShow = rounded(median(column(references, &ReferenceRun::showMs)), 1);
    const double toolPeak = rounded(median(column(tools, &ToolRun::peakMiB)), 1);
    const double refPeak = rounded(median(column(references, &ReferenceRun::peakMiB)), 1);
    const double toolIdle = rounded(median(column(tools, &ToolRun::idleCpuPercent)), 2);
    const double refIdle = rounded(median(column(references, &ReferenceRun::idleCpuPercent)), 2);
    const std::vector<double> lost = column(tools, &ToolRun::lostMs);
    const double lostMedian = rounded(median(lost), 1);
    const double lostWorst = rounded(*std::max_element(lost.begin(), lost.end()), 1);
    std::vector<double> otherThreads;
    for (const ToolRun &run : tools)
        otherThreads.push_back(run.idleCpuPercent - run.idleMainThreadPercent);

    const bool startupPass = toolStartup <= kStartupFactorTarget * refStartup;
    const bool memoryPass = toolPeak <= kMemoryFactorTarget * refPeak;
    const bool idlePass = toolIdle < kIdleCpuPercentTarget;
    const bool lostPass = lostWorst < kLostLatencyMsTarget;

    std::printf("\nMedians of %d runs each%s; Xvfb %s, no window manager.\n", options.runs,
                options.warmUp ? " after one warm-up run" : "", kScreen.c_str());
    for (const std::string &setting : options.extraEnvironment)
        std::printf("Both programs ran with %s.\n", setting.c_str());
    if (options.runs < kMinimumRuns)
        std::printf("Fewer than %d runs: a quick look, not a benchmark figure.\n", kMinimumRuns);
    printRow("figure", "kt9-config", "reference", "target", "result");
    printRow("start-up to first window (ms)", number(toolStartup, 1), number(refStartup, 1),
             factorTarget(kStartupFactorTarget), verdict(startupPass));
    printRow("connect to filled window / show (ms)", number(toolConnect, 1), number(refShow, 1), "none", "-");
    printRow("peak resident memory (MiB)", number(toolPeak, 1), number(refPeak, 1),
             factorTarget(kMemoryFactorTarget), verdict(memoryPass));
    printRow("CPU idle " + number(options.idleSeconds, 0) + " s (% of one core)", number(toolIdle, 2),
             number(refIdle, 2), "< " + number(kIdleCpuPercentTarget, 0) + " %", verdict(idlePass));
    printRow("lost connection to message (ms)", number(lostMedian, 1), "-", "", "");
    printRow("  worst run (ms)", number(lostWorst, 1), "-",
             "< " + number(kLostLatencyMsTarget, 0) + " ms in every run", verdict(lostPass));
    std::printf("  lost connection, medians: library event after %.1f ms, watch after %.1f ms\n",
                median(column(tools, &ToolRun::libraryLostMs)), median(column(tools, &ToolRun::watchLostMs)));
    std::printf("  idle CPU of the tool, medians: GUI thread %.2f %%, other threads %.2f %%\n",
                median(column(tools, &ToolRun::idleMainThreadPercent)), median(otherThreads));
    std::printf("  ratios: start-up %.2f x, memory %.2f x\n", toolStartup / refStartup, toolPeak / refPeak);
    return startupPass && memoryPass && idlePass && lostPass;
}

void usage(const char *program)
{
    std::fprintf(stderr,
                 "usage: %s --tool PATH --reference PATH [--runs N] [--idle-seconds S] [--no-warm-up] "
                 "[--verbose] [--env NAME=VALUE]...\n",
                 program);
}

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--tool" && hasValue)
            options.tool = argv[++i];
        else if (arg == "--reference" && hasValue)
            options.reference = argv[++i];
        else if (arg == "--runs" && hasValue)
            options.runs = std::atoi(argv[++i]);
        else if (arg == "--idle-seconds" && hasValue)
            options.idleSeconds = std::atof(argv[++i]);
        else if (arg == "--no-warm-up")
            options.warmUp = false;
        else if (arg == "--verbose")
            options.verbose = true;
        else if (arg == "--env" && hasValue && std::string(argv[i + 1]).find('=') != std::string::npos)
            options.extraEnvironment.push_back(argv[++i]);
        else
            return false;
    }
    return !options.tool.empty() && !options.reference.empty() && options.runs > 0 && options.idleSeconds > 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        usage(argv[0]);
        return 2;
    }
    options.tool = fs::absolute(options.tool).string();
    options.reference = fs::absolute(options.reference).string();

    try {
        const std::string serverLog = (fs::temp_directory_path() / "kt9-bench-xvfb.log").string();
        VirtualDisplay server;
        std::string error;
        if (!server.start(kScreen, serverLog, error))
            throw BenchError(error);
        WindowWatcher watcher;
        if (!watcher.open(server.name(), error))
            throw BenchError(error);

        if (options.warmUp) {
            // One discarded run of each, so that both start from warm file caches.
            runReference(options, server.name(), watcher);
            runTool(options, server.name(), watcher, 0);
        }
        std::vector<ToolRun> tools;
        std::vector<ReferenceRun> references;
        for (int i = 0; i < options.runs; ++i) {
            references.push_back(runReference(options, server.name(), watcher));
            // The runs pull the instrument at evenly spread points of the watch period, so
            // that the worst run shows the bound and the median a typical case.
            const double watchPhase = double(i) / options.runs;
            tools.push_back(runTool(options, server.name(), watcher, watchPhase));
            if (options.verbose) {
                const ToolRun &t = tools.back();
                const ReferenceRun &r = references.back();
                std::printf(
                    "run %d: tool start-up %.1f ms, connect %.1f ms, %.1f MiB, idle %.2f %%, lost %.1f ms "
                    "(library %.1f, watch %.1f, pulled at phase %.2f); reference start-up %.1f ms, "
                    "show %.1f ms, %.1f MiB, idle %.2f %%\n",
                    i + 1, t.startupMs, t.connectMs, t.peakMiB, t.idleCpuPercent, t.lostMs, t.libraryLostMs,
                    t.watchLostMs, watchPhase, r.startupMs, r.showMs, r.peakMiB, r.idleCpuPercent);
                std::fflush(stdout);
            }
        }

        return printSummary(options, tools, references) ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kt9-bench: %s\n", e.what());
        return 2;
    }
}
