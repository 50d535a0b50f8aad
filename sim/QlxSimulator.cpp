// The simulated QLXSDK library: the maker's C interface over instruments kept as JSON files,
// plus the control interface that tests use to script it.

#include "QlxSimControl.h"
#include "SimInstrument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qlxsim {

namespace {

constexpr std::chrono::milliseconds kPollInterval{50};
// How long the watcher waits before it tries again to take the dispatch lock.
constexpr std::chrono::milliseconds kDispatchRetry{5};
// An instrument file's lock file: held by whichever process reads, changes and replaces the file.
const QString kLockFileSuffix = QStringLiteral(".lock");
// Another process holds the lock for one read-modify-write: a longer wait means it is stuck.
constexpr std::chrono::seconds kLockTimeout{10};
constexpr std::chrono::milliseconds kLockRetry{2};

// What tells one version of an instrument file from the next without reading it.
struct FileStamp
{
    std::uintmax_t size;
    std::filesystem::file_time_type modified;
    bool operator==(const FileStamp &other) const { return size == other.size && modified == other.modified; }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};

std::optional<FileStamp> fileStamp(const QString &path)
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return std::nullopt;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (error)
        return std::nullopt;
    return FileStamp{size, modified};
}
constexpr const char *kDirectoryVariable = "QLXSDK_SIM_DIR";
constexpr const char *kTraceVariable = "QLXSDK_SIM_TRACE";
const QString kDefaultFolderName = QStringLiteral("qlxsdk-sim");
const QString kInstrumentFilePattern = QStringLiteral("*.json");

// True on a library thread while it runs the registered handler.
thread_local bool t_dispatching = false;

// Diagnostics go to standard error in one write each, so lines from two threads never mix.
void report(const QString &text)
{
    std::fprintf(stderr, "qlxsdk-sim: %s\n", qUtf8Printable(text));
}

std::size_t indexOf(Function function)
{
    return static_cast<std::size_t>(function);
}

bool samePort(const QlxPortInfo &a, const QlxPortInfo &b)
{
    return a.portType == b.portType && a.serialNo == b.serialNo &&
           qstrncmp(a.portName, b.portName, uint(QLX_PORT_NAME_SIZE)) == 0;
}

// The status of a call whose work is done: its own failure, else an injected warning, else the
// instrument's warning, else the work's status.
int32_t warningOr(const std::optional<int32_t> &injected, const std::optional<int32_t> &fault, int32_t work)
{
    if (!qlxSucceeded(work))
        return work;
    if (injected)
        return *injected;
    if (fault)
        return *fault;
    return work;
}

int32_t saveChanges(const QString &path, const QJsonObject &json)
{
    QString error;
    if (saveInstrumentFile(path, json, &error))
        return QLX_SUCCESS;
    report(QStringLiteral("%1: cannot be written: %2").arg(QDir::toNativeSeparators(path), error));
    return QLX_ERROR;
}

void fillDefaultFolder(const QString &path)
{
    if (!QDir().mkpath(path)) {
        report(QStringLiteral("%1: cannot be created").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QDir folder(path);
    const std::array<DefaultInstrument, 2> instruments = defaultInstruments();
    for (const DefaultInstrument &instrument : instruments) {
        if (qlxSucceeded(
                saveChanges(folder.filePath(instrument.fileName), instrumentToJson(instrument.instrument))))
            continue;
        // An existing folder is never filled again: one left half filled would stay so.
        for (const DefaultInstrument &written : instruments)
            QFile::remove(folder.filePath(written.fileName));
        QDir().rmdir(path);
        return;
    }
}

// The calls that read, change and replace the instrument's file.
bool rewritesFile(Function function)
{
    return function == Function::SetNetworkInfo || function == Function::SetShutdownTime ||
           function == Function::WriteSector;
}

// Takes the lock file of the instrument file at path. QLockFile's own wait sleeps 100 ms and more
// between tries; another process holds the lock only for one read-modify-write.
bool lockInstrumentFile(QLockFile &lock, const QString &path)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockTimeout;
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || std::chrono::steady_clock::now() >= deadline) {
            report(QStringLiteral("%1: cannot be locked for writing").arg(QDir::toNativeSeparators(path)));
            return false;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return true;
}

struct Session
{
    uint64_t id = 0;
    QString filePath;
    bool lost = false; ///< the watcher saw the instrument go; calls fail until a new connect
    std::optional<QlxCalRefData> pending; ///< taken over, waiting for WriteSector
};

// A thread that polls the connected instrument's file and reports its loss and return.
struct Watcher
{
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false; ///< protected by mutex
};

class Simulator
{
public:
    static Simulator &instance();

    int32_t registerHandler(QlxEventHandler handler);
    int32_t portList(QlxPortInfo *table, uint32_t *count, uint32_t capacity);
    int32_t connect(const QlxPortInfo *port);
    int32_t disconnect();
    // Runs `work` (int32_t(const LoadedFile &, Session &)) on the connected instrument after the
    // checks every Get and Set call shares.
    template <typename Work> int32_t onInstrument(Function function, bool argumentsValid, Work work);

    void setDirectory(const char *directory);
    void injectStatus(const char *functionName, int32_t status, uint32_t callsToSkip);
    void clearInjectedStatuses();
    void fireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error);
    uint32_t callCount(const char *functionName);
    void reset();
    // Stops every thread of the library and forgets the handler; later calls still work, without events.
    void shutdown();

private:
    struct Listed
    {
        QString path;
        Instrument instrument;
    };

    // Counts the call and returns the status injected for the function, if any.
    std::optional<int32_t> beginCall(Function function);
    int32_t finish(Function function, int32_t status) const;
    QString directoryLocked();
    std::vector<Listed> listLocked();
    LoadedFile loadLocked(const QString &path);
    int32_t sessionStatusLocked() const;
    std::unique_ptr<Watcher> endSessionLocked();
    std::unique_ptr<Watcher> startWatcherLocked(uint64_t sessionId, const QString &path);
    void watch(Watcher *watcher, uint64_t sessionId, QString path);
    void retire(std::unique_ptr<Watcher> watcher);
    void dispatch(int32_t eventCode, int32_t rawDataCount, int32_t error);
    // Dispatches a watcher's event, unless the watcher is stopped while it waits for its turn.
    void dispatchFromWatcher(Watcher *watcher, int32_t eventCode);
    // Calls the handler; m_dispatchMutex is held.
    void callHandlerLocked(int32_t eventCode, int32_t rawDataCount, int32_t error);

    static void sleepForLatency(const QString &path);

    /// Held while the handler runs (before m_mutex when both are taken), so that replacing or
    /// removing the handler waits for a running call of the old one. Recursive: the handler may
    /// call the library.
    std::recursive_mutex m_dispatchMutex;
    /// Protects every member below. Never held while sleeping for latency, joining a thread or
    /// running the handler; held while another process finishes its change of an instrument file.
    std::mutex m_mutex;
    QlxEventHandler m_handler = nullptr;
    std::optional<QString> m_directory;
    std::optional<Session> m_session;
    uint64_t m_lastSessionId = 0;
    std::unique_ptr<Watcher> m_watcher;
    std::vector<std::unique_ptr<Watcher>> m_retired; ///< stopped, not yet joined
    StatusTable m_injected{};
    std::array<uint32_t, kFunctionCount> m_injectionSkips{}; ///< calls left to run normally first
    std::array<uint32_t, kFunctionCount> m_callCounts{};
    QHash<QString, QString> m_reported; ///< last error reported per malformed file, so it is said once
    bool m_shutDown = false;
};

// Set when the library learns that the process is ending without unloading it first. On
// Windows such a process ends every thread but the exiting one before it destroys the library's
// static objects, so the library's threads are gone and must not be joined or woken then.
bool g_threadsEndedByExit = false;

struct ShutdownGuard
{
    Simulator *simulator;
    ~ShutdownGuard()
    {
        if (!g_threadsEndedByExit)
            simulator->shutdown();
    }
};

Simulator &Simulator::instance()
{
    // Never destroyed, so that a call made while the process exits still finds it; the guard
    // joins its threads when the library is unloaded.
    static Simulator *const simulator = new Simulator;
    static const ShutdownGuard guard{simulator};
    return *simulator;
}

std::optional<int32_t> Simulator::beginCall(Function function)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::size_t index = indexOf(function);
    ++m_callCounts[index];
    if (m_injected[index] && m_injectionSkips[index] > 0) {
        --m_injectionSkips[index];
        return std::nullopt;
    }
    return m_injected[index];
}

int32_t Simulator::finish(Function function, int32_t status) const
{
    if (qEnvironmentVariableIsSet(kTraceVariable))
        std::fprintf(stderr, "%s -> %d\n", functionName(function), status);
    return status;
}

QString Simulator::directoryLocked()
{
    if (m_directory)
        return *m_directory;
    const QString fromEnvironment = qEnvironmentVariable(kDirectoryVariable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString dataLocation = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataLocation.isEmpty()) {
        report(QStringLiteral("no data location for the default instrument folder"));
        return {};
    }
    const QString path = dataLocation + QLatin1Char('/') + kDefaultFolderName;
    if (!QFileInfo::exists(path))
        fillDefaultFolder(path);
    return path;
}

std::vector<Simulator::Listed> Simulator::listLocked()
{
    std::vector<Listed> listed;
    const QString directory = directoryLocked();
    if (directory.isEmpty())
        return listed;
    const QDir folder(directory);
    QStringList names = folder.entryList({kInstrumentFilePattern}, QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end());
    for (const QString &name : qAsConst(names)) {
        const QString path = folder.filePath(name);
        const LoadedFile loaded = loadLocked(path);
        if (loaded.kind == LoadedFile::Valid && !loaded.instrument.unplugged)
            listed.push_back({path, loaded.instrument});
    }
    return listed;
}

LoadedFile Simulator::loadLocked(const QString &path)
{
    LoadedFile loaded = loadInstrumentFile(path);
    if (loaded.kind != LoadedFile::Malformed) {
        m_reported.remove(path);
    } else if (m_reported.value(path) != loaded.error) {
        m_reported.insert(path, loaded.error);
        report(
            QStringLiteral("%1: %2; instrument skipped").arg(QDir::toNativeSeparators(path), loaded.error));
    }
    return loaded;
}

int32_t Simulator::sessionStatusLocked() const
{
    if (!m_session)
        return QLX_ERROR_CONNECT;
    if (m_session->lost)
        return QLX_ERROR_INSTRUMENT_UNAVAILABLE;
    return QLX_SUCCESS;
}

void Simulator::sleepForLatency(const QString &path)
{
    const LoadedFile loaded = loadInstrumentFile(path);
    if (loaded.kind == LoadedFile::Valid && loaded.instrument.latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(loaded.instrument.latencyMs));
}

int32_t Simulator::registerHandler(QlxEventHandler handler)
{
    const Function function = Function::RegisterDeviceEventHandler;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    {
        std::lock_guard<std::recursive_mutex> dispatching(m_dispatchMutex);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_handler = handler;
    }
    return finish(function, injected.value_or(QLX_SUCCESS));
}

int32_t Simulator::portList(QlxPortInfo *table, uint32_t *count, uint32_t capacity)
{
    const Function function = Function::GetDevicePortList;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    if (!count)
        return finish(function, QLX_ERROR_ARGUMENT);

    std::vector<Listed> listed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        listed = listLocked();
    }
    std::optional<int32_t> fault;
    for (const Listed &instrument : listed) {
        fault = instrument.instrument.faults[indexOf(function)];
        if (fault)
            break;
    }
    if (fault && !qlxSucceeded(*fault))
        return finish(function, *fault);

    *count = uint32_t(listed.size());
    if (table) {
        const std::size_t filled = std::min<std::size_t>(listed.size(), capacity);
        for (std::size_t i = 0; i < filled; ++i)
            table[i] = listed[i].instrument.port;
    }
    return finish(function, warningOr(injected, fault, QLX_SUCCESS));
}

int32_t Simulator::connect(const QlxPortInfo *port)
{
    const Function function = Function::Connect;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    if (!port)
        return finish(function, QLX_ERROR_ARGUMENT);

    QString path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const Listed &instrument : listLocked()) {
            if (samePort(instrument.instrument.port, *port)) {
                path = instrument.path;
                break;
            }
        }
    }
    if (path.isEmpty())
        return finish(function, QLX_ERROR_CONNECT);
    sleepForLatency(path);

    std::unique_ptr<Watcher> previous;
    int32_t status = QLX_ERROR_CONNECT;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const LoadedFile loaded = loadLocked(path);
        if (loaded.kind == LoadedFile::Valid && !loaded.instrument.unplugged &&
            samePort(loaded.instrument.port, *port)) {
            const std::optional<int32_t> fault = loaded.instrument.faults[indexOf(function)];
            if (fault && !qlxSucceeded(*fault)) {
                status = *fault;
            } else {
                previous = endSessionLocked();
                m_session = Session{++m_lastSessionId, path, false, std::nullopt};
                m_watcher = startWatcherLocked(m_session->id, path);
                status = warningOr(injected, fault, QLX_SUCCESS);
            }
        }
    }
    retire(std::move(previous));
    return finish(function, status);
}

int32_t Simulator::disconnect()
{
    const Function function = Function::Disconnect;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);

    QString path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_session)
            path = m_session->filePath;
    }
    if (path.isEmpty())
        return finish(function, QLX_ERROR_DISCONNECT);
    sleepForLatency(path);

    std::unique_ptr<Watcher> watcher;
    int32_t status = QLX_ERROR_DISCONNECT;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_session) {
            // A lost instrument's file may be gone: ending the session needs nothing from it.
            const LoadedFile loaded = loadLocked(m_session->filePath);
            const std::optional<int32_t> fault =
                loaded.kind == LoadedFile::Valid ? loaded.instrument.faults[indexOf(function)] : std::nullopt;
            if (fault && !qlxSucceeded(*fault)) {
                status = *fault;
            } else {
                watcher = endSessionLocked();
                status = warningOr(injected, fault, QLX_SUCCESS);
            }
        }
    }
    retire(std::move(watcher));
    return finish(function, status);
}

template <typename Work> int32_t Simulator::onInstrument(Function function, bool argumentsValid, Work work)
{
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    if (!argumentsValid)
        return finish(function, QLX_ERROR_ARGUMENT);

    uint64_t sessionId = 0;
    QString path;
    int32_t status = QLX_SUCCESS;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        status = sessionStatusLocked();
        if (m_session) {
            sessionId = m_session->id;
            path = m_session->filePath;
        }
    }
    if (!qlxSucceeded(status))
        return finish(function, status);
    sleepForLatency(path);

    {
        // Under the lock from reading the file to writing it, so that two calls of this process
        // never interleave their read-modify-write.
        std::lock_guard<std::mutex> lock(m_mutex);
        status = sessionStatusLocked();
        if (qlxSucceeded(status) && m_session->id != sessionId)
            status = QLX_ERROR_CONNECT; // the session this call was made in ended while it waited
        // Held from reading the file to replacing it, so that another process's change made in
        // between is never written back over.
        QLockFile fileLock(path + kLockFileSuffix);
        if (qlxSucceeded(status) && rewritesFile(function) && !lockInstrumentFile(fileLock, path))
            status = QLX_ERROR;
        if (qlxSucceeded(status)) {
            const LoadedFile loaded = loadLocked(path);
            if (loaded.kind == LoadedFile::Missing ||
                (loaded.kind == LoadedFile::Valid && loaded.instrument.unplugged)) {
                status = QLX_ERROR_INSTRUMENT_UNAVAILABLE;
            } else if (loaded.kind == LoadedFile::Malformed) {
                status = QLX_ERROR_INSTRUMENT_INFORMATION;
            } else {
                const std::optional<int32_t> fault = loaded.instrument.faults[indexOf(function)];
                if (fault && !qlxSucceeded(*fault))
                    status = *fault;
                else
                    status = warningOr(injected, fault, work(loaded, *m_session));
            }
        }
    }
    return finish(function, status);
}

std::unique_ptr<Watcher> Simulator::endSessionLocked()
{
    m_session.reset();
    return std::move(m_watcher);
}

std::unique_ptr<Watcher> Simulator::startWatcherLocked(uint64_t sessionId, const QString &path)
{
    if (m_shutDown)
        return nullptr;
    auto watcher = std::make_unique<Watcher>();
    try {
        watcher->thread = std::thread(&Simulator::watch, this, watcher.get(), sessionId, path);
    } catch (const std::system_error &error) {
        report(QStringLiteral("no watcher thread, connection losses go unreported: %1").arg(error.what()));
        return nullptr;
    }
    return watcher;
}

void Simulator::watch(Watcher *watcher, uint64_t sessionId, QString path)
{
    bool present = true;
    std::optional<FileStamp> lastStamp;
    std::unique_lock<std::mutex> wait(watcher->mutex);
    while (!watcher->wake.wait_for(wait, kPollInterval, [watcher] { return watcher->stop; })) {
        wait.unlock();
        // The file is read again only when it is gone or its size or modification time changed:
        // parsing it twenty times a second would cost an idle program noticeable processor time.
        const std::optional<FileStamp> stamp = fileStamp(path);
        bool nowPresent = present;
        if (!stamp)
            nowPresent = false;
        else if (stamp != lastStamp)
            nowPresent = instrumentPresent(path);
        lastStamp = stamp;
        if (nowPresent != present) {
            present = nowPresent;
            bool current = false;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                current = m_session && m_session->id == sessionId;
                if (current && !present)
                    m_session->lost = true;
            }
            // Whoever ends the session joins this thread before returning, so an event delivered
            // here always arrives before the end of the session is reported.
            if (current)
                dispatchFromWatcher(watcher, present ? eEventCode_Standby : eEventCode_DisConnect);
        }
        wait.lock();
    }
}

void Simulator::retire(std::unique_ptr<Watcher> watcher)
{
    if (watcher) {
        {
            std::lock_guard<std::mutex> wait(watcher->mutex);
            watcher->stop = true;
        }
        watcher->wake.notify_all();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_retired.push_back(std::move(watcher));
    }
    std::vector<std::unique_ptr<Watcher>> retired;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        retired.swap(m_retired);
    }
    for (std::unique_ptr<Watcher> &stopped : retired) {
        // The handler may end the session from the watcher's own thread, which cannot join
        // itself: a later call does it.
        if (stopped->thread.get_id() == std::this_thread::get_id()) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_retired.push_back(std::move(stopped));
        } else if (stopped->thread.joinable()) {
            stopped->thread.join();
        }
    }
}

void Simulator::dispatch(int32_t eventCode, int32_t rawDataCount, int32_t error)
{
    std::lock_guard<std::recursive_mutex> dispatching(m_dispatchMutex);
    callHandlerLocked(eventCode, rawDataCount, error);
}

void Simulator::dispatchFromWatcher(Watcher *watcher, int32_t eventCode)
{
    // A handler running on another library thread holds the dispatch lock and may end the
    // session, which joins this thread: waiting for the lock without looking at the stop flag
    // would never end.
    std::unique_lock<std::mutex> wait(watcher->mutex);
    while (!m_dispatchMutex.try_lock()) {
        if (watcher->wake.wait_for(wait, kDispatchRetry, [watcher] { return watcher->stop; }))
            return; // the session ended: its events end with it
    }
    wait.unlock();
    std::lock_guard<std::recursive_mutex> dispatching(m_dispatchMutex, std::adopt_lock);
    callHandlerLocked(eventCode, 0, QLX_SUCCESS);
}

void Simulator::callHandlerLocked(int32_t eventCode, int32_t rawDataCount, int32_t error)
{
    QlxEventHandler handler = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        handler = m_handler;
    }
    if (!handler)
        return;
    const bool outer = !t_dispatching;
    t_dispatching = true;
    handler(eventCode, rawDataCount, error);
    if (outer)
        t_dispatching = false;
}

void Simulator::setDirectory(const char *directory)
{
    std::unique_ptr<Watcher> watcher;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        watcher = endSessionLocked();
        m_directory = directory ? std::optional<QString>(QFile::decodeName(directory)) : std::nullopt;
    }
    retire(std::move(watcher));
}

void Simulator::injectStatus(const char *name, int32_t status, uint32_t callsToSkip)
{
    const std::optional<Function> function = name ? functionByName(QString::fromLatin1(name)) : std::nullopt;
    if (!function) {
        report(QStringLiteral("no function named \"%1\"; nothing injected").arg(QString::fromLatin1(name)));
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_injected[indexOf(*function)] = status;
    m_injectionSkips[indexOf(*function)] = callsToSkip;
}

void Simulator::clearInjectedStatuses()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_injected = {};
    m_injectionSkips = {};
}

void Simulator::fireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error)
{
    // Already on a library thread inside the handler: a new thread would wait for this one.
    if (t_dispatching) {
        dispatch(eventCode, rawDataCount, error);
        return;
    }
    std::thread thread(&Simulator::dispatch, this, eventCode, rawDataCount, error);
    thread.join();
}

uint32_t Simulator::callCount(const char *name)
{
    const std::optional<Function> function = name ? functionByName(QString::fromLatin1(name)) : std::nullopt;
    if (!function)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_callCounts[indexOf(*function)];
}

void Simulator::reset()
{
    std::unique_ptr<Watcher> watcher;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        watcher = endSessionLocked();
        m_injected = {};
        m_injectionSkips = {};
        m_callCounts = {};
        m_reported.clear();
    }
    retire(std::move(watcher));
}

void Simulator::shutdown()
{
    std::unique_ptr<Watcher> watcher;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shutDown = true;
        m_handler = nullptr;
        watcher = endSessionLocked();
    }
    retire(std::move(watcher));
}

Simulator &sim()
{
    return Simulator::instance();
}

} // namespace

} // namespace qlxsim

#ifdef _WIN32
// Called by the C runtime's DLL entry point before it destroys the static objects; reserved is
// non-null when the whole process is ending rather than the library being unloaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr)
        qlxsim::g_threadsEndedByExit = true;
    return TRUE;
}
#endif

using qlxsim::Function;
using qlxsim::LoadedFile;
using qlxsim::Session;
using qlxsim::sim;

extern "C" {

int32_t QLX_RegisterDeviceEventHandler(QlxEventHandler handler)
{
    return sim().registerHandler(handler);
}

int32_t QLX_GetDevicePortList(QlxPortInfo *table, uint32_t *count, uint32_t capacity)
{
    return sim().portList(table, count, capacity);
}

// The simulated instruments need no connect parameter; any value is accepted.
int32_t QLX_Connect(QlxPortInfo *port, int32_t)
{
    return sim().connect(port);
}

int32_t QLX_Disconnect(void)
{
    return sim().disconnect();
}

int32_t QLX_GetDeviceInfo(QlxDeviceInfo *info)
{
    return sim().onInstrument(Function::GetDeviceInfo, info != nullptr,
                              [info](const LoadedFile &file, Session &) {
                                  *info = file.instrument.device;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_GetNetworkInfo(QlxNetworkInfo *info)
{
    return sim().onInstrument(Function::GetNetworkInfo, info != nullptr,
                              [info](const LoadedFile &file, Session &) {
                                  *info = file.instrument.network;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_SetNetworkInfo(QlxNetworkInfo *info)
{
    return sim().onInstrument(Function::SetNetworkInfo, info != nullptr,
                              [info](const LoadedFile &file, Session &session) {
                                  QJsonObject json = file.json;
                                  qlxsim::storeNetwork(json, *info);
                                  return qlxsim::saveChanges(session.filePath, json);
                              });
}

int32_t QLX_GetShutdownTime(QlxShutdownMode *mode)
{
    return sim().onInstrument(Function::GetShutdownTime, mode != nullptr,
                              [mode](const LoadedFile &file, Session &) {
                                  *mode = file.instrument.shutdownMode;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_SetShutdownTime(QlxShutdownMode *mode)
{
    return sim().onInstrument(Function::SetShutdownTime, mode != nullptr,
                              [mode](const LoadedFile &file, Session &session) {
                                  QJsonObject json = file.json;
                                  qlxsim::storeShutdownMode(json, *mode);
                                  return qlxsim::saveChanges(session.filePath, json);
                              });
}

int32_t QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(QlxActionOptionData *data)
{
    return sim().onInstrument(Function::GetActionOptionData, data != nullptr,
                              [data](const LoadedFile &file, Session &) {
                                  *data = file.instrument.options;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_GetFactoryCalib_CALREFDATA(QlxCalRefData *data)
{
    return sim().onInstrument(Function::GetCalRefData, data != nullptr,
                              [data](const LoadedFile &file, Session &) {
                                  *data = file.instrument.calibration;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_SetFactoryCalib_CALREFDATA(QlxCalRefData *data)
{
    return sim().onInstrument(Function::SetCalRefData, data != nullptr,
                              [data](const LoadedFile &, Session &session) {
                                  session.pending = *data;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_SetFactoryCalib_WriteSector(void)
{
    return sim().onInstrument(Function::WriteSector, true, [](const LoadedFile &file, Session &session) {
        if (!session.pending)
            return int32_t(QLX_ERROR_NO_DATA);
        QlxCalRefData stored = *session.pending;
        // An instrument that stores a record differently from what it was sent, to prove the
        // tool's read-back check.
        if (file.instrument.readBackDiffers)
            stored.otherCalibData[0] = static_cast<uint8_t>(~stored.otherCalibData[0]);
        QJsonObject json = file.json;
        qlxsim::storeCalibration(json, stored);
        const int32_t status = qlxsim::saveChanges(session.filePath, json);
        if (qlxSucceeded(status))
            session.pending.reset();
        return status;
    });
}

void QLXSIM_SetDirectory(const char *directory)
{
    sim().setDirectory(directory);
}

void QLXSIM_InjectStatus(const char *functionName, int32_t status)
{
    sim().injectStatus(functionName, status, 0);
}

void QLXSIM_InjectStatusAfter(const char *functionName, int32_t status, uint32_t callsToSkip)
{
    sim().injectStatus(functionName, status, callsToSkip);
}

void QLXSIM_ClearInjectedStatuses(void)
{
    sim().clearInjectedStatuses();
}

void QLXSIM_FireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error)
{
    sim().fireEvent(eventCode, rawDataCount, error);
}

uint32_t QLXSIM_CallCount(const char *functionName)
{
    return sim().callCount(functionName);
}

void QLXSIM_Reset(void)
{
    sim().reset();
}

} // extern "C"
