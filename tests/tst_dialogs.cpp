// The language and device selection dialogs: results, window decoration, key handling, form,
// translated texts, and the icon they show.

#include "TestSupport.h"
#include "app/LangSelectDialog.h"
#include "files/ResourcePaths.h"
#include "ui/ConnectSelectDialog.h"

#include <QGroupBox>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTranslator>

#include <memory>

namespace {

const QString LANGUAGE = QStringLiteral("language");
const QString DEVICE = QStringLiteral("device");
const QVector<QString> THREE_PORTS = {QStringLiteral("KALDO-1(USB,Serial#00000001)"),
                                      QStringLiteral("KALDO-1(USB,Serial#00000002)"),
                                      QStringLiteral("KALDO-1(192.168.0.5,Serial#00000003)")};

QString selectionLine(int row)
{
    return QStringLiteral("select portNum[ConnectSelectDialog]:%1").arg(row);
}

// A dialog of the given kind, prepared for showing as its caller does it.
std::unique_ptr<QDialog> preparedDialog(const QString &kind)
{
    if (kind == LANGUAGE) {
        auto dialog = std::make_unique<LangSelectDialog>();
        dialog->setDefaultLanguage(KT9_LANGUAGE_ENGLISH);
        return dialog;
    }
    auto dialog = std::make_unique<ConnectSelectDialog>();
    dialog->setPortList(THREE_PORTS);
    return dialog;
}

bool selectFinished(const QDialog *dialog)
{
    if (auto *language = qobject_cast<const LangSelectDialog *>(dialog))
        return language->selectFinished;
    return qobject_cast<const ConnectSelectDialog *>(dialog)->selectFinished;
}

template <typename T> T *child(const QWidget *parent, const QString &name)
{
    T *widget = parent->findChild<T *>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

// Clicks a radio button on its indicator, where a user would.
void clickRadio(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void languageDefaultsToJapanese();
    void languageOkReturnsPreselection_data();
    void languageOkReturnsPreselection();
    void languageClicks_data();
    void languageClicks();
    void languageTitleBarCloseIsUserClose();

    void deviceOkWithoutTouchingReportsRowZero();
    void deviceSelectionChange_data();
    void deviceSelectionChange();
    void deviceSecondListReplacesRows();
    void deviceRefusesCloseBeforeOk();

    void escapeKeepsDialogOpen_data();
    void escapeKeepsDialogOpen();
    void returnPressesOk_data();
    void returnPressesOk();
    void windowDecoration_data();
    void windowDecoration();
    void formWidgets_data();
    void formWidgets();
    void translatedTexts_data();
    void translatedTexts();
    void iconFiles();
};

void DialogsTest::languageDefaultsToJapanese()
{
    LangSelectDialog dialog;
    QCOMPARE(dialog.language, KT9_LANGUAGE_JAPANESE);
    QVERIFY(child<QRadioButton>(&dialog, "jpnRadioBtn")->isChecked());
    QVERIFY(!child<QRadioButton>(&dialog, "engRadioBtn")->isChecked());
    QVERIFY(!dialog.selectFinished);
    QVERIFY(!dialog.closedByUser);
}

void DialogsTest::languageOkReturnsPreselection_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("expected");
    QTest::newRow("English") << 1 << 1;
    QTest::newRow("Japanese") << 2 << 2;
    QTest::newRow("unknown code") << 7 << 2;
    QTest::newRow("zero") << 0 << 2;
}

void DialogsTest::languageOkReturnsPreselection()
{
    QFETCH(int, preset);
    QFETCH(int, expected);
    LangSelectDialog dialog;
    dialog.setDefaultLanguage(preset);
    QCOMPARE(child<QRadioButton>(&dialog, "engRadioBtn")->isChecked(), expected == KT9_LANGUAGE_ENGLISH);
    QCOMPARE(child<QRadioButton>(&dialog, "jpnRadioBtn")->isChecked(), expected == KT9_LANGUAGE_JAPANESE);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::mouseClick(child<QPushButton>(&dialog, "pushButton"), Qt::LeftButton);
    QCOMPARE(dialog.language, expected);
    QVERIFY(dialog.selectFinished);
    QVERIFY(!dialog.closedByUser);
    QVERIFY(!dialog.isVisible());
    // A later close, as at teardown, does not turn the choice into a user close.
    dialog.close();
    QVERIFY(!dialog.closedByUser);
}

void DialogsTest::languageClicks_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("expected");
    QTest::newRow("English then Japanese") << 1 << QStringList{"engRadioBtn", "jpnRadioBtn"} << 2;
    QTest::newRow("Japanese then English") << 2 << QStringList{"jpnRadioBtn", "engRadioBtn"} << 1;
    QTest::newRow("checked English again") << 1 << QStringList{"engRadioBtn"} << 1;
    QTest::newRow("checked Japanese again") << 2 << QStringList{"jpnRadioBtn"} << 2;
    QTest::newRow("back and forth") << 2 << QStringList{"engRadioBtn", "jpnRadioBtn", "engRadioBtn"} << 1;
}

void DialogsTest::languageClicks()
{
    QFETCH(int, preset);
    QFETCH(QStringList, clicks);
    QFETCH(int, expected);
    LangSelectDialog dialog;
    dialog.setDefaultLanguage(preset);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    for (const QString &name : clicks)
        clickRadio(child<QRadioButton>(&dialog, name));
    QTest::mouseClick(child<QPushButton>(&dialog, "pushButton"), Qt::LeftButton);
    QCOMPARE(dialog.language, expected);
    QVERIFY(dialog.selectFinished);
    QVERIFY(!dialog.closedByUser);
}

void DialogsTest::languageTitleBarCloseIsUserClose()
{
    LangSelectDialog dialog;
    dialog.setDefaultLanguage(KT9_LANGUAGE_ENGLISH);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QVERIFY(dialog.close());
    QVERIFY(dialog.closedByUser);
    QVERIFY(dialog.selectFinished);
    QVERIFY(!dialog.isVisible());
}

void DialogsTest::deviceOkWithoutTouchingReportsRowZero()
{
    ConnectSelectDialog dialog;
    LogCapture log;
    dialog.setPortList(THREE_PORTS);
    QCOMPARE(log.lines(), QStringList{selectionLine(0)});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::mouseClick(child<QPushButton>(&dialog, "pushButton"), Qt::LeftButton);
    QVERIFY(dialog.selectFinished);
    QCOMPARE(dialog.portNum, 0);
    QVERIFY(!dialog.isVisible());
}

void DialogsTest::deviceSelectionChange_data()
{
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("mouse click on row 2") << true << QStringList{selectionLine(2)};
    QTest::newRow("arrow down twice") << false << QStringList{selectionLine(1), selectionLine(2)};
}

void DialogsTest::deviceSelectionChange()
{
    QFETCH(bool, byMouse);
    QFETCH(QStringList, lines);
    ConnectSelectDialog dialog;
    dialog.setPortList(THREE_PORTS);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *list = child<QListWidget>(&dialog, "connectlistWidget");

    LogCapture log;
    if (byMouse) {
        const QRect row = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    } else {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
    }
    QCOMPARE(log.lines(), lines);
    QCOMPARE(dialog.portNum, 2);

    QTest::mouseClick(child<QPushButton>(&dialog, "pushButton"), Qt::LeftButton);
    QVERIFY(dialog.selectFinished);
    QCOMPARE(dialog.portNum, 2);
}

void DialogsTest::deviceSecondListReplacesRows()
{
    ConnectSelectDialog dialog;
    dialog.setPortList(THREE_PORTS);
    auto *list = child<QListWidget>(&dialog, "connectlistWidget");
    list->setCurrentRow(2);
    QCOMPARE(dialog.portNum, 2);

    const QVector<QString> second = {QStringLiteral("KALDO-1(USB,Serial#00000009)"),
                                     QStringLiteral("KALDO-1(USB,Serial#00000008)")};
    dialog.selectFinished = false;
    LogCapture log;
    dialog.setPortList(second);
    QCOMPARE(list->count(), second.size());
    for (int row = 0; row < second.size(); ++row)
        QCOMPARE(list->item(row)->text(), second.at(row));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(dialog.portNum, 0);
    QCOMPARE(log.lines().last(), selectionLine(0));
    QCOMPARE(dialog.size(), QSize(520, 213));
}

void DialogsTest::deviceRefusesCloseBeforeOk()
{
    ConnectSelectDialog dialog;
    dialog.setPortList(THREE_PORTS);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // A window manager may still offer a close button; the caller would wait for ever.
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.selectFinished);

    QTest::mouseClick(child<QPushButton>(&dialog, "pushButton"), Qt::LeftButton);
    QVERIFY(dialog.selectFinished);
    QVERIFY(!dialog.isVisible());
}

void DialogsTest::escapeKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("language") << LANGUAGE;
    QTest::newRow("device") << DEVICE;
}

void DialogsTest::escapeKeepsDialogOpen()
{
    QFETCH(QString, kind);
    std::unique_ptr<QDialog> dialog = preparedDialog(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    const Qt::WindowFlags flags = dialog->windowFlags();
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && dialog->isAncestorOf(focus));

    QTest::keyClick(focus, Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(dialog->isVisible());
    QVERIFY(!selectFinished(dialog.get()));
    QCOMPARE(dialog->windowFlags(), flags);
    if (kind == LANGUAGE)
        QVERIFY(!static_cast<LangSelectDialog *>(dialog.get())->closedByUser);
}

void DialogsTest::returnPressesOk_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::newRow("language, Return") << LANGUAGE << int(Qt::Key_Return);
    QTest::newRow("language, Enter") << LANGUAGE << int(Qt::Key_Enter);
    QTest::newRow("device, Return") << DEVICE << int(Qt::Key_Return);
    QTest::newRow("device, Enter") << DEVICE << int(Qt::Key_Enter);
}

void DialogsTest::returnPressesOk()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    std::unique_ptr<QDialog> dialog = preparedDialog(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && dialog->isAncestorOf(focus));

    QTest::keyClick(focus, Qt::Key(key));
    QVERIFY(selectFinished(dialog.get()));
    QVERIFY(!dialog->isVisible());
    if (kind == LANGUAGE) {
        QVERIFY(!static_cast<LangSelectDialog *>(dialog.get())->closedByUser);
        QCOMPARE(static_cast<LangSelectDialog *>(dialog.get())->language, KT9_LANGUAGE_ENGLISH);
    } else {
        QCOMPARE(static_cast<ConnectSelectDialog *>(dialog.get())->portNum, 0);
    }
}

void DialogsTest::windowDecoration_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("language") << LANGUAGE << QSize(351, 170) << true;
    QTest::newRow("device") << DEVICE << QSize(520, 213) << false;
}

void DialogsTest::windowDecoration()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(bool, closeButton);
    std::unique_ptr<QDialog> dialog = preparedDialog(kind);

    QCOMPARE(dialog->objectName(), QString(dialog->metaObject()->className()));
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->minimumSize(), size);
    QCOMPARE(dialog->maximumSize(), size);
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(dialog->isWindow());
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(flags.testFlag(Qt::WindowCloseButtonHint), closeButton);
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::CustomizeWindowHint));

    const QList<QSize> iconSizes = dialog->windowIcon().availableSizes();
    for (int side : {16, 32, 48})
        QVERIFY2(iconSizes.contains(QSize(side, side)), qPrintable(QString::number(side)));

    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QCOMPARE(dialog->size(), size);
}

void DialogsTest::formWidgets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    struct Widget
    {
        QString kind;
        QString name;
        QString className;
        QString parentName; ///< empty: the dialog itself
        QRect geometry;
        QSizePolicy::Policy horizontal;
        QSizePolicy::Policy vertical;
    };
    const auto expanding = QSizePolicy::Expanding;
    const auto fixed = QSizePolicy::Fixed;
    const auto minimum = QSizePolicy::Minimum;
    const QVector<Widget> widgets = {
        {LANGUAGE, "langselgrpBox", "QGroupBox", "", {10, 10, 221, 151}, expanding, fixed},
        {LANGUAGE, "engRadioBtn", "QRadioButton", "langselgrpBox", {20, 30, 181, 41}, expanding, fixed},
        {LANGUAGE, "jpnRadioBtn", "QRadioButton", "langselgrpBox", {20, 90, 181, 31}, expanding, fixed},
        {LANGUAGE, "pushButton", "QPushButton", "", {240, 70, 91, 41}, expanding, fixed},
        {DEVICE, "connectlistWidget", "QListWidget", "", {10, 10, 381, 192}, expanding, expanding},
        {DEVICE, "pushButton", "QPushButton", "", {410, 90, 91, 41}, minimum, fixed},
    };
    for (const Widget &widget : widgets) {
        QTest::addRow("%s %s", qPrintable(widget.kind), qPrintable(widget.name))
            << widget.kind << widget.name << widget.className << widget.parentName << widget.geometry
            << int(widget.horizontal) << int(widget.vertical);
    }
}

void DialogsTest::formWidgets()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    std::unique_ptr<QDialog> dialog = preparedDialog(kind);

    QWidget *widget = child<QWidget>(dialog.get(), name);
    QCOMPARE(QString(widget->metaObject()->className()), className);
    if (parentName.isEmpty())
        QCOMPARE(widget->parentWidget(), dialog.get());
    else
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(int(widget->sizePolicy().horizontalPolicy()), horizontal);
    QCOMPARE(int(widget->sizePolicy().verticalPolicy()), vertical);
    QCOMPARE(widget->sizePolicy().horizontalStretch(), 0);
    QCOMPARE(widget->sizePolicy().verticalStretch(), 0);
    if (kind == LANGUAGE) {
        QCOMPARE(dialog->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(dialog->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    }
}

void DialogsTest::translatedTexts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name"); ///< empty: the window title
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("differs"); ///< the translation is not the English text

    struct Text
    {
        QString kind;
        QString name;
        QString source;
        bool japaneseDiffers;
    };
    const QVector<Text> texts = {
        {LANGUAGE, "", "Select Language", true},    {LANGUAGE, "langselgrpBox", "LanguageType", true},
        {LANGUAGE, "engRadioBtn", "English", true}, {LANGUAGE, "jpnRadioBtn", "Japanese", true},
        {LANGUAGE, "pushButton", "OK", false},      {DEVICE, "", "Select Device", true},
        {DEVICE, "pushButton", "OK", false},
    };
    for (const QString &file : {KT9_JAPANESE_TRANSLATION_FILE, KT9_ENGLISH_TRANSLATION_FILE}) {
        for (const Text &text : texts) {
            const QString context = text.kind == LANGUAGE ? "LangSelectDialog" : "ConnectSelectDialog";
            QTest::addRow("%s %s %s", qPrintable(file), qPrintable(context), qPrintable(text.source))
                << file << text.kind << text.name << context << text.source
                << (file == KT9_JAPANESE_TRANSLATION_FILE && text.japaneseDiffers);
        }
    }
}

void DialogsTest::translatedTexts()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(bool, differs);
    QTranslator translator;
    QVERIFY(translator.load(resourcePath(file)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const auto uninstall = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
    const QString expected = translator.translate(qPrintable(context), qPrintable(source));
    QVERIFY2(!expected.isEmpty(), "no translation in the file");
    QCOMPARE(expected != source, differs);

    std::unique_ptr<QDialog> dialog = preparedDialog(kind);
    QString shown;
    if (name.isEmpty())
        shown = dialog->windowTitle();
    else if (auto *box = dialog->findChild<QGroupBox *>(name))
        shown = box->title();
    else
        shown = child<QAbstractButton>(dialog.get(), name)->text();
    QCOMPARE(shown, expected);
}

void DialogsTest::iconFiles()
{
    QImageReader reader(resourcePath(KT9_ICON_FILE));
    QCOMPARE(reader.format(), QByteArray("ico"));
    QCOMPARE(reader.imageCount(), 3);
    QList<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        sides.append(image.width());
        // Drawn on a transparent square: clear corners, an opaque instrument in the middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
    std::sort(sides.begin(), sides.end());
    QCOMPARE(sides, (QList<int>{16, 32, 48}));

    const QImage menuIcon(resourcePath(QStringLiteral("kt9-config.png")));
    QCOMPARE(menuIcon.size(), QSize(64, 64));
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
