#pragma once

#include <QColor>
#include <QQuickItem>
#include <QVector3D>
#include <QVector>

namespace joyvant {

// A small trace of a three-axis sensor: the last `length` readings set as `value`, one
// line per axis from left (oldest) to right (newest), 0 at the middle and +-`range` at
// the edges (values beyond are drawn at the edge). The readings live in a ring buffer
// here and the lines are scene-graph geometry filled from it, so a reading costs no
// JavaScript and no repaint of anything else.
class SensorTrace : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QVector3D value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(double range READ range WRITE setRange NOTIFY rangeChanged)
    Q_PROPERTY(int length READ length WRITE setLength NOTIFY lengthChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QColor xColor READ xColor WRITE setXColor NOTIFY colorsChanged)
    Q_PROPERTY(QColor yColor READ yColor WRITE setYColor NOTIFY colorsChanged)
    Q_PROPERTY(QColor zColor READ zColor WRITE setZColor NOTIFY colorsChanged)

public:
    static constexpr int DefaultLength = 120;

    explicit SensorTrace(QQuickItem *parent = nullptr);

    QVector3D value() const { return m_value; }
    // Each new reading joins the trace.
    void setValue(const QVector3D &value);
    // Above 0; the default is 1.
    double range() const { return m_range; }
    void setRange(double range);
    // Readings kept, 2..4096; a shorter length drops the oldest.
    int length() const { return m_length; }
    void setLength(int length);
    // Readings held now.
    int count() const { return m_count; }
    QColor xColor() const { return m_colors[0]; }
    void setXColor(const QColor &color) { setColor(0, color); }
    QColor yColor() const { return m_colors[1]; }
    void setYColor(const QColor &color) { setColor(1, color); }
    QColor zColor() const { return m_colors[2]; }
    void setZColor(const QColor &color) { setColor(2, color); }

    // Forgets the readings.
    Q_INVOKABLE void clear();
    // Reading `index` (0 the oldest held), a null vector outside 0..count-1.
    Q_INVOKABLE QVector3D reading(int index) const;

signals:
    void valueChanged();
    void rangeChanged();
    void lengthChanged();
    void countChanged();
    void colorsChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;

private:
    void setColor(int axis, const QColor &color);

    QVector3D m_value;
    double m_range = 1.0;
    int m_length = DefaultLength;
    QVector<QVector3D> m_ring; // m_length places, the oldest at m_start
    int m_start = 0;
    int m_count = 0;
    QColor m_colors[3] = {QColor(0xFF, 0x8A, 0x29), QColor(0x12, 0xAA, 0xC2), QColor(0xFF, 0xFF, 0xFF)};
    bool m_colorsDirty = true;
};

} // namespace joyvant
