#pragma once
// Helpers shared by the tests: a folder of simulated instruments, a capture of the debug
// log, and an answerer for modal message boxes.

#include "sim/QlxSimControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPointer>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>

// How long a replacement of a simulated instrument's file is tried, and the pause between tries.
constexpr int WRITE_RETRY_MS = 5000;
constexpr unsigned long WRITE_RETRY_SLEEP_MS = 20;

// A temporary folder of simulated instruments (one JSON file each), made the simulated
// library's folder for the lifetime of the object.
class SimInstrumentDir
{
public:
    SimInstrumentDir()
    {
        QLXSIM_SetDirectory(QFile::encodeName(m_dir.path()).constData());
        QLXSIM_Reset();
    }
    ~SimInstrumentDir()
    {
        QLXSIM_Reset();
        QLXSIM_SetDirectory(nullptr);
    }
    SimInstrumentDir(const SimInstrumentDir &) = delete;
    SimInstrumentDir &operator=(const SimInstrumentDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name + QStringLiteral(".json")); }

    // Writes (or replaces) instrument `name` with the given keys. The replacement is tried again
    // for a while: under Wine it fails at times while the simulated library has the file open.
    void write(const QString &name, const QJsonObject &instrument) const
    {
        QDeadlineTimer deadline(WRITE_RETRY_MS);
        for (;;) {
            QSaveFile file(filePath(name));
            if (file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(instrument).toJson()) >= 0 &&
                file.commit())
                return;
            if (deadline.hasExpired())
                qFatal("cannot write the simulated instrument %s", qPrintable(name));
            QThread::msleep(WRITE_RETRY_SLEEP_MS);
        }
    }
    // The instrument's file as the simulated library left it.
    QJsonObject read(const QString &name) const
    {
        QFile file(filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    // Changes one top-level key of the instrument's file, keeping the others.
    void set(const QString &name, const QString &key, const QJsonValue &value) const
    {
        QJsonObject instrument = read(name);
        instrument.insert(key, value);
        write(name, instrument);
    }
    void remove(const QString &name) const { QFile::remove(filePath(name)); }

private:
    QTemporaryDir m_dir;
};

// An instrument on USB with the given serial number.
inline QJsonObject usbInstrument(int serialNo)
{
    return QJsonObject{{QStringLiteral("portType"), 1}, {QStringLiteral("serialNo"), serialNo}};
}

// Makes a child process started with env run in the named locale ("ja_JP.UTF-8"). A POSIX
// program takes it from LC_ALL. The Windows tests run under Wine, where a Windows program started
// by another one takes its locale from LANG, and only while LC_ALL is not set.
inline void setChildLocale(QProcessEnvironment &env, const QString &locale)
{
#ifdef _WIN32
    env.remove(QStringLiteral("LC_ALL"));
    env.insert(QStringLiteral("LANG"), locale);
#else
    env.insert(QStringLiteral("LC_ALL"), locale);
#endif
}

// Collects the debug lines written while it lives, in order.
class LogCapture
{
public:
    LogCapture()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }
    int count(const QString &line) const { return lines().count(line); }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_lines.clear();
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type != QtDebugMsg || !s_current)
            return;
        QMutexLocker lock(&s_current->m_mutex);
        s_current->m_lines.append(message);
    }
    static inline LogCapture *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

// Answers the modal message boxes that the code under test opens with exec(): polls every
// 10 ms, records each box's text and icon, and presses its OK button. Assert on boxes()
// after the code under test has returned.
class ModalBoxAnswerer
{
public:
    struct Box
    {
        QString text;
        QMessageBox::Icon icon;
        QString title;
    };

    ModalBoxAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    QVector<Box> boxes() const { return m_boxes; }
    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : m_boxes)
            result.append(box.text);
        return result;
    }
    void clear() { m_boxes.clear(); }
    // Called while a box is open, before it is answered (e.g. to look at the window behind it).
    void onBox(std::function<void(QMessageBox *)> callback) { m_onBox = std::move(callback); }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_answered)
            return;
        m_answered = box;
        m_boxes.append({box->text(), box->icon(), box->windowTitle()});
        if (m_onBox)
            m_onBox(box);
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QPointer<QMessageBox> m_answered;
    QVector<Box> m_boxes;
    std::function<void(QMessageBox *)> m_onBox;
};
