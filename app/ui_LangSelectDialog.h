#pragma once
// The widgets of the language selection dialog: a group box with the two language buttons
// and the OK button, placed at fixed positions, with their texts in the context
// "LangSelectDialog".

#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QSizePolicy>

class Ui_LangSelectDialog
{
public:
    QGroupBox *langselgrpBox;
    QRadioButton *engRadioBtn;
    QRadioButton *jpnRadioBtn;
    QPushButton *pushButton;

    void setupUi(QDialog *dialog)
    {
        if (dialog->objectName().isEmpty())
            dialog->setObjectName(QStringLiteral("LangSelectDialog"));
        dialog->resize(351, 170);
        dialog->setSizePolicy(policy(dialog, QSizePolicy::Expanding, QSizePolicy::Expanding));

        langselgrpBox = new QGroupBox(dialog);
        langselgrpBox->setObjectName(QStringLiteral("langselgrpBox"));
        langselgrpBox->setGeometry(QRect(10, 10, 221, 151));
        langselgrpBox->setSizePolicy(policy(langselgrpBox, QSizePolicy::Expanding, QSizePolicy::Fixed));

        engRadioBtn = new QRadioButton(langselgrpBox);
        engRadioBtn->setObjectName(QStringLiteral("engRadioBtn"));
        engRadioBtn->setGeometry(QRect(20, 30, 181, 41));
        engRadioBtn->setSizePolicy(policy(engRadioBtn, QSizePolicy::Expanding, QSizePolicy::Fixed));

        jpnRadioBtn = new QRadioButton(langselgrpBox);
        jpnRadioBtn->setObjectName(QStringLiteral("jpnRadioBtn"));
        jpnRadioBtn->setGeometry(QRect(20, 90, 181, 31));
        jpnRadioBtn->setSizePolicy(policy(jpnRadioBtn, QSizePolicy::Expanding, QSizePolicy::Fixed));
        jpnRadioBtn->setChecked(true);

        pushButton = new QPushButton(dialog);
        pushButton->setObjectName(QStringLiteral("pushButton"));
        pushButton->setGeometry(QRect(240, 70, 91, 41));
        pushButton->setSizePolicy(policy(pushButton, QSizePolicy::Expanding, QSizePolicy::Fixed));

        retranslateUi(dialog);

        QMetaObject::connectSlotsByName(dialog);
    }

    void retranslateUi(QDialog *dialog)
    {
        dialog->setWindowTitle(QCoreApplication::translate("LangSelectDialog", "Select Language"));
        langselgrpBox->setTitle(QCoreApplication::translate("LangSelectDialog", "LanguageType"));
        engRadioBtn->setText(QCoreApplication::translate("LangSelectDialog", "English"));
        jpnRadioBtn->setText(QCoreApplication::translate("LangSelectDialog", "Japanese"));
        pushButton->setText(QCoreApplication::translate("LangSelectDialog", "OK"));
    }

private:
    // A policy without stretch that keeps the widget's own height-for-width setting.
    static QSizePolicy policy(const QWidget *widget, QSizePolicy::Policy horizontal,
                              QSizePolicy::Policy vertical)
    {
        QSizePolicy result(horizontal, vertical);
        result.setHorizontalStretch(0);
        result.setVerticalStretch(0);
        result.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
        return result;
    }
};

namespace Ui {
class LangSelectDialog : public Ui_LangSelectDialog
{
};
} // namespace Ui
