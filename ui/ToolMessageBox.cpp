#include "ToolMessageBox.h"

#include <QIcon>

void showToolMessageBox(const QString &title, const QString &iconPath, QMessageBox::Icon icon,
                        const QString &text)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setWindowIcon(QIcon(iconPath));
    box.setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    box.setText(text);
    box.setIcon(icon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}
