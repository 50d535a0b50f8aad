#pragma once
// Every dialog of the tool swallows the Escape key, so that it never hides or closes a window.

#include <QKeyEvent>

// Accepts the event and returns true when it is an Escape key press; the caller then passes
// every other key event on to its base class.
inline bool consumeEscape(QKeyEvent *event)
{
    if (event->type() != QEvent::KeyPress || event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}
