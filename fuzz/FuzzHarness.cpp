#include "fuzz/FuzzHarness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

// The files of this process in the temporary folder (often a tmpfs), rewritten for every
// input and removed when the process ends normally or on a broken property (libFuzzer keeps
// the input itself).
class ScratchFiles
{
public:
    ScratchFiles()
    {
        const QString base = QDir::tempPath() + QStringLiteral("/kt9-fuzz-") +
                             QString::number(QCoreApplication::applicationPid());
        m_scratch.inputPath = QFile::encodeName(base + QStringLiteral("-input"));
        m_scratch.outputPath = QFile::encodeName(base + QStringLiteral("-output.ini"));
    }
    ~ScratchFiles() { remove(); }
    ScratchFiles(const ScratchFiles &) = delete;
    ScratchFiles &operator=(const ScratchFiles &) = delete;

    const ReaderScratch &paths() const { return m_scratch; }
    void remove() const
    {
        QFile::remove(QFile::decodeName(m_scratch.inputPath));
        QFile::remove(QFile::decodeName(m_scratch.outputPath));
    }

private:
    ReaderScratch m_scratch;
};

} // namespace

void fuzzFileReader(FileReader reader, const uint8_t *data, std::size_t size)
{
    static const ScratchFiles scratch;
    const QByteArray content = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const QByteArray problems = checkFileReader(reader, content, scratch.paths());
    if (problems.isEmpty())
        return;
    std::fprintf(stderr, "==kt9-fuzz== broken property:\n%s\n", problems.constData());
    scratch.remove();
    std::abort();
}
