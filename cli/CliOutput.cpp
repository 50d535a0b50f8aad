#include "CliOutput.h"

#include "Console.h"

#include <QJsonDocument>

#include <cstdio>

namespace {

// Columns a text takes on a terminal: East Asian wide characters take two.
int displayWidth(const QString &text)
{
    constexpr char16_t FIRST_WIDE = 0x1100;
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= FIRST_WIDE ? 2 : 1;
    return width;
}

} // namespace

CliOutput::CliOutput() : m_err(stderr), m_terminal(standardErrorIsTerminal())
{
    const int original = divertStandardOutput();
    if (original < 0 || !m_outFile.open(original, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        m_outFile.open(stdout, QIODevice::WriteOnly);
    m_out.setDevice(&m_outFile);
}

void CliOutput::line(const QString &text)
{
    clearProgress();
    m_out << text << '\n';
    m_out.flush();
}

void CliOutput::document(const QJsonObject &json)
{
    clearProgress();
    m_out.flush();
    m_outFile.write(QJsonDocument(json).toJson(QJsonDocument::Indented));
    m_outFile.flush();
}

void CliOutput::message(const QString &text)
{
    clearProgress();
    m_err << text << '\n';
    m_err.flush();
}

void CliOutput::progress(const QString &text)
{
    if (!m_terminal)
        return;
    // Carriage return and blanks over the rest of the old line work on every console.
    const int width = displayWidth(text);
    m_err << '\r' << text;
    if (m_progressWidth > width)
        m_err << QString(m_progressWidth - width, QLatin1Char(' ')) << '\r' << text;
    m_err.flush();
    m_progressWidth = width;
}

void CliOutput::clearProgress()
{
    if (m_progressWidth == 0)
        return;
    m_err << '\r' << QString(m_progressWidth, QLatin1Char(' ')) << '\r';
    m_err.flush();
    m_progressWidth = 0;
}
