#include "CliOutput.h"

#include "Console.h"
#include "files/TextEncoding.h"

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
    m_outDescriptor = divertStandardOutput();
    if (m_outDescriptor < 0 ||
        !m_outFile.open(m_outDescriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        m_outFile.open(stdout, QIODevice::WriteOnly);
        m_outDescriptor = STANDARD_OUTPUT_DESCRIPTOR;
    }
    m_out.setDevice(&m_outFile);
    setUtf8(m_out);
    setUtf8(m_err);
}

void CliOutput::write(QTextStream &stream, int descriptor, const QString &text)
{
    stream.flush();
    if (isWindowsConsole(descriptor) && writeConsole(descriptor, text))
        return;
    stream << text;
    stream.flush();
}

void CliOutput::line(const QString &text)
{
    clearProgress();
    write(m_out, m_outDescriptor, text + QLatin1Char('\n'));
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
    write(m_err, STANDARD_ERROR_DESCRIPTOR, text + QLatin1Char('\n'));
}

void CliOutput::progress(const QString &text)
{
    if (!m_terminal)
        return;
    // Carriage return and blanks over the rest of the old line work on every console.
    const int width = displayWidth(text);
    QString drawn = QLatin1Char('\r') + text;
    if (m_progressWidth > width)
        drawn += QString(m_progressWidth - width, QLatin1Char(' ')) + QLatin1Char('\r') + text;
    write(m_err, STANDARD_ERROR_DESCRIPTOR, drawn);
    m_progressWidth = width;
}

void CliOutput::clearProgress()
{
    if (m_progressWidth == 0)
        return;
    write(m_err, STANDARD_ERROR_DESCRIPTOR,
          QLatin1Char('\r') + QString(m_progressWidth, QLatin1Char(' ')) + QLatin1Char('\r'));
    m_progressWidth = 0;
}
