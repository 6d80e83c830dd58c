#pragma once

#include <QObject>

class QQuickItem;

// Test support: pointer clicks and key presses that enter the way the window system's
// input does, through Qt's window-system interface, so that they meet the same checks
// as real input (a window blocked by a modal dialog takes none). Qt Quick Test's own
// mouse functions hand events straight to the window and skip those checks.
// Registered as the singleton SystemInput in "JoyvantTest.Input 1.0".
class SystemInput : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // A left click at (x, y) in the item's coordinates, on the item's window.
    Q_INVOKABLE void click(QQuickItem *item, qreal x, qreal y);
    // A press and release of `key` on the item's window.
    Q_INVOKABLE void keyClick(QQuickItem *item, int key);
};
