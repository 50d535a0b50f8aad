// Replays the inputs kept in fuzz/ (the seed corpus of each fuzz target and every input that
// once broke a reader) through the checks the fuzz targets run.

#include "StdoutCapture.h"
#include "fuzz/ReaderChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FileReader)

namespace {

const struct
{
    const char *folder;
    FileReader reader;
} READER_FOLDERS[] = {
    {"network_file", FileReader::NetworkSettings},
    {"white_plate_file", FileReader::WhitePlate},
    {"ambient_adapter_file", FileReader::AmbientAdapter},
};

QStringList filesIn(const QString &folder)
{
    return QDir(QStringLiteral(KT9_FUZZ_DIR) + QLatin1Char('/') + folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // An empty or misplaced folder would leave the replay below with nothing to check.
    void seedCorpusPresent()
    {
        for (const auto &entry : READER_FOLDERS)
            QVERIFY2(filesIn(QStringLiteral("corpus/") + entry.folder).size() >= 5, entry.folder);
    }

    void replay_data()
    {
        QTest::addColumn<FileReader>("reader");
        QTest::addColumn<QString>("path");
        for (const char *kind : {"regressions", "corpus"}) {
            for (const auto &entry : READER_FOLDERS) {
                const QString folder = QString::fromLatin1(kind) + QLatin1Char('/') + entry.folder;
                for (const QString &name : filesIn(folder))
                    QTest::newRow(qPrintable(folder + QLatin1Char('/') + name))
                        << entry.reader
                        << QStringLiteral(KT9_FUZZ_DIR) + QLatin1Char('/') + folder + QLatin1Char('/') + name;
            }
        }
    }
    void replay()
    {
        QFETCH(FileReader, reader);
        QFETCH(QString, path);
        QFile input(path);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const ReaderScratch scratch{QFile::encodeName(m_dir.filePath(QStringLiteral("input"))),
                                    QFile::encodeName(m_dir.filePath(QStringLiteral("output.ini")))};
        QByteArray problems;
        {
            StdoutCapture quiet; // the calibration readers print a line for a bad serial number
            problems = checkFileReader(reader, input.readAll(), scratch);
        }
        QVERIFY2(problems.isEmpty(), problems.constData());
    }
};

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
