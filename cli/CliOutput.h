#pragma once
// Where kt9-cli's output goes: its own lines and JSON documents to the original standard
// output (whatever else the process prints there is diverted to standard error), messages and
// the progress line to standard error. Text is UTF-8 whatever the locale, as the JSON
// documents are; a Windows console is handed the text itself, so that it shows every language.

#include <QFile>
#include <QJsonObject>
#include <QString>
#include <QTextStream>

class CliOutput
{
public:
    // Diverts the process's standard output (see Console.h) and keeps the original for itself;
    // standardOutputOpen false: the program was started without one, which counts as a failure.
    explicit CliOutput(bool standardOutputOpen = true);

    CliOutput(const CliOutput &) = delete;
    CliOutput &operator=(const CliOutput &) = delete;

    // One line of text on standard output; control characters in it are shown escaped (\x1B, \n).
    void line(const QString &text);
    // A JSON document on standard output, UTF-8, whatever the locale.
    void document(const QJsonObject &json);
    // One line on standard error, escaped as line() escapes.
    void message(const QString &text);

    // Draws "text" as the progress line on standard error, replacing the previous one; only
    // when standard error is a terminal.
    void progress(const QString &text);
    // Removes the progress line, so that the next line starts on a clean line.
    void clearProgress();

    // True once a write or flush on standard output has failed (a full disk, a pipe whose reader
    // has gone) or when there was none; nothing more is written there then.
    bool failed() const { return !m_failure.isEmpty(); }
    // What failed, as a sentence for standard error; empty while nothing has.
    QString failure() const { return m_failure; }

private:
    // Writes text to the console behind descriptor when it is a Windows console, else to stream.
    void write(QTextStream &stream, int descriptor, const QString &text);
    // Records the first failure of standard output.
    void outputFailed();

    int m_outDescriptor = -1; ///< the original standard output
    QFile m_outFile;
    QTextStream m_out;
    QTextStream m_err;
    bool m_terminal = false;
    int m_progressWidth = 0; ///< characters of the progress line on the screen; 0 when none
    QString m_failure;
};
