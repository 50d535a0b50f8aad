// The simulated library's session and instrument selection: the folder of instruments, the calls
// that list them, connect and disconnect, the checks every Get and Set call shares, and the
// control interface's statuses and counts.

#include "Simulator.h"

#include "SimReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace qlxsim {

namespace {

constexpr const char *DIRECTORY_VARIABLE = "QLXSDK_SIM_DIR";
constexpr const char *TRACE_VARIABLE = "QLXSDK_SIM_TRACE";
const QString DEFAULT_FOLDER_NAME = QStringLiteral("qlxsdk-sim");

std::size_t indexOf(Function function)
{
    return static_cast<std::size_t>(function);
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
    return function == Function::SET_NETWORK_INFO || function == Function::SET_SHUTDOWN_TIME ||
           function == Function::WRITE_SECTOR;
}

// Set by markThreadsEndedByExit.
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

} // namespace

void markThreadsEndedByExit()
{
    g_threadsEndedByExit = true;
}

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
    if (qEnvironmentVariableIsSet(TRACE_VARIABLE))
        std::fprintf(stderr, "%s -> %d\n", functionName(function), status);
    return status;
}

QString Simulator::directoryLocked()
{
    if (m_directory)
        return *m_directory;
    const QString fromEnvironment = qEnvironmentVariable(DIRECTORY_VARIABLE);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString dataLocation = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataLocation.isEmpty()) {
        report(QStringLiteral("no data location for the default instrument folder"));
        return {};
    }
    const QString path = dataLocation + QLatin1Char('/') + DEFAULT_FOLDER_NAME;
    if (!QFileInfo::exists(path))
        fillDefaultFolder(path);
    return path;
}

std::vector<FolderListing::Listed> Simulator::listLocked()
{
    return m_listing.refresh(directoryLocked(), [this](const QString &path) { return loadLocked(path); });
}

QString Simulator::findLocked(const QlxPortInfo &port)
{
    // The file that was on this port at the last listing, if it still is; else a new listing
    // decides (a file added, removed or edited since).
    const QString known = m_listing.lastPathOf(directoryLocked(), port);
    if (!known.isEmpty()) {
        const LoadedFile loaded = loadLocked(known);
        if (loaded.kind == LoadedFile::VALID && !loaded.instrument.unplugged &&
            samePort(loaded.instrument.port, port))
            return known;
    }
    for (const FolderListing::Listed &instrument : listLocked()) {
        if (samePort(instrument.instrument.port, port))
            return instrument.path;
    }
    return {};
}

LoadedFile Simulator::loadLocked(const QString &path)
{
    LoadedFile loaded = loadInstrumentFile(path);
    if (loaded.kind != LoadedFile::MALFORMED) {
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
    if (loaded.kind == LoadedFile::VALID && loaded.instrument.latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(loaded.instrument.latencyMs));
}

int32_t Simulator::registerHandler(QlxEventHandler handler)
{
    const Function function = Function::REGISTER_DEVICE_EVENT_HANDLER;
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
    const Function function = Function::GET_DEVICE_PORT_LIST;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    if (!count)
        return finish(function, QLX_ERROR_ARGUMENT);

    std::vector<FolderListing::Listed> listed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        listed = listLocked();
    }
    std::optional<int32_t> fault;
    for (const FolderListing::Listed &instrument : listed) {
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
    const Function function = Function::CONNECT;
    const std::optional<int32_t> injected = beginCall(function);
    if (injected && !qlxSucceeded(*injected))
        return finish(function, *injected);
    if (!port)
        return finish(function, QLX_ERROR_ARGUMENT);

    QString path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        path = findLocked(*port);
    }
    if (path.isEmpty())
        return finish(function, QLX_ERROR_CONNECT);
    sleepForLatency(path);

    std::unique_ptr<Watcher> previous;
    int32_t status = QLX_ERROR_CONNECT;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const LoadedFile loaded = loadLocked(path);
        if (loaded.kind == LoadedFile::VALID && !loaded.instrument.unplugged &&
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
    const Function function = Function::DISCONNECT;
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
                loaded.kind == LoadedFile::VALID ? loaded.instrument.faults[indexOf(function)] : std::nullopt;
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

int32_t Simulator::onInstrument(Function function, bool argumentsValid, const InstrumentWork &work)
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
        QLockFile fileLock(lockFilePath(path));
        if (qlxSucceeded(status) && rewritesFile(function) && !lockInstrumentFile(fileLock, path))
            status = QLX_ERROR;
        if (qlxSucceeded(status)) {
            const LoadedFile loaded = loadLocked(path);
            if (loaded.kind == LoadedFile::MISSING ||
                (loaded.kind == LoadedFile::VALID && loaded.instrument.unplugged)) {
                status = QLX_ERROR_INSTRUMENT_UNAVAILABLE;
            } else if (loaded.kind == LoadedFile::MALFORMED) {
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
        m_listing.clear();
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

} // namespace qlxsim
