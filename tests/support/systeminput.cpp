#include "systeminput.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

void SystemInput::click(QQuickItem *item, qreal x, qreal y)
{
    if (!item || !item->window())
        return;
    const QPointF inWindow = item->mapToScene(QPointF(x, y));
    QTest::mouseClick(item->window(), Qt::LeftButton, Qt::NoModifier, inWindow.toPoint());
}

void SystemInput::keyClick(QQuickItem *item, int key)
{
    if (!item || !item->window())
        return;
    QTest::keyClick(item->window(), Qt::Key(key));
}
