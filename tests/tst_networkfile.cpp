// Network settings file: the INI lookup, reading the eight keys, writing the eleven lines.

#include "files/CFileIO.h"
#include "files/ProfileLookup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <unistd.h>

namespace {

// A byte string literal that may hold NUL bytes, without its terminating zero.
template <int N> QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

const QByteArray CANONICAL_FILE = "[Network]\r\n"
                                  "; 0:eDHCP_OFF, 1:eDHCP_ON\r\n"
                                  "DHCPUse=0\r\n"
                                  "IPAddress=192.168.0.10\r\n"
                                  "SubnetMask=255.255.255.0\r\n"
                                  "DefaultGateway=192.168.0.1\r\n"
                                  "SSID=LabNet\r\n"
                                  "EncryptKey=s3cr=t;key\r\n"
                                  "DNS=8.8.4.4\r\n"
                                  "; 0:eAPConnect_OFF, 1:eAPConnect_ON\r\n"
                                  "APConnectUse=1\r\n";

QlxNetworkInfo canonicalRecord()
{
    QlxNetworkInfo record{};
    record.APConnectUse = eAPConnect_ON;
    record.DHCPUse = eDHCP_OFF;
    const uint8_t ip[] = {192, 168, 0, 10}, mask[] = {255, 255, 255, 0}, gateway[] = {192, 168, 0, 1},
                  dns[] = {8, 8, 4, 4};
    std::memcpy(record.IPAddress, ip, 4);
    std::memcpy(record.SubnetMask, mask, 4);
    std::memcpy(record.DefaultGateway, gateway, 4);
    std::memcpy(record.DNS, dns, 4);
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

private:
    QTemporaryDir m_dir;
    QByteArray path(const QString &name = QStringLiteral("net.ini")) const
    {
        return QFile::encodeName(m_dir.filePath(name));
    }
    QByteArray write(const QByteArray &content, const QString &name = QStringLiteral("net.ini")) const
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            qFatal("cannot write the test file");
        return path(name);
    }
    static QByteArray contentOf(const QByteArray &path)
    {
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("value");
        const QByteArray v600(600, 'v');
        QTest::newRow("LF") << QByteArray("[Network]\nSSID=abc\n") << QByteArray("abc");
        QTest::newRow("CR LF") << QByteArray("[Network]\r\nSSID=abc\r\n") << QByteArray("abc");
        QTest::newRow("no final line end") << QByteArray("[Network]\nSSID=abc") << QByteArray("abc");
        QTest::newRow("lower case") << QByteArray("[network]\nssid=abc\n") << QByteArray("abc");
        QTest::newRow("blanks") << QByteArray(" [ Network ]\n \tSSID \t=  a b \t\r\n") << QByteArray("a b");
        QTest::newRow("= in value") << QByteArray("[Network]\nSSID=a=b=\n") << QByteArray("a=b=");
        QTest::newRow("double quotes") << QByteArray("[Network]\nSSID= \" a \" \n") << QByteArray(" a ");
        QTest::newRow("single quotes") << QByteArray("[Network]\nSSID='x'\n") << QByteArray("x");
        QTest::newRow("one pair only") << QByteArray("[Network]\nSSID=\"\"x\"\"\n") << QByteArray("\"x\"");
        QTest::newRow("unmatched quotes") << QByteArray("[Network]\nSSID=\"x'\n") << QByteArray("\"x'");
        QTest::newRow("lone quote") << QByteArray("[Network]\nSSID=\"\n") << QByteArray("\"");
        QTest::newRow("comments, blank lines")
            << QByteArray("; c\n\n[Network]\n;SSID=no\n  ; SSID=no\n\nSSID=yes\n") << QByteArray("yes");
        QTest::newRow("; after value") << QByteArray("[Network]\nSSID=abc ; x\n") << QByteArray("abc ; x");
        QTest::newRow("other section first")
            << QByteArray("[Other]\nSSID=no\n[Network]\nSSID=yes\n") << QByteArray("yes");
        QTest::newRow("other section after")
            << QByteArray("[Network]\nA=1\n[Other]\nSSID=no\n") << QByteArray();
        QTest::newRow("before any section") << QByteArray("SSID=no\n[Network]\n") << QByteArray();
        QTest::newRow("missing section") << QByteArray("[Net]\nSSID=no\n") << QByteArray();
        QTest::newRow("second section not searched")
            << QByteArray("[Network]\nA=1\n[Network]\nSSID=no\n") << QByteArray();
        QTest::newRow("first key wins") << QByteArray("[Network]\nSSID=one\nSSID=two\n") << QByteArray("one");
        QTest::newRow("key without =")
            << QByteArray("[Network]\nSSID\nSSID yes\nSSID=z\n") << QByteArray("z");
        QTest::newRow("longer key name") << QByteArray("[Network]\nSSIDX=1\nXSSID=2\n") << QByteArray();
        QTest::newRow("empty value") << QByteArray("[Network]\nSSID=\nSSID=later\n") << QByteArray();
        QTest::newRow("600 bytes") << "[Network]\nSSID=" + v600 + "\n" << v600.left(511);
        QTest::newRow("NUL in value") << bytes("[Network]\nSSID=ab\0cd\n") << QByteArray("ab");
        QTest::newRow("NUL before key") << bytes("[Network]\n\0SSID=x\nSSID=y\n") << QByteArray("y");
    }
    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, value);
        QCOMPARE(ReadProfileStrings(write(content), "Network", {"SSID"}), QVector<QByteArray>{value});
    }

    void readCanonical_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("as written") << CANONICAL_FILE;
        QTest::newRow("LF, lower case, other order, comments")
            << QByteArray("[other]\nDHCPUse=1\n[NETWORK]\napconnectuse = 1\n\n; note\nssid=LabNet\n"
                          "dns=8.8.4.4\nencryptkey=s3cr=t;key\ndefaultgateway=192.168.0.1\n"
                          "subnetmask=255.255.255.0\nipaddress=192.168.0.10\ndhcpuse=0");
    }
    void readCanonical()
    {
        QFETCH(QByteArray, content);
        QlxNetworkInfo record{};
        QVERIFY(CFileIO().GetNetworkInfoFromFile(write(content), record));
        QCOMPARE(bytesOf(record), bytesOf(canonicalRecord()));
    }

    void readAddress_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("three pieces") << QByteArray("192.168.0") << bytes("\xc0\xa8\x00\x00");
        QTest::newRow("five pieces") << QByteArray("1.2.3.4.5") << QByteArray("\x01\x02\x03\x04");
        QTest::newRow("256") << QByteArray("256.1.1.1") << bytes("\x00\x01\x01\x01");
        QTest::newRow("-1") << QByteArray("-1.0.0.0") << bytes("\xff\x00\x00\x00");
        QTest::newRow("300") << QByteArray("300.1.2.3") << QByteArray("\x2c\x01\x02\x03");
        QTest::newRow("empty piece") << QByteArray("10..0.1") << bytes("\x0a\x00\x01\x00");
        QTest::newRow("blanks, junk") << QByteArray("1. 2 .3x.+4") << QByteArray("\x01\x02\x03\x04");
        QTest::newRow("no digits") << QByteArray("abc") << QByteArray(4, '\0');
        QTest::newRow("saturated") << QByteArray("99999999999.-99999999999.4294967297.0")
                                   << bytes("\xff\x00\xff\x00");
    }
    void readAddress()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, octets);
        QByteArray content = CANONICAL_FILE;
        for (const char *key : {"IPAddress", "SubnetMask", "DefaultGateway", "DNS"})
            content = withValue(content, key, value);
        QlxNetworkInfo record{};
        QVERIFY(CFileIO().GetNetworkInfoFromFile(write(content), record));
        for (const uint8_t *field : {record.IPAddress, record.SubnetMask, record.DefaultGateway, record.DNS})
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(field), 4), octets);
    }

    void readFlag_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("2") << QByteArray("2") << 2;
        QTest::newRow("sign, blanks, junk") << QByteArray("  -12abc") << -12;
        QTest::newRow("plus") << QByteArray("+1") << 1;
        QTest::newRow("no digits") << QByteArray("on") << 0;
        QTest::newRow("two signs") << QByteArray("--1") << 0;
        QTest::newRow("INT32_MIN") << QByteArray("-2147483648") << int(INT32_MIN);
        QTest::newRow("too large") << QByteArray("2147483648") << int(INT32_MAX);
        QTest::newRow("far too small") << QByteArray("-18446744073709551617") << int(INT32_MIN);
    }
    void readFlag()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        QlxNetworkInfo record{};
        QVERIFY(CFileIO().GetNetworkInfoFromFile(
            write(withValue(withValue(CANONICAL_FILE, "DHCPUse", value), "APConnectUse", value)), record));
        QCOMPARE(record.DHCPUse, expected);
        QCOMPARE(record.APConnectUse, expected);
    }

    // Reading stops at the first bad key: earlier fields hold the file's values, later ones
    // stay zero.
    void readFailure_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        const QlxNetworkInfo full = canonicalRecord();
        QlxNetworkInfo throughGateway{};
        throughGateway.DHCPUse = full.DHCPUse;
        std::memcpy(throughGateway.IPAddress, full.IPAddress, 12); // IP, mask, gateway
        QlxNetworkInfo throughKey = throughGateway;
        std::strcpy(throughKey.SSID, full.SSID);
        std::strcpy(throughKey.EncryptKey, full.EncryptKey);
        const QByteArray none = bytesOf(QlxNetworkInfo{});
        const QByteArray byteExtra(65, 'k');

        QTest::newRow("empty file") << QByteArray() << none;
        QTest::newRow("no section") << QByteArray(CANONICAL_FILE).replace("[Network]", "[Net]") << none;
        QTest::newRow("binary") << bytes("\x7f"
                                         "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0[\xff=\n\r=")
                                << none;
        QTest::newRow("keys without =") << QByteArray("[Network]\nDHCPUse 0\nIPAddress\n") << none;
        QTest::newRow("empty SSID") << withValue(CANONICAL_FILE, "SSID", "") << bytesOf(throughGateway);
        QTest::newRow("SSID 33") << withValue(CANONICAL_FILE, "SSID", QByteArray(33, 's'))
                                 << bytesOf(throughGateway);
        QTest::newRow("SSID 600") << withValue(CANONICAL_FILE, "SSID", QByteArray(600, 's'))
                                  << bytesOf(throughGateway);
        QTest::newRow("key 65") << withValue(CANONICAL_FILE, "EncryptKey", byteExtra) << bytesOf([&] {
            QlxNetworkInfo r = throughGateway;
            std::strcpy(r.SSID, full.SSID);
            return r;
        }());
        QTest::newRow("missing DNS") << QByteArray(CANONICAL_FILE).replace("DNS=", "DNX=")
                                     << bytesOf(throughKey);
        QTest::newRow("DNS in a second section")
            << QByteArray(CANONICAL_FILE).replace("DNS=", "[Network]\r\nDNS=") << bytesOf(throughKey);
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
        QVERIFY(!CFileIO().GetNetworkInfoFromFile(path("missing.ini"), record));
        QVERIFY(!CFileIO().GetNetworkInfoFromFile(QFile::encodeName(m_dir.path()), record));
        QVERIFY(!CFileIO().GetNetworkInfoFromFile("/dev/zero", record));
        QCOMPARE(bytesOf(record), bytesOf(QlxNetworkInfo{}));
    }

    void readLargeFiles()
    {
        // 10 MB of other lines before the section: every key is found after a full scan.
        QByteArray big;
        big.reserve(11 * 1024 * 1024);
        while (big.size() < 10 * 1024 * 1024)
            big += "; padding line of a large file\r\nOther=" + QByteArray::number(big.size()) + "\r\n";
        const QByteArray bigPath = write(big + CANONICAL_FILE);
        QlxNetworkInfo record{};
        QElapsedTimer timer;
        timer.start();
        QVERIFY(CFileIO().GetNetworkInfoFromFile(bigPath, record));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed()) + " ms"));
        QCOMPARE(bytesOf(record), bytesOf(canonicalRecord()));

        QByteArray noise(10 * 1024 * 1024, '\0');
        QRandomGenerator generator(9);
        generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        const QByteArray noisePath = write(noise);
        timer.restart();
        QVERIFY(!CFileIO().GetNetworkInfoFromFile(noisePath, record));
        QVERIFY(timer.elapsed() < 1000);
    }

    void writeExact()
    {
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), canonicalRecord()));
        QCOMPARE(contentOf(path()), CANONICAL_FILE);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("record");
        QlxNetworkInfo longest = canonicalRecord();
        std::memset(longest.SSID, 'S', QLX_SSID_MAX_LENGTH);
        std::memset(longest.EncryptKey, 'K', QLX_ENCRYPT_KEY_MAX_LENGTH);
        longest.DHCPUse = INT32_MIN;
        longest.APConnectUse = -1;
        std::memset(longest.IPAddress, 255, 16); // all four addresses
        QlxNetworkInfo special = canonicalRecord();
        std::memset(special.EncryptKey, 0, sizeof special.EncryptKey);
        std::strcpy(special.SSID, "caf\xc3\xa9 [x]=;\"a");
        std::strcpy(special.EncryptKey, "'k \t k");
        QTest::newRow("canonical") << bytesOf(canonicalRecord());
        QTest::newRow("32-byte SSID, 64-byte key, extremes") << bytesOf(longest);
        QTest::newRow("special characters") << bytesOf(special);
    }
    void roundTrip()
    {
        QFETCH(QByteArray, record);
        const auto &written = *reinterpret_cast<const QlxNetworkInfo *>(record.constData());
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), written));
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
        std::memset(record.EncryptKey, 'K', sizeof record.EncryptKey);
        std::memset(record.reserved, 'R', sizeof record.reserved);
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), record));
        const QByteArray content = contentOf(path());
        QVERIFY(content.contains("\r\nSSID=" + QByteArray(32, 'S') + "\r\n"));
        QVERIFY(content.contains("\r\nEncryptKey=" + QByteArray(64, 'K') + "\r\n"));
    }

    void writeReplacesWholeFile()
    {
        write(QByteArray(4096, 'x') + "\r\n");
        QVERIFY(CFileIO().SetNetworkInfoToFile(path(), canonicalRecord()));
        QCOMPARE(contentOf(path()), CANONICAL_FILE);
    }

    // Every refused or failed write returns false and leaves what was there before.
    void writeFailure_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("ssid");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("LF in SSID") << "net.ini" << QByteArray("a\nDHCPUse=1") << QByteArray("k");
        QTest::newRow("CR in key") << "net.ini" << QByteArray("s") << QByteArray("k\r");
        QTest::newRow("parent is a file") << "net.ini/x.ini" << QByteArray("s") << QByteArray("k");
        QTest::newRow("missing directory") << "none/x.ini" << QByteArray("s") << QByteArray("k");
        QTest::newRow("target is a directory") << "sub" << QByteArray("s") << QByteArray("k");
        QTest::newRow("LF in SSID, no file yet") << "new.ini" << QByteArray("\n") << QByteArray("k");
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
        QCOMPARE(QFileInfo(m_dir.filePath(target)).isDir(), target == QLatin1String("sub"));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("new.ini"))));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("net.ini")});
    }

    void writeReadOnlyDirectory()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not stop the superuser from writing");
        QTemporaryDir locked;
        const QString target = locked.filePath(QStringLiteral("net.ini"));
        QFile existing(target);
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("old") == 3);
        existing.close();
        QVERIFY(QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool written = CFileIO().SetNetworkInfoToFile(QFile::encodeName(target), canonicalRecord());
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(contentOf(QFile::encodeName(target)), QByteArray("old"));
    }

    void splitString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("only separators") << QByteArray("...") << QByteArrayList{};
        QTest::newRow("empty pieces dropped") << QByteArray(".a..b.") << QByteArrayList{"a", "b"};
        QTest::newRow("blank piece kept") << QByteArray("a. .b") << QByteArrayList{"a", " ", "b"};
    }
    void splitString()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, pieces);
        const QVector<QByteArray> result = CFileIO().SplitString(text, '.');
        QCOMPARE(QByteArrayList(result.cbegin(), result.cend()), pieces);
    }
};

QTEST_GUILESS_MAIN(TestNetworkFile)
#include "tst_networkfile.moc"
