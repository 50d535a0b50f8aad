#pragma once
// The simulated library's state: the folder of instruments, the session with the connected one,
// the thread that watches it, the registered handler, and the statuses tests inject. One instance
// serves every exported function (QlxExports.cpp).

#include "SimFolderListing.h"
#include "SimInstrumentFile.h"

#include <QHash>
#include <QString>

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace qlxsim {

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

// The work of one Get or Set call on the connected instrument's freshly read file.
using InstrumentWork = std::function<int32_t(const LoadedFile &, Session &)>;

class Simulator
{
public:
    static Simulator &instance();

    int32_t registerHandler(QlxEventHandler handler);
    int32_t portList(QlxPortInfo *table, uint32_t *count, uint32_t capacity);
    int32_t connect(const QlxPortInfo *port);
    int32_t disconnect();
    // Runs `work` on the connected instrument after the checks every Get and Set call shares.
    int32_t onInstrument(Function function, bool argumentsValid, const InstrumentWork &work);

    void setDirectory(const char *directory);
    void injectStatus(const char *functionName, int32_t status, uint32_t callsToSkip);
    void clearInjectedStatuses();
    void fireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error);
    uint32_t callCount(const char *functionName);
    void reset();
    // Stops every thread of the library and forgets the handler; later calls still work, without events.
    void shutdown();

private:
    // Session and instrument selection (Simulator.cpp).
    // Counts the call and returns the status injected for the function, if any.
    std::optional<int32_t> beginCall(Function function);
    int32_t finish(Function function, int32_t status) const;
    QString directoryLocked();
    std::vector<FolderListing::Listed> listLocked();
    // The file of the listed instrument on `port`, or an empty path.
    QString findLocked(const QlxPortInfo &port);
    LoadedFile loadLocked(const QString &path);
    int32_t sessionStatusLocked() const;
    std::unique_ptr<Watcher> endSessionLocked();
    static void sleepForLatency(const QString &path);

    // The connection watch and event dispatch (SimulatorWatcher.cpp).
    std::unique_ptr<Watcher> startWatcherLocked(uint64_t sessionId, const QString &path);
    void watch(Watcher *watcher, uint64_t sessionId, QString path);
    void retire(std::unique_ptr<Watcher> watcher);
    void dispatch(int32_t eventCode, int32_t rawDataCount, int32_t error);
    // Dispatches a watcher's event, unless the watcher is stopped while it waits for its turn.
    void dispatchFromWatcher(Watcher *watcher, int32_t eventCode);
    // Calls the handler; m_dispatchMutex is held.
    void callHandlerLocked(int32_t eventCode, int32_t rawDataCount, int32_t error);

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
    std::array<uint32_t, FUNCTION_COUNT> m_injectionSkips{}; ///< calls left to run normally first
    std::array<uint32_t, FUNCTION_COUNT> m_callCounts{};
    FolderListing m_listing;
    QHash<QString, QString> m_reported; ///< last error reported per malformed file, so it is said once
    bool m_shutDown = false;
};

// Tells the library that the process is ending without unloading it first. On Windows such a
// process ends every thread but the exiting one before it destroys the library's static
// objects, so the library's threads are gone and must not be joined or woken then.
void markThreadsEndedByExit();

} // namespace qlxsim
