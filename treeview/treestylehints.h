#pragma once

#include <QColor>
#include <QFont>
#include <QObject>

// The grouped property `styleHints` of TreeView: how rows, the expand/collapse
// indicator and the current row look.
class TreeStyleHints : public QObject
{
    Q_OBJECT
    // Colour of the expand/collapse indicator (and of the scroll bars).
    Q_PROPERTY(QColor indicator READ indicator WRITE setIndicator NOTIFY indicatorChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY fontChanged)
    // Indentation per tree level, in pixels.
    Q_PROPERTY(qreal indent READ indent WRITE setIndent NOTIFY indentChanged)
    // Space between two columns, in pixels.
    Q_PROPERTY(qreal columnPadding READ columnPadding WRITE setColumnPadding NOTIFY columnPaddingChanged)
    // Text colours of rows 1, 3, 5... (odd), of rows 0, 2, 4... (even) and of the
    // current row.
    Q_PROPERTY(QColor foregroundOdd READ foregroundOdd WRITE setForegroundOdd NOTIFY foregroundOddChanged)
    Q_PROPERTY(QColor foregroundEven READ foregroundEven WRITE setForegroundEven NOTIFY foregroundEvenChanged)
    Q_PROPERTY(
        QColor foregroundCurrent READ foregroundCurrent WRITE setForegroundCurrent NOTIFY foregroundCurrentChanged)
    // Colour that marks the current row. It is laid under the text as a translucent
    // band (and as a frame round the current cell in table navigation), so the text
    // stays readable even when the overlay and the text have the same colour.
    Q_PROPERTY(QColor overlay READ overlay WRITE setOverlay NOTIFY overlayChanged)

public:
    explicit TreeStyleHints(QObject *parent = nullptr);

    QColor indicator() const { return m_indicator; }
    void setIndicator(const QColor &indicator);
    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    qreal indent() const { return m_indent; }
    void setIndent(qreal indent);
    qreal columnPadding() const { return m_columnPadding; }
    void setColumnPadding(qreal columnPadding);
    QColor foregroundOdd() const { return m_foregroundOdd; }
    void setForegroundOdd(const QColor &color);
    QColor foregroundEven() const { return m_foregroundEven; }
    void setForegroundEven(const QColor &color);
    QColor foregroundCurrent() const { return m_foregroundCurrent; }
    void setForegroundCurrent(const QColor &color);
    QColor overlay() const { return m_overlay; }
    void setOverlay(const QColor &overlay);

signals:
    void indicatorChanged();
    void fontChanged();
    void indentChanged();
    void columnPaddingChanged();
    void foregroundOddChanged();
    void foregroundEvenChanged();
    void foregroundCurrentChanged();
    void overlayChanged();

private:
    QColor m_indicator;
    QFont m_font;
    qreal m_indent = 16;
    qreal m_columnPadding = 12;
    QColor m_foregroundOdd;
    QColor m_foregroundEven;
    QColor m_foregroundCurrent;
    QColor m_overlay;
};
