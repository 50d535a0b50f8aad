// The bare reference of the benchmark: one plain QDialog carrying the main window's 95
// widgets, in the tool's application font, run by Qt's own event loop - and nothing else:
// no instrument library, no translations, no icon, no other window.

#include "ui_InitSettingDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFont>

#include <cstdio>

namespace {

constexpr int kFontPointSize = 12;
constexpr int kFontWeight = 50; // normal, as the tool sets it

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Segoe UI"), kFontPointSize, kFontWeight, false));

    // The benchmark measures the dialog's show time from this line to the window's map.
    std::fputs("reference: building the dialog\n", stderr);
    std::fflush(stderr);

    QDialog dialog;
    Ui_InitSettingDialog form;
    form.setupUi(&dialog);
    dialog.show();
    return app.exec();
}
