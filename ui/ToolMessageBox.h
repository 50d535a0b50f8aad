#pragma once
// The one kind of message box the tool shows: its own title and icon, a title bar with the usual
// buttons, one OK button, run modally.

#include <QMessageBox>
#include <QString>

// Shows text with the given icon and waits until the user closes the box. The caller passes the
// title already translated in its own context.
void showToolMessageBox(const QString &title, const QString &iconPath, QMessageBox::Icon icon,
                        const QString &text);
