// Calibration value files: both reader forms, the number conversion and the serial digits.

#include "StdoutCapture.h"
#include "files/CFileIO.h"
#include "files/NumberText.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A byte string literal that may hold NUL bytes, without its terminating zero.
template <int N> QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

constexpr unsigned char PATTERN = 0xA5; // fills the record so that untouched bytes show

// n distinct values and the text of line 4 that holds them.
QVector<float> values(int n)
{
    QVector<float> result;
    for (int i = 0; i < n; ++i)
        result.append(float(i) * 1.25f - 7.5f + float(i % 3) * 0.001f);
    return result;
}
QByteArray valuesLine(const QVector<float> &values)
{
    QByteArrayList pieces;
    for (const float value : values)
        pieces.append(QByteArray::number(double(value), 'g', 9));
    return pieces.join(',');
}
QByteArray calFile(const QByteArray &serial, const QByteArray &line4, const QByteArray &lineEnd = "\n")
{
    return "Serial,Data" + lineEnd + "comment" + lineEnd + serial + lineEnd + line4 + lineEnd;
}
QByteArray bytesOf(const QlxCalRefData &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

} // namespace

class TestCalFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray write(const QByteArray &content) const
    {
        QFile file(m_dir.filePath(QStringLiteral("cal.csv")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            qFatal("cannot write the test file");
        return QFile::encodeName(file.fileName());
    }

private slots:
    // serial and values: what the form stores (empty: the bytes stay as they were).
    void read_data()
    {
        QTest::addColumn<bool>("adapter");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("serial");
        QTest::addColumn<QVector<float>>("values");
        QTest::addColumn<QByteArray>("printed");
        const auto rowOf = [](bool adapter) {
            return [adapter](const char *name, const QByteArray &content, bool ok, const QByteArray &serial,
                             const QVector<float> &values, const QByteArray &printed = {}) {
                QTest::addRow("%s %s", adapter ? "adapter" : "white", name)
                    << adapter << content << ok << serial << values << printed;
            };
        };
        const auto white = rowOf(false), adapter = rowOf(true);
        const QVector<float> w = values(38), a = values(75), none;
        const QByteArray wLine = valuesLine(w), aLine = valuesLine(a), wSerial = bytes("\x10\x00\x01\x23"),
                         aSerial = bytes("\x00\x01\x23\x45");
        const QByteArray wFile = calFile("10000123", wLine), aFile = calFile("00012345", aLine);
        const QVector<float> formats =
            QVector<float>{
                0.001f, 0.5f, 0.95f, -5.0f, 5.0f, -0.0f, std::numeric_limits<float>::denorm_min()} +
            w.mid(7);
        // A spreadsheet with the decimal comma: "1;0,901;...;0,937" splits into 38 pieces.
        QByteArrayList semicolons{"1"};
        for (int i = 901; i < 901 + 37; ++i)
            semicolons.append("0," + QByteArray::number(i));
        QByteArray manyLines = wFile;
        for (int i = 0; i < 100000; ++i)
            manyLines += "5,6,7\n";

        white("LF", wFile, true, wSerial, w);
        white("CR LF", calFile("10000123", wLine, "\r\n"), true, wSerial, w);
        white("no last line end", wFile.chopped(1), true, wSerial, w);
        white("extra commas", calFile("10000123", "," + QByteArray(wLine).replace(",", ",,") + ","), true,
              wSerial, w);
        white("BOM, later lines", "\xEF\xBB\xBF" + wFile + "9\n1,2\n", true, wSerial, w);
        white("piece formats",
              calFile("10000123", "1e-3, 0.5\t,+.95,-.5E+1 ,5.,-0.0,1.40129846e-45," + valuesLine(w.mid(7))),
              true, wSerial, formats);
        white("decimal commas", calFile("10000123", semicolons.join(';')), false, wSerial, none);
        // The largest float's short text rounds to it; a text of many digits is rounded once.
        white("float limits",
              calFile("10000123",
                      "3.4028235e38,-3.40282356e38,1.000000059604644775390625001," + valuesLine(w.mid(3))),
              true, wSerial,
              QVector<float>{std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                             std::nextafter(1.0f, 2.0f)} +
                  w.mid(3));
        white("37", calFile("10000123", valuesLine(values(37))), false, wSerial, none);
        white("39", calFile("10000123", valuesLine(values(39))), false, wSerial, none);
        white("38 empty pieces", calFile("10000123", QByteArray(38, ',')), false, wSerial, none);
        for (const char *bad : {"nan", "-inf", "1e999", "1e39", "abc", "0x10", "\"1.5\"", " \t", "-.",
                                "0.95%", "90%", "1e", "0.5 1", "1e-50", "-1e-400", "5e-46", "3.4028236e38"})
            white(bad, calFile("10000123", valuesLine(w.mid(1)) + "," + bad), false, wSerial, none);
        white("serial 1", calFile("1", wLine), true, bytes("\x00\x00\x00\x01"), w);
        white("serial ABCDEF12", calFile("ABCDEF12", wLine), false, {}, w, "incorrect data. ABCDEF12\n");
        white("serial 1x012399", calFile("1x012399", wLine), false, {}, w, "incorrect data. 1x012399\n");
        white("serial with a blank", calFile(" 1234567", wLine), false, {}, w, "incorrect data.  1234567\n");
        white("serial 7 characters", calFile("1234567", wLine, "\r\n"), true, "\x01\x23\x45\x67", w);
        white("serial empty", calFile("", wLine), true, {}, w);
        white("serial 9 characters", calFile("123456789", wLine), false, {}, w,
              "incorrect data. 123456789\n");
        white("three lines", "a\nb\n10000123\n", false, wSerial, none);
        white("one line", "10000123," + wLine, false, {}, none);
        white("empty file", {}, false, {}, none);
        white("1 MB line 4", calFile("10000123", QByteArray(1 << 20, ',') + wLine), true, wSerial, w);
        // Far below the smallest float, but not zero: it would be stored as 0.
        white("1 MB value",
              calFile("10000123", "0." + QByteArray(1 << 20, '0') + "1" + wLine.mid(wLine.indexOf(','))),
              false, wSerial, none);
        white("1 MB zero",
              calFile("10000123", "0." + QByteArray(1 << 20, '0') + wLine.mid(wLine.indexOf(','))), true,
              wSerial, QVector<float>{0.0f} + w.mid(1));
        white("100000 lines", manyLines, true, wSerial, w);
        // The echoed line shows its control bytes escaped, the zero bytes too.
        white("binary", bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n\xff\xfe\x01\n"), false, {}, none,
              "incorrect data. \\x00\\x00\\x00\\x0DIHDR\n");

        adapter("LF", aFile, true, aSerial, a);
        adapter("CR LF", calFile("00012345", aLine, "\r\n"), true, aSerial, a);
        adapter("74", calFile("00012345", valuesLine(values(74))), false, aSerial, none);
        adapter("76", calFile("00012345", valuesLine(values(76))), false, aSerial, none);
        adapter("nan", calFile("00012345", valuesLine(a.mid(1)) + ",nan"), false, aSerial, none);
        adapter("serial 1001239x", calFile("1001239x", aLine), false, {}, a, "incorrect data. 1001239x\n");
        adapter("serial 7", calFile("0012345", aLine), false, {}, a, "incorrect data. 0012345\n");
        adapter("serial 9", calFile("000012345", aLine, "\r\n"), false, {}, a, "incorrect data. 000012345\n");
        adapter("serial empty", calFile("", aLine), false, {}, a, "incorrect data. \n");
        adapter("three lines", "a\r\nb\r\n00012345", false, aSerial, none);
        adapter("one line", "x\n", false, {}, none);
        adapter("empty file", {}, false, {}, none);
    }
    void read()
    {
        QFETCH(bool, adapter);
        QFETCH(QByteArray, content);
        QFETCH(bool, ok);
        QFETCH(QByteArray, serial);
        QFETCH(QVector<float>, values);
        QFETCH(QByteArray, printed);
        QlxCalRefData record;
        std::memset(&record, PATTERN, sizeof record);
        QlxCalRefData expected = record;
        uint8_t *expectedSerial = adapter ? expected.rfAmbient.serialNo : expected.rfWhite.serialNo;
        float *expectedValues = adapter ? expected.rfAmbient.spcData : expected.rfWhite.spcData;
        if (!serial.isEmpty())
            std::memcpy(expectedSerial, serial.constData(), QLX_CAL_SERIAL_SIZE);
        std::copy(values.cbegin(), values.cend(), expectedValues);

        const QByteArray path = write(content);
        CFileIO io;
        StdoutCapture capture;
        const bool result =
            adapter ? io.GetCalRefDataFromFile(path, record) : io.GetCalRefDataFromFile(path, record.rfWhite);
        QCOMPARE(capture.text(), printed);
        QCOMPARE(result, ok);
        QCOMPARE(bytesOf(record), bytesOf(expected));
    }

    // A value line of millions of values is refused in about the time it takes to pass over a
    // line of the same length: its values are counted before any is cut out. Timed against
    // that line, the check holds on a slow or busy machine and under sanitizers alike.
    void hugeValueLine()
    {
        const QByteArray manyValues = QByteArray("1,").repeated(8 * 1024 * 1024); // 16 MiB
        const auto fastestRead = [this](const QByteArray &content, bool ok) {
            const QByteArray path = write(content);
            qint64 fastest = std::numeric_limits<qint64>::max();
            for (int i = 0; i < 3; ++i) {
                QlxRefWhite white{};
                QElapsedTimer timer;
                timer.start();
                const bool result = CFileIO().GetCalRefDataFromFile(path, white);
                fastest = qMin(fastest, timer.elapsed());
                if (result != ok || white.spcData[0] != (ok ? 1.0f : 0.0f))
                    return qint64(-1);
            }
            return fastest;
        };
        const qint64 passedOver =
            fastestRead(manyValues + "\nx\n10000123\n" + valuesLine(QVector<float>(38, 1.0f)), true);
        const qint64 refused = fastestRead(calFile("10000123", manyValues), false);
        QVERIFY(passedOver >= 0 && refused >= 0);
        QVERIFY2(refused <= 3 * passedOver + 50,
                 qPrintable(QStringLiteral("%1 ms against %2 ms").arg(refused).arg(passedOver)));
    }

    void readMissingDirectoryOrDevice()
    {
        QlxCalRefData record;
        std::memset(&record, PATTERN, sizeof record);
        const QByteArray before = bytesOf(record);
        CFileIO io;
        for (const QByteArray &path : {QFile::encodeName(m_dir.filePath(QStringLiteral("none.csv"))),
                                       QFile::encodeName(m_dir.path()), QByteArray("/dev/zero")}) {
            QVERIFY(!io.GetCalRefDataFromFile(path, record.rfWhite));
            QVERIFY(!io.GetCalRefDataFromFile(path, record));
        }
        QCOMPARE(bytesOf(record), before);
    }

    // The full stop stays the decimal point under a locale whose decimal point is a comma.
    void germanLocale_data()
    {
        QTest::addColumn<bool>("cLocale");
        QTest::newRow("QLocale") << false;
        QTest::newRow("QLocale and C library") << true;
    }
    void germanLocale()
    {
        QFETCH(bool, cLocale);
        const QByteArray saved = std::setlocale(LC_ALL, nullptr);
        // The German locale as the C library names it: on POSIX systems, or on Windows.
        if (cLocale && !std::setlocale(LC_ALL, "de_DE.UTF-8") &&
            !std::setlocale(LC_ALL, "German_Germany.1252"))
            QSKIP("no German locale on this machine");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QlxRefWhite white{};
        const bool result =
            CFileIO().GetCalRefDataFromFile(write(calFile("1", valuesLine(values(38)))), white);
        std::setlocale(LC_ALL, saved.constData());
        QLocale::setDefault(QLocale::c());
        QVERIFY(result);
        QCOMPARE(white.spcData[2], values(38)[2]);
        QCOMPARE(white.spcData[37], values(38)[37]);
    }

    void leadingDouble_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("found"); ///< whether a number starts in text
        const auto row = [](const char *name, const QByteArray &text, double value, bool found = true) {
            QTest::newRow(name) << text << value << found;
        };
        const double inf = std::numeric_limits<double>::infinity();
        const QByteArray zeros(400, '0');
        row("white space, plus, junk", "\t\r+2.5x", 2.5);
        row("-.5e1", "-.5e1", -5.0);
        row("1.", "1.", 1.0);
        row("dangling exponent", "1e+", 1.0);
        row("hex", "0x10", 0.0, false);
        row("hex after sign", "-0X1p3", 0.0, false);
        row("two signs", "+-1", 0.0, false);
        row("point only", "-.", 0.0, false);
        row("blanks only", " \t", 0.0, false);
        row("quoted", "\"1.5\"", 0.0, false);
        row("INF", "INF", inf);
        row("-Infinity", "-Infinity", -inf);
        row("1e999", "1e999", inf);
        row("-1e-999", "-1e-999", 0.0);
        row("401 digits", "1" + zeros, inf);
        row("401 digits, exponent -5", "1" + zeros + "e-5", inf);
        row("401 digits, exponent -390", "1" + zeros + "e-390", 1e10);
        row("400 zeros after point", "0." + zeros + "1", 0.0);
        row("400 zeros after point, exponent 500", "-0." + zeros + "1e500", -1e99);
    }
    void leadingDouble()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QFETCH(bool, found);
        bool numberFound = !found;
        QCOMPARE(LeadingDouble(text, &numberFound), value);
        QCOMPARE(numberFound, found);
    }

    void leadingDoubleNan() { QVERIFY(qIsNaN(LeadingDouble(" -nan(1)"))); }

    void bcdAndHex_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("decimal");
        QTest::newRow("12") << QByteArray("12") << 0x12 << 12;
        QTest::newRow("aB") << QByteArray("aB") << 0xAB << 111;
        QTest::newRow("F0") << QByteArray("F0") << 0xF0 << 150;
        QTest::newRow("G0") << QByteArray("G0") << -1 << 165;
        QTest::newRow("first is NUL") << QByteArray() << -1 << 165;
    }
    void bcdAndHex()
    {
        QFETCH(QByteArray, digits);
        QFETCH(int, byte);
        QFETCH(int, decimal);
        const int parsed = HexPairToByte(digits.constData());
        QCOMPARE(parsed, byte);
        QCOMPARE(CFileIO().BcdToDec(uint8_t(parsed)), decimal);
    }
};

QTEST_GUILESS_MAIN(TestCalFile)
#include "tst_calfile.moc"
