// Calibration value files: both reader forms, the number conversion and the serial digits.

#include "StdoutCapture.h"
#include "files/CFileIO.h"
#include "files/NumberText.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
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
        const QVector<float> w = values(38), a = values(75), none;
        const QByteArray wLine = valuesLine(w), aLine = valuesLine(a), serial = "10000123",
                         serialBytes = bytes("\x10\x00\x01\x23");
        QVector<float> special = w;
        special[0] = 0.001f;
        special[1] = 0.0f;
        special[2] = 0.5f;
        special[3] = 0.0f;
        const QByteArray specialLine = "1e-3,abc, 0.5, ," + valuesLine(w.mid(4));
        QByteArray manyLines = calFile(serial, wLine);
        for (int i = 0; i < 100000; ++i)
            manyLines += "5,6,7\n";
        QVector<float> tinyFirst = w;
        tinyFirst[0] = 0.0f;
        const QByteArray nonFinite = valuesLine(w.mid(1));

        QTest::newRow("white") << false << calFile(serial, wLine) << true << serialBytes << w << QByteArray();
        QTest::newRow("white CR LF") << false << calFile(serial, wLine, "\r\n") << true << serialBytes << w
                                     << QByteArray();
        QTest::newRow("white no last line end")
            << false << calFile(serial, wLine).chopped(1) << true << serialBytes << w << QByteArray();
        QTest::newRow("white extra commas")
            << false << calFile(serial, "," + QByteArray(wLine).replace(",", ",,") + ",") << true
            << serialBytes << w << QByteArray();
        QTest::newRow("white BOM, later lines")
            << false << "\xEF\xBB\xBF" + calFile(serial, wLine) + "9\n1,2\n"
            << true << serialBytes << w << QByteArray();
        QTest::newRow("white piece formats")
            << false << calFile(serial, specialLine) << true << serialBytes << special << QByteArray();
        QTest::newRow("white 37") << false << calFile(serial, valuesLine(values(37))) << false << serialBytes
                                  << none << QByteArray();
        QTest::newRow("white 39") << false << calFile(serial, valuesLine(values(39))) << false << serialBytes
                                  << none << QByteArray();
        QTest::newRow("white 38 empty pieces")
            << false << calFile(serial, QByteArray(38, ',')) << false << serialBytes << none << QByteArray();
        for (const char *bad : {"nan", "-inf", "1e999", "1e39"})
            QTest::addRow("white %s", bad) << false << calFile(serial, nonFinite + "," + bad) << false
                                           << serialBytes << none << QByteArray();
        QTest::newRow("white serial 1")
            << false << calFile("1", wLine) << true << bytes("\x00\x00\x00\x01") << w << QByteArray();
        QTest::newRow("white serial ABCDEF12") << false << calFile("ABCDEF12", wLine) << true
                                               << QByteArray("\xAB\xCD\xEF\x12") << w << QByteArray();
        QTest::newRow("white serial abcdef12") << false << calFile("abcdef12", wLine) << true
                                               << QByteArray("\xAB\xCD\xEF\x12") << w << QByteArray();
        QTest::newRow("white serial 12G45678") << false << calFile("12G45678", wLine) << true
                                               << QByteArray("\x12\xFF\x56\x78") << w << QByteArray();
        QTest::newRow("white serial 7 characters") << false << calFile("1234567", wLine, "\r\n") << true
                                                   << QByteArray("\x01\x23\x45\x67") << w << QByteArray();
        QTest::newRow("white serial empty")
            << false << calFile("", wLine) << true << QByteArray() << w << QByteArray();
        QTest::newRow("white serial 9 characters")
            << false << calFile("123456789", wLine) << false << QByteArray() << w
            << QByteArray("incorrect data. 123456789\n");
        QTest::newRow("white three lines")
            << false << QByteArray("a\nb\n10000123") << true << serialBytes << none << QByteArray();
        QTest::newRow("white one line")
            << false << QByteArray("10000123," + wLine) << true << QByteArray() << none << QByteArray();
        QTest::newRow("white empty file")
            << false << QByteArray() << true << QByteArray() << none << QByteArray();
        QTest::newRow("white 1 MB line 4") << false << calFile(serial, QByteArray(1 << 20, ',') + wLine)
                                           << true << serialBytes << w << QByteArray();
        QTest::newRow("white 1 MB value")
            << false
            << calFile(serial, "0." + QByteArray(1 << 20, '0') + "1," + wLine.mid(wLine.indexOf(',') + 1))
            << true << serialBytes << tinyFirst << QByteArray();
        QTest::newRow("white 100000 lines") << false << manyLines << true << serialBytes << w << QByteArray();
        QTest::newRow("white binary") << false << bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n\xff\xfe\x01\n")
                                      << false << QByteArray("\xFF\xFF\xFF\xFF") << none << QByteArray();

        QTest::newRow("adapter") << true << calFile("00012345", aLine) << true << bytes("\x00\x01\x23\x45")
                                 << a << QByteArray();
        QTest::newRow("adapter CR LF") << true << calFile("00012345", aLine, "\r\n") << true
                                       << bytes("\x00\x01\x23\x45") << a << QByteArray();
        QTest::newRow("adapter 74") << true << calFile("00012345", valuesLine(values(74))) << false
                                    << bytes("\x00\x01\x23\x45") << none << QByteArray();
        QTest::newRow("adapter 76") << true << calFile("00012345", valuesLine(values(76))) << false
                                    << bytes("\x00\x01\x23\x45") << none << QByteArray();
        QTest::newRow("adapter nan") << true << calFile("00012345", valuesLine(a.mid(1)) + ",nan") << false
                                     << bytes("\x00\x01\x23\x45") << none << QByteArray();
        QTest::newRow("adapter serial 7") << true << calFile("0012345", aLine) << false << QByteArray() << a
                                          << QByteArray("incorrect data. 0012345\n");
        QTest::newRow("adapter serial 9") << true << calFile("000012345", aLine, "\r\n") << false
                                          << QByteArray() << a << QByteArray("incorrect data. 000012345\n");
        QTest::newRow("adapter serial empty")
            << true << calFile("", aLine) << false << QByteArray() << a << QByteArray("incorrect data. \n");
        QTest::newRow("adapter one line")
            << true << QByteArray("x\n") << true << QByteArray() << none << QByteArray();
        QTest::newRow("adapter empty file")
            << true << QByteArray() << true << QByteArray() << none << QByteArray();
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
        if (cLocale && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("no de_DE.UTF-8 locale on this machine");
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
        const double inf = std::numeric_limits<double>::infinity();
        const QByteArray zeros(400, '0');
        QTest::newRow("1e-3") << QByteArray("1e-3") << 0.001;
        QTest::newRow("abc") << QByteArray("abc") << 0.0;
        QTest::newRow("blank 0.5") << QByteArray(" 0.5") << 0.5;
        QTest::newRow("white space, plus, junk") << QByteArray("\t\r+2.5x") << 2.5;
        QTest::newRow("-.5e1") << QByteArray("-.5e1") << -5.0;
        QTest::newRow("1.") << QByteArray("1.") << 1.0;
        QTest::newRow("dangling exponent") << QByteArray("1e+") << 1.0;
        QTest::newRow("comma") << QByteArray("1,5") << 1.0;
        QTest::newRow("hex") << QByteArray("0x10") << 0.0;
        QTest::newRow("two signs") << QByteArray("+-1") << 0.0;
        QTest::newRow("point only") << QByteArray("-.") << 0.0;
        QTest::newRow("INF") << QByteArray("INF") << inf;
        QTest::newRow("-Infinity") << QByteArray("-Infinity") << -inf;
        QTest::newRow("1e999") << QByteArray("1e999") << inf;
        QTest::newRow("-1e999") << QByteArray("-1e999") << -inf;
        QTest::newRow("1e-999") << QByteArray("1e-999") << 0.0;
        QTest::newRow("401 digits") << "1" + zeros << inf;
        QTest::newRow("401 digits, exponent -5") << "1" + zeros + "e-5" << inf;
        QTest::newRow("401 digits, exponent -390") << "1" + zeros + "e-390" << 1e10;
        QTest::newRow("400 zeros after point") << "0." + zeros + "1" << 0.0;
        QTest::newRow("400 zeros after point, exponent 500") << "-0." + zeros + "1e500" << -1e99;
    }
    void leadingDouble()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(LeadingDouble(text), value);
    }

    void leadingDoubleNan() { QVERIFY(qIsNaN(LeadingDouble(" -nan(1)"))); }

    void bcdAndHex_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("decimal");
        QTest::newRow("12") << QByteArray("12") << 0x12 << 12;
        QTest::newRow("99") << QByteArray("99") << 0x99 << 99;
        QTest::newRow("aB") << QByteArray("aB") << 0xAB << 111;
        QTest::newRow("F0") << QByteArray("F0") << 0xF0 << 150;
        QTest::newRow("G0") << QByteArray("G0") << -1 << 165;
        QTest::newRow("0g") << QByteArray("0g") << -1 << 165;
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
