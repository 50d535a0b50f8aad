#pragma once
// The widgets of the device selection dialog: the list of instruments and the OK button,
// placed at fixed positions, with their texts in the context "ConnectSelectDialog".

#include <QCoreApplication>
#include <QDialog>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>

class Ui_ConnectSelectDialog
{
public:
    QListWidget *connectlistWidget;
    QPushButton *pushButton;

    void setupUi(QDialog *dialog)
    {
        if (dialog->objectName().isEmpty())
            dialog->setObjectName(QStringLiteral("ConnectSelectDialog"));
        dialog->resize(520, 213);

        connectlistWidget = new QListWidget(dialog);
        connectlistWidget->setObjectName(QStringLiteral("connectlistWidget"));
        connectlistWidget->setGeometry(QRect(10, 10, 381, 192));

        pushButton = new QPushButton(dialog);
        pushButton->setObjectName(QStringLiteral("pushButton"));
        pushButton->setGeometry(QRect(410, 90, 91, 41));

        retranslateUi(dialog);

        QMetaObject::connectSlotsByName(dialog);
    }

    void retranslateUi(QDialog *dialog)
    {
        dialog->setWindowTitle(QCoreApplication::translate("ConnectSelectDialog", "Select Device"));
        pushButton->setText(QCoreApplication::translate("ConnectSelectDialog", "OK"));
    }
};

namespace Ui {
class ConnectSelectDialog : public Ui_ConnectSelectDialog
{
};
} // namespace Ui
