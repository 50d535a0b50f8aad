#include "LangSelectDialog.h"

#include "files/ResourcePaths.h"
#include "ui/EscapeKey.h"
#include "ui_LangSelectDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>

LangSelectDialog::LangSelectDialog(QWidget *parent) : QDialog(parent), ui(new Ui::LangSelectDialog)
{
    ui->setupUi(this);
}

LangSelectDialog::~LangSelectDialog()
{
    delete ui;
}

void LangSelectDialog::setDefaultLanguage(int32_t languageCode)
{
    setWindowIcon(QIcon(resourcePath(KT9_ICON_FILE)));
    // Unlike the device selection dialog this window keeps its close button: closing it
    // ends the program.
    setWindowFlags((windowFlags() & Qt::CustomizeWindowHint) | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(width(), height());

    ui->langselgrpBox->setTitle(QCoreApplication::translate("LangSelectDialog", "LanguageType"));
    ui->jpnRadioBtn->setText(QCoreApplication::translate("LangSelectDialog", "Japanese"));
    ui->engRadioBtn->setText(QCoreApplication::translate("LangSelectDialog", "English"));

    const bool english = languageCode == KT9_LANGUAGE_ENGLISH;
    ui->jpnRadioBtn->setChecked(!english);
    ui->engRadioBtn->setChecked(english);
    language = english ? KT9_LANGUAGE_ENGLISH : KT9_LANGUAGE_JAPANESE;
}

void LangSelectDialog::keyPressEvent(QKeyEvent *event)
{
    if (!consumeEscape(event))
        QDialog::keyPressEvent(event);
}

void LangSelectDialog::closeEvent(QCloseEvent *event)
{
    if (!selectFinished) {
        closedByUser = true;
        selectFinished = true;
    }
    QDialog::closeEvent(event);
}

void LangSelectDialog::on_pushButton_clicked()
{
    selectFinished = true;
    close();
}

void LangSelectDialog::on_jpnRadioBtn_clicked()
{
    language = KT9_LANGUAGE_JAPANESE;
}

void LangSelectDialog::on_engRadioBtn_clicked()
{
    language = KT9_LANGUAGE_ENGLISH;
}
