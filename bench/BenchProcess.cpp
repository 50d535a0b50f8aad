#include "BenchProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr double kNsPerMs = 1.0e6;
constexpr int kReadChunk = 4096;
constexpr int kExitPollMs = 5;
// Fields of /proc/<pid>/stat counted from the one after the command name's closing ")",
// which is field 3 ("state"): utime is field 14 and stime field 15.
constexpr int kUtimeFieldAfterName = 14 - 3;
constexpr int kStimeFieldAfterName = 15 - 3;
constexpr int kSignalledStatusBase = 128;

std::vector<char *> cStrings(const std::vector<std::string> &strings)
{
    std::vector<char *> result;
    result.reserve(strings.size() + 1);
    for (const std::string &s : strings)
        result.push_back(const_cast<char *>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

} // namespace

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * kMsPerSecond + double(now.tv_nsec) / kNsPerMs;
}

ChildProcess::~ChildProcess()
{
    kill();
    if (m_stderrFd >= 0)
        close(m_stderrFd);
}

bool ChildProcess::start(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
                         std::string &error)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);

    std::vector<char *> args = cStrings(argv);
    std::vector<char *> env = cStrings(environment);
    m_startMs = monotonicMs();
    const int rc = posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        m_pid = -1;
        error = "cannot start " + argv[0] + ": " + std::strerror(rc);
        return false;
    }
    m_stderrFd = fds[0];
    fcntl(m_stderrFd, F_SETFL, fcntl(m_stderrFd, F_GETFL) | O_NONBLOCK);
    return true;
}

std::vector<std::string> ChildProcess::readLines()
{
    std::vector<std::string> lines;
    if (m_stderrFd < 0)
        return lines;
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = read(m_stderrFd, buffer, sizeof buffer);
        if (n > 0) {
            m_pending.append(buffer, size_t(n));
            continue;
        }
        if (n == 0) {
            close(m_stderrFd);
            m_stderrFd = -1;
        }
        break;
    }
    size_t begin = 0;
    for (size_t end = m_pending.find('\n'); end != std::string::npos; end = m_pending.find('\n', begin)) {
        lines.push_back(m_pending.substr(begin, end - begin));
        begin = end + 1;
    }
    m_pending.erase(0, begin);
    if (m_stderrFd < 0 && !m_pending.empty()) {
        lines.push_back(m_pending);
        m_pending.clear();
    }
    return lines;
}

double ChildProcess::cpuSeconds() const
{
    return cpuSecondsFrom("/proc/" + std::to_string(m_pid) + "/stat");
}

double ChildProcess::mainThreadCpuSeconds() const
{
    return cpuSecondsFrom("/proc/" + std::to_string(m_pid) + "/task/" + std::to_string(m_pid) + "/stat");
}

double ChildProcess::cpuSecondsFrom(const std::string &statPath) const
{
    if (m_pid <= 0)
        return -1;
    std::ifstream stat(statPath);
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string field;
    unsigned long long utime = 0;
    unsigned long long stime = 0;
    for (int i = 0; fields >> field; ++i) {
        if (i == kUtimeFieldAfterName)
            utime = std::stoull(field);
        else if (i == kStimeFieldAfterName)
            stime = std::stoull(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

ExitInfo ChildProcess::waitForExit(double timeoutMs)
{
    if (m_pid <= 0 || m_exit.exited)
        return m_exit;
    const double deadline = monotonicMs() + timeoutMs;
    for (;;) {
        int status = 0;
        rusage usage{};
        const pid_t done = wait4(m_pid, &status, WNOHANG, &usage);
        if (done == m_pid) {
            m_exit.exited = true;
            m_exit.status = WIFEXITED(status) ? WEXITSTATUS(status) : kSignalledStatusBase + WTERMSIG(status);
            m_exit.peakResidentKiB = usage.ru_maxrss;
            m_pid = -1;
            return m_exit;
        }
        if (monotonicMs() >= deadline)
            return m_exit;
        // Keep the pipe drained so that a child writing at exit cannot block on it.
        if (m_stderrFd >= 0) {
            pollfd fd{m_stderrFd, POLLIN, 0};
            poll(&fd, 1, kExitPollMs);
            readLines();
        } else {
            usleep(kExitPollMs * 1000);
        }
    }
}

void ChildProcess::kill()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}
