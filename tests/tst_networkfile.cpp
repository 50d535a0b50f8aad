// Network settings file: the INI lookup, reading the eight keys, writing the eleven lines.

#include "files/CFileIO.h"
#include "files/ProfileLookup.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

// Whether the lookup is the platform's own (Windows) rather than the tool's reader, which
// differs from it in two rules that tests/README.md describes.
#ifdef Q_OS_WIN
constexpr bool PLATFORM_LOOKUP = true;
#else
constexpr bool PLATFORM_LOOKUP = false;
#endif

// A byte string literal that may hold NUL bytes, without its terminating zero.
template <int N> QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

const QByteArray CANONICAL_FILE = "[Network]\r\n; 0:eDHCP_OFF, 1:eDHCP_ON\r\nDHCPUse=0\r\n"
                                  "IPAddress=192.168.0.10\r\nSubnetMask=255.255.255.0\r\n"
                                  "DefaultGateway=192.168.0.1\r\nSSID=LabNet\r\nEncryptKey=s3cr=t;key\r\n"
                                  "DNS=8.8.4.4\r\n; 0:eAPConnect_OFF, 1:eAPConnect_ON\r\nAPConnectUse=1\r\n";

QlxNetworkInfo canonicalRecord()
{
    QlxNetworkInfo record{};
    record.APConnectUse = eAPConnect_ON;
    record.DHCPUse = eDHCP_OFF;
    std::memcpy(record.IPAddress, "\xc0\xa8\x00\x0a\xff\xff\xff\x00\xc0\xa8\x00\x01\x08\x08\x04\x04", 16);
    std::strcpy(record.SSID, "LabNet");
    std::strcpy(record.EncryptKey, "s3cr=t;key");
    return record;
}

QByteArray bytesOf(const QlxNetworkInfo &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

// file with the value of key replaced.
QByteArray withValue(QByteArray file, const QByteArray &key, const QByteArray &value)
{
    const int start = file.indexOf("\n" + key + "=") + key.size() + 2;
    return file.replace(start, file.indexOf('\r', start) - start, value);
}

} // namespace

class TestNetworkFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray path(const QString &name = QStringLiteral("net.ini")) const
    {
        return QFile::encodeName(m_dir.filePath(name));
    }
    QByteArray write(const QByteArray &content) const
    {
        QFile file(QFile::decodeName(path()));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test file");
        return path();
    }
    QByteArray contentOf(const QByteArray &path) const
    {
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("value");
        const auto row = [](const char *name, const QByteArray &content, const QByteArray &value) {
            QTest::newRow(name) << content << value;
        };
        row("CR LF", "[Network]\r\nSSID=abc\r\n", "abc");
        row("LF, no last line end", "[Network]\nSSID=abc", "abc");
        row("lower case", "[network]\nssid=abc\n", "abc");
        row("blanks", " [ Network ]\n \tSSID \t=  a b \t\r\n", "a b");
        row("= in value", "[Network]\nSSID=a=b=\n", "a=b=");
        row("double quotes", "[Network]\nSSID= \" a \" \n", " a ");
        row("single quotes, one pair only", "[Network]\nSSID='\"x\"'\n", "\"x\"");
        row("unmatched quotes", "[Network]\nSSID=\"x'\n", "\"x'");
        row("lone quote", "[Network]\nSSID=\"\n", "\"");
        row("comments, blank lines", "; c\n\n[Network]\n;SSID=no\n  ; SSID=no\n\nSSID=yes\n", "yes");
        row("; after value", "[Network]\nSSID=abc ; x\n", "abc ; x");
        row("other section first", "[Other]\nSSID=no\n[Network]\nSSID=yes\n", "yes");
        row("other section after", "[Network]\nA=1\n[Other]\nSSID=no\n", "");
        row("before any section", "SSID=no\n[Network]\n", "");
        row("second section not searched", "[Network]\nA=1\n[Network]\nSSID=no\n", "");
        row("first key wins", "[Network]\nSSID=one\nSSID=two\n", "one");
        // Windows' own lookup (here: Wine's) takes a line without "=" for a key without a value,
        // so the bare "SSID" is the first SSID.
        row("key without =", "[Network]\nSSID\nSSID yes\nSSIDX=1\nSSID=z\n", PLATFORM_LOOKUP ? "" : "z");
        row("empty value", "[Network]\nSSID=\nSSID=later\n", "");
        row("600 bytes", "[Network]\nSSID=" + QByteArray(600, 'v') + "\n", QByteArray(511, 'v'));
        row("NUL bytes", bytes("[Network]\n\0SSID=x\nSSID=ab\0cd\n"), "ab");
        row("lone CR ends a line", "[Network]\rSSID=ab\rcd=x\r", "ab");
        row("CR CR LF", "[Network]\r\r\n\r\r\nSSID=LabNet\r\r\n", "LabNet");
        row("lone CR before a section", "[Network]\nA=1\r[Other]\nSSID=no\n", "");
        // Only the own reader bounds the bytes of a line it looks at.
        row("line beyond 64 KiB", "[Network]\nSSID=" + QByteArray(65528, ' ') + "LabNet\nSSID=x\n",
            PLATFORM_LOOKUP ? "LabNet" : "");
        row("UTF-8 BOM", "\xEF\xBB\xBF[Network]\r\nSSID=abc\r\n", "abc");
        row("BOM after the start", "[Network]\r\n\xEF\xBB\xBFSSID=no\r\nSSID=abc\r\n", "abc");
    }
    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, value);
        QCOMPARE(ReadProfileStrings(write(content), "Network", {"SSID"}), QVector<QByteArray>{value});
    }

    // bareName: the file is named without its folder, as a file of the current folder.
    void readCanonical_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("bareName");
        QTest::newRow("as written") << CANONICAL_FILE << false;
        QTest::newRow("LF, lower case, other order, comments")
            << QByteArray("[other]\nDHCPUse=1\n[NETWORK]\napconnectuse = 1\n\n; note\nssid=LabNet\n"
                          "dns=8.8.4.4\nencryptkey=s3cr=t;key\ndefaultgateway=192.168.0.1\n"
                          "subnetmask=255.255.255.0\nipaddress=192.168.0.10\ndhcpuse=0")
            << false;
        // Windows' profile lookup looks for a bare file name in the Windows folder.
        QTest::newRow("bare file name") << CANONICAL_FILE << true;
    }
    void readCanonical()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, bareName);
        QByteArray file = write(content);
        const QString savedFolder = QDir::currentPath();
        if (bareName) {
            QVERIFY(QDir::setCurrent(m_dir.path()));
            file = QFile::encodeName(QFileInfo(QFile::decodeName(file)).fileName());
        }
        QlxNetworkInfo record{};
        const bool read = CFileIO().GetNetworkInfoFromFile(file, record);
        QDir::setCurrent(savedFolder);
        QVERIFY(read);
        QCOMPARE(bytesOf(record), bytesOf(canonicalRecord()));
    }

    // value is given to all four address keys. An address other than four whole numbers from 0
    // to 255 (octets empty) ends the read at IPAddress.
    void readNumbers_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("octets");
        const auto row = [](const char *value, const QByteArray &octets) {
            QTest::newRow(value) << QByteArray(value) << octets;
        };
        row(" 01. 2 .003.+4", "\x01\x02\x03\x04");
        row("255.255.255.255", "\xff\xff\xff\xff");
        row("0.0.0.0", bytes("\0\0\0\0"));
        row("192.168.0", {});
        row("1.2.3.4.5", {});
        row("1.2.3.4.", {});
        row("10..0.1", {});
        row("256.1.1.1", {});
        row("1.2.3.-1", {});
        row("1.2.3x.4", {});
        row("on", {});
        row("--1", {});
        row("-2147483648.2147483648.-99999999999.4294967297", {});
    }
    void readNumbers()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, octets);
        QByteArray content = CANONICAL_FILE;
        for (const char *key : {"IPAddress", "SubnetMask", "DefaultGateway", "DNS"})
            content = withValue(content, key, value);
        QlxNetworkInfo record{};
        QCOMPARE(CFileIO().GetNetworkInfoFromFile(write(content), record), !octets.isEmpty());
        const QByteArray stored = octets.isEmpty() ? QByteArray(4, '\0') : octets;
        for (const uint8_t *field : {record.IPAddress, record.SubnetMask, record.DefaultGateway, record.DNS})
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(field), 4), stored);
    }

    // value is given to both on/off keys: only one whole number is taken, which the controller
    // then checks for 0 or 1. Anything else refuses the file at DHCPUse, which keeps what it held.
    void readFlags_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("flag");
        const auto row = [](const char *value, bool accepted, int flag) {
            QTest::newRow(value) << QByteArray(value) << accepted << flag;
        };
        row("0", true, 0);
        row(" +01 \t", true, 1);
        row("-0", true, 0);
        row("2", true, 2);
        row("-2147483649", true, INT32_MIN);
        for (const char *value : {"x", "1x", "1.5", "1 0", "1e0", "0x1", "+ 1", "--1"})
            row(value, false, 7);
    }
    void readFlags()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, accepted);
        QFETCH(int, flag);
        const QByteArray content =
            withValue(withValue(CANONICAL_FILE, "DHCPUse", value), "APConnectUse", value);
        QlxNetworkInfo record{};
        record.DHCPUse = 7;
        QCOMPARE(CFileIO().GetNetworkInfoFromFile(write(content), record), accepted);
        QCOMPARE(record.DHCPUse, flag);
        QCOMPARE(record.APConnectUse, accepted ? flag : 0);
    }

    // Reading stops at the first bad key: earlier fields hold the file's values, later ones
    // stay zero.
    void readFailure_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        QlxNetworkInfo upToGateway{}, upToSsid{}, upToKey{};
        const QlxNetworkInfo full = canonicalRecord();
        std::memcpy(&upToGateway, &full, offsetof(QlxNetworkInfo, DNS));
        upToGateway.APConnectUse = 0;
        upToSsid = upToGateway;
        std::strcpy(upToSsid.SSID, "LabNet");
        upToKey = upToSsid;
        std::strcpy(upToKey.EncryptKey, "s3cr=t;key");
        const QByteArray none = bytesOf(QlxNetworkInfo{});
        QTest::newRow("empty file") << QByteArray() << none;
        QTest::newRow("no section") << QByteArray(CANONICAL_FILE).replace("[Network]", "[Net]") << none;
        QTest::newRow("binary") << bytes("\x7f"
                                         "ELF\x02\x01\x01\0\0\0\0\x03\0>\0[\xff=\n\r=")
                                << none;
        QTest::newRow("keys without =") << QByteArray("[Network]\nDHCPUse 0\nIPAddress\n") << none;
        QTest::newRow("empty SSID") << withValue(CANONICAL_FILE, "SSID", "") << bytesOf(upToGateway);
        QTest::newRow("SSID 33") << withValue(CANONICAL_FILE, "SSID", QByteArray(33, 's'))
                                 << bytesOf(upToGateway);
        QTest::newRow("SSID 600") << withValue(CANONICAL_FILE, "SSID", QByteArray(600, 's'))
                                  << bytesOf(upToGateway);
        QTest::newRow("key 65") << withValue(CANONICAL_FILE, "EncryptKey", QByteArray(65, 'k'))
                                << bytesOf(upToSsid);
        QTest::newRow("DNS in a second section")
            << QByteArray(CANONICAL_FILE).replace("DNS=", "[Network]\r\nDNS=") << bytesOf(upToKey);
    }
    void readFailure()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        QlxNetworkInfo record{};
        QVERIFY(!CFileIO().GetNetworkInfoFromFile(write(content), record));
        QCOMPARE(bytesOf(record), expected);
    }

    void readMissingDirectoryOrDevice()
    {
        QlxNetworkInfo record{};
        for (const QByteArray &path :
             {path(QStringLiteral("none.ini")), QFile::encodeName(m_dir.path()), QByteArray("/dev/zero")})
            QVERIFY(!CFileIO().GetNetworkInfoFromFile(path, record));
        QCOMPARE(bytesOf(record), bytesOf(QlxNetworkInfo{}));
    }

    void readLargeFiles()
    {
        // 10 MB of other lines before the section, then 10 MB of noise.
        QByteArray big;
        big.reserve(11 * 1024 * 1024);
        while (big.size() < 10 * 1024 * 1024)
            big += "; padding line of a large file\r\nOther=" + QByteArray::number(big.size()) + "\r\n";
        QByteArray noise(10 * 1024 * 1024, '\0');
        QRandomGenerator(9).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        for (const QByteArray &content : {big + CANONICAL_FILE, noise}) {
            const QByteArray file = write(content);
            QlxNetworkInfo record{};
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(CFileIO().GetNetworkInfoFromFile(file, record), content != noise);
            // A linear scan takes well under a second; the generous bound still catches a
            // quadratic one (minutes on 10 MB) on a loaded machine or under sanitizers.
            QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed()) + " ms"));
        }
    }

    void writeReplacesWholeFile()
    {
        write(QByteArray(4096, 'x'));
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), canonicalRecord()));
        QCOMPARE(contentOf(path()), CANONICAL_FILE);
    }

    // line: the SSID and EncryptKey lines as written. A text that would not read back as itself
    // (outer blanks, or the same quote character at both ends) is written inside one pair of
    // double quotes; any other text as it is.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("lines");
        QlxNetworkInfo longest = canonicalRecord(), special = canonicalRecord();
        std::memset(longest.SSID, 'S', QLX_SSID_MAX_LENGTH);
        std::memset(longest.EncryptKey, 'K', QLX_ENCRYPT_KEY_MAX_LENGTH);
        longest.SSID[0] = ' ';
        longest.EncryptKey[0] = longest.EncryptKey[QLX_ENCRYPT_KEY_MAX_LENGTH - 1] = '"';
        longest.DHCPUse = INT32_MIN;
        longest.APConnectUse = -1;
        std::memset(longest.IPAddress, 255, 16); // all four addresses
        std::memset(special.EncryptKey, 0, sizeof special.EncryptKey);
        std::strcpy(special.SSID, "caf\xc3\xa9 [x]=;\"a");
        std::strcpy(special.EncryptKey, "'k \t k");
        const auto texts = [](const char *ssid, const char *key) {
            QlxNetworkInfo record = canonicalRecord();
            std::memset(record.SSID, 0, sizeof record.SSID);
            std::memset(record.EncryptKey, 0, sizeof record.EncryptKey);
            std::strcpy(record.SSID, ssid);
            std::strcpy(record.EncryptKey, key);
            return bytesOf(record);
        };
        QTest::newRow("canonical") << bytesOf(canonicalRecord())
                                   << QByteArray("SSID=LabNet\r\nEncryptKey=s3cr=t;key");
        QTest::newRow("32-byte SSID, 64-byte key, quoted, extremes")
            << bytesOf(longest)
            << "SSID=\" " + QByteArray(31, 'S') + "\"\r\nEncryptKey=\"\"" + QByteArray(62, 'K') + "\"\"";
        QTest::newRow("special characters")
            << bytesOf(special) << QByteArray("SSID=caf\xc3\xa9 [x]=;\"a\r\nEncryptKey='k \t k");
        QTest::newRow("outer blanks, double quotes")
            << texts(" Lab ", "\"k\"") << QByteArray("SSID=\" Lab \"\r\nEncryptKey=\"\"k\"\"");
        QTest::newRow("single quotes, inner quote")
            << texts("'k'", "a\"b") << QByteArray("SSID=\"'k'\"\r\nEncryptKey=a\"b");
        QTest::newRow("tab, lone quote") << texts("\tx", "\"") << QByteArray("SSID=\"\tx\"\r\nEncryptKey=\"");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, lines);
        QVERIFY(
            CFileIO().SetNetworkInfoToFile(path(), *reinterpret_cast<const QlxNetworkInfo *>(record.data())));
        QVERIFY2(contentOf(path()).contains("\r\n" + lines + "\r\n"), contentOf(path()).constData());
        QlxNetworkInfo read{};
        QVERIFY(CFileIO().GetNetworkInfoFromFile(path(), read));
        QCOMPARE(bytesOf(read), record);
    }

    // A field without its terminating zero (as an instrument might send it) is written up to
    // the text limit, never beyond the field.
    void writeUnterminatedFields()
    {
        QlxNetworkInfo record = canonicalRecord();
        std::memset(record.SSID, 'S', sizeof record.SSID);
        std::memset(record.EncryptKey, 'S', sizeof record.EncryptKey);
        std::memset(record.reserved, 'S', sizeof record.reserved);
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), record));
        QVERIFY(contentOf(path()).contains("\r\nSSID=" + QByteArray(32, 'S') +
                                           "\r\nEncryptKey=" + QByteArray(64, 'S') + "\r\n"));
    }

    // Every refused or failed write returns false and leaves what was there before.
    void writeFailure_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("ssid");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("LF in SSID") << "net.ini" << QByteArray("a\nDHCPUse=1") << QByteArray("k");
        QTest::newRow("CR in key") << "net.ini" << QByteArray("s") << QByteArray("k\r");
        QTest::newRow("LF in SSID, new file") << "new.ini" << QByteArray("\n") << QByteArray("k");
        QTest::newRow("empty SSID") << "net.ini" << QByteArray() << QByteArray("k");
        QTest::newRow("empty key") << "net.ini" << QByteArray("s") << QByteArray();
        QTest::newRow("parent is a file") << "net.ini/x.ini" << QByteArray("s") << QByteArray("k");
        QTest::newRow("missing directory") << "none/x.ini" << QByteArray("s") << QByteArray("k");
        QTest::newRow("target is a directory") << "sub" << QByteArray("s") << QByteArray("k");
    }
    void writeFailure()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, ssid);
        QFETCH(QByteArray, key);
        const QByteArray before = "[Network]\r\nkept\r\n";
        write(before);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
        QlxNetworkInfo record = canonicalRecord();
        std::strcpy(record.SSID, ssid.constData());
        std::strcpy(record.EncryptKey, key.constData());
        QVERIFY(!CFileIO().SetNetworkInfoToFile(path(target), record));
        QCOMPARE(contentOf(path()), before);
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("sub"))).isDir());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("net.ini")});
    }
};

QTEST_GUILESS_MAIN(TestNetworkFile)
#include "tst_networkfile.moc"
