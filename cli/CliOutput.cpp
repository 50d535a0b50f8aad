#include "CliOutput.h"

#include "CliTexts.h"
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

CliOutput::CliOutput(bool standardOutputOpen) : m_err(stderr), m_terminal(standardErrorIsTerminal())
{
    if (!standardOutputOpen)
        m_failure = CliText::tr("Standard output is closed.");
    m_outDescriptor = divertStandardOutput();
    if (m_outDescriptor < 0 ||
        !m_outFile.open(m_outDescriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        m_outFile.open(stdout, QIODevice::WriteOnly);
        m_outDescriptor = STANDARD_OUTPUT_DESCRIPTOR;
    }
    m_out.setDevice(&m_outFile);
    m_out.setCodec("UTF-8");
    m_err.setCodec("UTF-8");
}

void CliOutput::write(QTextStream &stream, int descriptor, const QString &text)
{
    stream.flush();
    if (isWindowsConsole(descriptor) && writeConsole(descriptor, text))
        return;
    stream << text;
    stream.flush();
    if (&stream == &m_out && m_out.status() != QTextStream::Ok)
        outputFailed();
}

void CliOutput::outputFailed()
{
    if (m_failure.isEmpty())
        m_failure = CliText::tr("Standard output could not be written: %1").arg(m_outFile.errorString());
}

void CliOutput::line(const QString &text)
{
    clearProgress();
    if (!failed())
        write(m_out, m_outDescriptor, text + QLatin1Char('\n'));
}

void CliOutput::document(const QJsonObject &json)
{
    clearProgress();
    if (failed())
        return;
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    if (m_outFile.write(bytes) != bytes.size() || !m_outFile.flush())
        outputFailed();
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
