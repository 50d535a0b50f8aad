#pragma once
// Runs the real kt9-cli as a user would, against a folder of simulated instruments, and
// collects its exit status and both output streams.

#include "TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <functional>

struct CliResult
{
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;

    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
    // The document on standard output; a parse error fails the calling test.
    QJsonObject json() const
    {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(out, &error);
        if (error.error != QJsonParseError::NoError)
            qWarning("standard output is not JSON: %s\n%s", qPrintable(error.errorString()), out.constData());
        return document.object();
    }
};

class CliRunner
{
public:
    // Every run sees the simulated instruments of simDir, traces the library's calls on
    // standard error and, like a Qt that prints debug output unless told otherwise, has debug
    // output switched on in its Qt configuration: kt9-cli must switch it off itself.
    explicit CliRunner(const QString &simDir) : m_simDir(simDir)
    {
        QDir(m_config.path()).mkpath(QStringLiteral("QtProject"));
        QFile rules(m_config.filePath(QStringLiteral("QtProject/qtlogging.ini")));
        if (!rules.open(QIODevice::WriteOnly) || rules.write("[Rules]\n*.debug=true\n") < 0)
            qFatal("cannot write the Qt logging configuration");
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QLXSDK_SIM_DIR"), m_simDir);
        env.insert(QStringLiteral("QLXSDK_SIM_TRACE"), QStringLiteral("1"));
        setChildLocale(env, QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        env.remove(QStringLiteral("QT_LOGGING_RULES"));
        return env;
    }

    // Runs kt9-cli (or program, which starts it) to its end. watchErrors, when given, sees
    // standard error as it grows and may act on the instruments (or the process) in the middle
    // of the run.
    CliResult run(const QStringList &arguments, const QProcessEnvironment &env,
                  const std::function<void(const QByteArray &err, QProcess &process)> &watchErrors = {},
                  const QString &program = QStringLiteral(KT9_CLI_PROGRAM)) const
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workingDirectory);
        process.setReadChannel(QProcess::StandardError);
        // Text mode: a Windows program ends its lines with CR LF.
        const QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Text;
        if (outputRedirection.isEmpty())
            process.start(program, arguments, mode);
        else
            process.start(
                QStringLiteral("/bin/bash"),
                QStringList{"-o", "pipefail", "-c", "exec \"$0\" \"$@\" " + outputRedirection, program} +
                    arguments,
                mode);
        CliResult result;
        if (!process.waitForStarted(10000)) {
            qWarning("kt9-cli did not start: %s", qPrintable(process.errorString()));
            return result;
        }
        QDeadlineTimer deadline(60000);
        while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            process.waitForReadyRead(20);
            result.err += process.readAllStandardError();
            result.out += process.readAllStandardOutput();
            if (watchErrors)
                watchErrors(result.err, process);
        }
        if (!process.waitForFinished(1000))
            process.kill();
        result.err += process.readAllStandardError();
        result.out += process.readAllStandardOutput();
        result.crashed = process.exitStatus() != QProcess::NormalExit;
        result.exitCode = process.exitCode();
        return result;
    }
    CliResult run(const QStringList &arguments) const { return run(arguments, environment()); }

    QString workingDirectory = QDir::currentPath(); ///< where relative file names are resolved
    // Where a POSIX shell sends standard output: a redirection (">&-") or a pipe ("| head"); the
    // exit status is then the program's unless the pipe's end fails.
    QString outputRedirection;

private:
    QString m_simDir;
    QTemporaryDir m_config;
};

// The bytes of every instrument file of a folder, by file name.
inline QMap<QString, QByteArray> instrumentFiles(const QString &simDir)
{
    QMap<QString, QByteArray> files;
    const QDir dir(simDir);
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

// A file with the given text, in dir.
inline QString writeTextFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
