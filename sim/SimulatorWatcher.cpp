// The simulated library's connection watch: a thread per session that polls the connected
// instrument's file and reports its loss and return, and the dispatch of events to the
// registered handler from library threads.

#include "Simulator.h"

#include "SimReport.h"

#include <QFile>

#include <chrono>
#include <filesystem>
#include <system_error>

namespace qlxsim {

namespace {

constexpr std::chrono::milliseconds POLL_INTERVAL{50};
// How long the watcher waits before it tries again to take the dispatch lock.
constexpr std::chrono::milliseconds DISPATCH_RETRY{5};

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

// True on a library thread while it runs the registered handler.
thread_local bool t_dispatching = false;

} // namespace

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
    while (!watcher->wake.wait_for(wait, POLL_INTERVAL, [watcher] { return watcher->stop; })) {
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
        if (watcher->wake.wait_for(wait, DISPATCH_RETRY, [watcher] { return watcher->stop; }))
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

} // namespace qlxsim
