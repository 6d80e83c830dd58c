#include "treestylehints.h"

#include <QGuiApplication>

TreeStyleHints::TreeStyleHints(QObject *parent)
    : QObject(parent)
    , m_indicator(QColor(0x60, 0x60, 0x60))
    , m_font(QGuiApplication::font())
    , m_foregroundOdd(Qt::black)
    , m_foregroundEven(Qt::black)
    , m_foregroundCurrent(Qt::black)
    , m_overlay(QColor(0x30, 0x8c, 0xc6))
{
}

void TreeStyleHints::setIndicator(const QColor &indicator)
{
    if (m_indicator == indicator)
        return;
    m_indicator = indicator;
    emit indicatorChanged();
}

void TreeStyleHints::setFont(const QFont &font)
{
    if (m_font == font)
        return;
    m_font = font;
    emit fontChanged();
}

void TreeStyleHints::setIndent(qreal indent)
{
    indent = qMax<qreal>(0, indent);
    if (qFuzzyCompare(m_indent + 1, indent + 1))
        return;
    m_indent = indent;
    emit indentChanged();
}

void TreeStyleHints::setColumnPadding(qreal columnPadding)
{
    columnPadding = qMax<qreal>(0, columnPadding);
    if (qFuzzyCompare(m_columnPadding + 1, columnPadding + 1))
        return;
    m_columnPadding = columnPadding;
    emit columnPaddingChanged();
}

void TreeStyleHints::setForegroundOdd(const QColor &color)
{
    if (m_foregroundOdd == color)
        return;
    m_foregroundOdd = color;
    emit foregroundOddChanged();
}

void TreeStyleHints::setForegroundEven(const QColor &color)
{
    if (m_foregroundEven == color)
        return;
    m_foregroundEven = color;
    emit foregroundEvenChanged();
}

void TreeStyleHints::setForegroundCurrent(const QColor &color)
{
    if (m_foregroundCurrent == color)
        return;
    m_foregroundCurrent = color;
    emit foregroundCurrentChanged();
}

void TreeStyleHints::setOverlay(const QColor &overlay)
{
    if (m_overlay == overlay)
        return;
    m_overlay = overlay;
    emit overlayChanged();
}
