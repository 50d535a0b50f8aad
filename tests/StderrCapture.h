#pragma once
// Captures what the process writes to standard error (file descriptor 2) while it lives, e.g. the
// simulated library's diagnostics and trace lines.

#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

class StderrCapture
{
public:
    StderrCapture()
    {
        if (!m_file.open())
            qFatal("cannot create a file to capture standard error");
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    // Everything written so far.
    QString text() const
    {
        std::fflush(stderr);
        QFile file(m_file.fileName());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll());
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};
