#pragma once
// Processes of the benchmark: a child started with its standard error piped back, whose
// lines, exit status, peak resident memory and processor time the driver reads.

#include <sys/types.h>

#include <string>
#include <vector>

// Milliseconds on the monotonic clock; every time of the benchmark is taken from it.
double monotonicMs();

struct ExitInfo
{
    bool exited = false;       ///< false: still running when the wait ran out
    int status = -1;           ///< exit code, or 128 + signal number when killed
    long peakResidentKiB = -1; ///< ru_maxrss of the child after it ended
};

class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Starts `argv[0]` with exactly `environment`; standard output goes to /dev/null and
    // standard error into a pipe. Returns false (with `error` set) when it cannot start.
    bool start(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
               std::string &error);

    pid_t pid() const { return m_pid; }
    double startMs() const { return m_startMs; } ///< taken right before the process was created
    int stderrFd() const { return m_stderrFd; }  ///< -1 once the pipe reached its end

    // Reads what the pipe holds now and returns the complete lines (without line ends).
    std::vector<std::string> readLines();

    // Processor time (user + system, all threads) used so far, in seconds; negative when the
    // process is gone.
    double cpuSeconds() const;
    // The same for the main thread alone (the GUI thread of a Qt program).
    double mainThreadCpuSeconds() const;

    // Waits up to `timeoutMs` for the process to end and collects its status and peak memory.
    ExitInfo waitForExit(double timeoutMs);

    // Kills a process that is still running and reaps it.
    void kill();

private:
    double cpuSecondsFrom(const std::string &statPath) const;

    pid_t m_pid = -1;
    double m_startMs = 0;
    int m_stderrFd = -1;
    std::string m_pending;
    ExitInfo m_exit;
};
