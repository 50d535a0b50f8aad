#pragma once
// Captures what the code under test writes to standard output (file descriptor 1) while the
// object lives, e.g. the diagnostic lines of the calibration file reader.

#include <QByteArray>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

class StdoutCapture
{
public:
    StdoutCapture()
    {
        std::fflush(stdout);
        if (!m_file.open())
            qFatal("cannot create the file that captures standard output");
        m_saved = dup(STDOUT_FILENO);
        if (m_saved < 0 || dup2(m_file.handle(), STDOUT_FILENO) < 0)
            qFatal("cannot redirect standard output");
    }
    ~StdoutCapture() { restore(); }
    StdoutCapture(const StdoutCapture &) = delete;
    StdoutCapture &operator=(const StdoutCapture &) = delete;

    // Ends the capture and returns everything written during it.
    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};
