#pragma once
// Where kt9-cli's output goes: its own lines and JSON documents to the original standard
// output (whatever else the process prints there is diverted to standard error), messages and
// the progress line to standard error.

#include <QFile>
#include <QJsonObject>
#include <QString>
#include <QTextStream>

class CliOutput
{
public:
    // Diverts the process's standard output (see Console.h) and keeps the original for itself.
    CliOutput();

    CliOutput(const CliOutput &) = delete;
    CliOutput &operator=(const CliOutput &) = delete;

    // One line of text on standard output.
    void line(const QString &text);
    // A JSON document on standard output, UTF-8, whatever the locale.
    void document(const QJsonObject &json);
    // One line on standard error.
    void message(const QString &text);

    // Draws "text" as the progress line on standard error, replacing the previous one; only
    // when standard error is a terminal.
    void progress(const QString &text);
    // Removes the progress line, so that the next line starts on a clean line.
    void clearProgress();

private:
    QFile m_outFile;
    QTextStream m_out;
    QTextStream m_err;
    bool m_terminal = false;
    int m_progressWidth = 0; ///< characters of the progress line on the screen; 0 when none
};
