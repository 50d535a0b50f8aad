#include "CliOutput.h"

#include "CliTexts.h"
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

// Control characters shown as escapes: an instrument's or a file's text may hold a line break
// (which would break the line per result) or an escape sequence (which would drive the terminal).
constexpr char16_t LAST_ASCII = 0x7F;

QString escapedControls(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control) {
            shown += c;
            continue;
        }
        switch (c.unicode()) {
        case u'\n':
            shown += QLatin1String("\\n");
            break;
        case u'\r':
            shown += QLatin1String("\\r");
            break;
        case u'\t':
            shown += QLatin1String("\\t");
            break;
        default: {
            // C0 and DEL as a byte, the C1 range as the code point it is.
            const bool ascii = c.unicode() <= LAST_ASCII;
            shown +=
                QLatin1String(ascii ? "\\x" : "\\u") +
                QString::number(c.unicode(), 16).rightJustified(ascii ? 2 : 4, QLatin1Char('0')).toUpper();
        }
        }
    }
    return shown;
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
        write(m_out, m_outDescriptor, escapedControls(text) + QLatin1Char('\n'));
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
    write(m_err, STANDARD_ERROR_DESCRIPTOR, escapedControls(text) + QLatin1Char('\n'));
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
