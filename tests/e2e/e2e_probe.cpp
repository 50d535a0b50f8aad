// Helper of the end-to-end script.
//
//   e2e_probe layout <translation.qm>
//       Builds the main settings window as the program does (same application font, same
//       translation, same display and style), lays it out without putting it on the screen, and
//       prints shell assignments: PAGE_X/PAGE_Y, the origin of the tab pages relative to the
//       window's origin, and TABn_X/TABn_Y, the centre of tab n's label. Everything else the
//       script clicks lies at the form's fixed positions; these depend on the style and fonts.
//
//   e2e_probe json <file> <key[.key...]>
//       Prints one value of a JSON file: a string as it is, anything else as compact JSON.
//       Exit code 1 when the file or the key is missing.
//
//   e2e_probe json-set <file> <key> <json-value>
//       Sets one top-level key of a JSON file, keeping the others, and replaces the file at once
//       (the simulated instrument library may read it at any moment).
//
//   e2e_probe network-file <file.ini> [<ssid>]
//       The network page's file round trip, as a user makes it, on a window that is not shown:
//       with an SSID (given in UTF-8), types it into the page and saves the page with "Write To
//       File..."; then clears the field and loads the file with "Read From File...". Prints the
//       bytes of the file's SSID value (FILE_SSID_HEX), the SSID the page shows after loading
//       (SHOWN_SSID, as UTF-8 hexadecimal, and SHOWN_SSID_CODES, as Unicode code points) and the
//       texts of the message boxes (BOX); then saves what was read with "Write To File..." once
//       more and prints the file's SSID bytes again (SAVED_AGAIN_SSID_HEX). Message boxes are
//       answered with OK.

#include "instrument/CQlxSdk_Ctrl.h"
#include "ui/InitSettingDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

// The program's application font; the tab bar's height follows from it.
constexpr int APPLICATION_FONT_POINT_SIZE = 12;
constexpr int APPLICATION_FONT_WEIGHT = 50;

int printLayout(const QString &translationFile)
{
    QApplication::setFont(
        QFont(QStringLiteral("Segoe UI"), APPLICATION_FONT_POINT_SIZE, APPLICATION_FONT_WEIGHT, false));
    QTranslator translator;
    if (!translator.load(translationFile)) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(translationFile));
        return 1;
    }
    QCoreApplication::installTranslator(&translator);

    InitSettingDialog window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();

    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("setBasetabWidget"));
    auto *page = window.findChild<QWidget *>(QStringLiteral("networkSetTab"));
    if (!tabs || !page)
        return 1;
    QTextStream out(stdout);
    const QPoint pageOrigin = page->mapTo(&window, QPoint(0, 0));
    out << "PAGE_X=" << pageOrigin.x() << "\nPAGE_Y=" << pageOrigin.y() << "\n";
    for (int i = 0; i < tabs->count(); ++i) {
        const QPoint centre = tabs->tabBar()->mapTo(&window, tabs->tabBar()->tabRect(i).center());
        out << "TAB" << i << "_X=" << centre.x() << "\nTAB" << i << "_Y=" << centre.y() << "\n";
    }
    return 0;
}

int printJsonValue(const QString &fileName, const QString &keyPath)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QJsonValue value = QJsonDocument::fromJson(file.readAll()).object();
    for (const QString &key : keyPath.split(QLatin1Char('.'))) {
        value = value.toObject().value(key);
        if (value.isUndefined())
            return 1;
    }
    QTextStream out(stdout);
    if (value.isString())
        out << value.toString() << "\n";
    else if (value.isArray())
        out << QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact) << "\n";
    else if (value.isObject())
        out << QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact) << "\n";
    else
        out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).mid(1).chopped(1) << "\n";
    return 0;
}

int setJsonValue(const QString &fileName, const QString &key, const QByteArray &valueText)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    // A bare value is not a JSON document: parse it as the only element of an array.
    const QJsonDocument wrapped = QJsonDocument::fromJson("[" + valueText + "]");
    if (!wrapped.isArray() || wrapped.array().size() != 1)
        return 1;
    object.insert(key, wrapped.array().at(0));
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(object).toJson()) < 0 || !out.commit())
        return 1;
    return 0;
}

// The value of key in the bytes of an INI file, as the bytes stand.
QByteArray iniValue(const QByteArray &content, const QByteArray &key)
{
    for (const QByteArray &line : content.split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).replace("\r", "");
    }
    return {};
}

int networkFileRoundTrip(const QString &fileName, const QString &ssid)
{
    QTextStream out(stdout);
    InitSettingDialog window;
    window.setController(std::make_shared<CQlxSdk_Ctrl>());
    const auto answer = [&fileName](QWidget *, const QString &, const QString &, const QString &, QString *,
                                    QFileDialog::Options) { return fileName; };
    window.openFileName = answer;
    window.saveFileName = answer;
    QTimer boxAnswerer;
    QObject::connect(&boxAnswerer, &QTimer::timeout, [&out] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            out << "BOX=\"" << box->text() << "\"\n";
            box->button(QMessageBox::Ok)->click();
        }
    });
    boxAnswerer.start(10);

    auto *ssidField = window.findChild<QLineEdit *>(QStringLiteral("SSIDlineEdit"));
    auto *writeButton = window.findChild<QAbstractButton *>(QStringLiteral("writeFilePushBtn"));
    auto *readButton = window.findChild<QAbstractButton *>(QStringLiteral("readToFilePushBtn"));
    if (!ssidField || !writeButton || !readButton)
        return 1;
    if (!ssid.isNull()) {
        // The address fields must hold numbers for the page to be saved, and the file must
        // hold a security key to be read.
        if (auto *keyField = window.findChild<QLineEdit *>(QStringLiteral("passwdlineEdit")))
            keyField->setText(QStringLiteral("key"));
        const QRegularExpression octetField(
            QStringLiteral("^(ipaddr|subnetMask|defGWaddr|dnsaddr)[1-4]lineEdit$"));
        for (QLineEdit *field : window.findChildren<QLineEdit *>(octetField))
            field->setText(QStringLiteral("1"));
        ssidField->setText(ssid);
        writeButton->click();
    }
    ssidField->clear();
    readButton->click();

    const auto fileSsid = [&fileName] {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? iniValue(file.readAll(), "SSID").toHex(' ')
                                              : QByteArray("(no file)");
    };
    out << "FILE_SSID_HEX=" << fileSsid() << "\n";
    out << "SHOWN_SSID=" << ssidField->text().toUtf8().toHex(' ') << "\n";
    QStringList codes;
    for (const uint code : ssidField->text().toUcs4())
        codes.append(QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper());
    out << "SHOWN_SSID_CODES=" << codes.join(QLatin1Char(' ')) << "\n";
    // What was read is saved once more, as a user who changes nothing else would.
    if (!ssidField->text().isEmpty()) {
        writeButton->click();
        out << "SAVED_AGAIN_SSID_HEX=" << fileSsid() << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("layout") && argc == 3) {
        QApplication app(argc, argv);
        return printLayout(QString::fromLocal8Bit(argv[2]));
    }
    if (command == QLatin1String("network-file") && (argc == 3 || argc == 4)) {
        QApplication app(argc, argv);
        // Taken from the application's own arguments: on Windows argv is in the local code page,
        // which may not hold the SSID.
        const QStringList arguments = QCoreApplication::arguments();
        return networkFileRoundTrip(arguments.at(2), argc == 4 ? arguments.at(3) : QString());
    }
    if (command == QLatin1String("json") && argc == 4)
        return printJsonValue(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (command == QLatin1String("json-set") && argc == 5)
        return setJsonValue(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argv[4]);
    std::fprintf(stderr,
                 "usage: %s layout <translation.qm> | json <file> <key[.key...]> | "
                 "json-set <file> <key> <json-value> | network-file <file.ini> [<ssid>]\n",
                 argv[0]);
    return 2;
}
