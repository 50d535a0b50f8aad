#include "ConnectSelectDialog.h"

#include "EscapeKey.h"
#include "files/ResourcePaths.h"
#include "ui_ConnectSelectDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>

ConnectSelectDialog::ConnectSelectDialog(QWidget *parent) : QDialog(parent), ui(new Ui::ConnectSelectDialog)
{
    ui->setupUi(this);
}

ConnectSelectDialog::~ConnectSelectDialog()
{
    delete ui;
}

void ConnectSelectDialog::setPortList(QVector<QString> labels)
{
    setWindowIcon(QIcon(resourcePath(KT9_ICON_FILE)));
    // No close button and no help button: OK is the only way out of the dialog.
    setWindowFlags((windowFlags() & Qt::CustomizeWindowHint) | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setFixedSize(width(), height());

    QListWidget *list = ui->connectlistWidget;
    list->clear();
    for (const QString &label : labels)
        list->insertItem(list->count(), label);
    // Selecting row 0 runs the selection slot, so portNum is 0 before the dialog is shown.
    list->setCurrentRow(0);

    setWindowTitle(QCoreApplication::translate("ConnectSelectDialog", "Select Device"));
}

void ConnectSelectDialog::keyPressEvent(QKeyEvent *event)
{
    if (!consumeEscape(event))
        QDialog::keyPressEvent(event);
}

void ConnectSelectDialog::closeEvent(QCloseEvent *event)
{
    if (!selectFinished) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ConnectSelectDialog::on_pushButton_clicked()
{
    selectFinished = true;
    close();
}

void ConnectSelectDialog::on_connectlistWidget_itemSelectionChanged()
{
    portNum = ui->connectlistWidget->currentRow();
    qDebug("select portNum[ConnectSelectDialog]:%d", static_cast<int>(portNum));
}
