#include "sensortrace.h"

#include <QSGFlatColorMaterial>
#include <QSGGeometryNode>

namespace joyvant {

namespace {

constexpr int MaxLength = 4096;

float axisOf(const QVector3D &reading, int axis)
{
    return axis == 0 ? reading.x() : axis == 1 ? reading.y() : reading.z();
}

} // namespace

SensorTrace::SensorTrace(QQuickItem *parent)
    : QQuickItem(parent)
    , m_ring(DefaultLength)
{
    setFlag(ItemHasContents, true);
}

void SensorTrace::setValue(const QVector3D &value)
{
    m_ring[(m_start + m_count) % m_length] = value;
    if (m_count < m_length) {
        ++m_count;
        emit countChanged();
    } else {
        m_start = (m_start + 1) % m_length;
    }
    update();
    if (m_value == value)
        return;
    m_value = value;
    emit valueChanged();
}

void SensorTrace::setRange(double range)
{
    if (!(range > 0) || qFuzzyCompare(m_range, range))
        return;
    m_range = range;
    update();
    emit rangeChanged();
}

void SensorTrace::setLength(int length)
{
    length = qBound(2, length, MaxLength);
    if (m_length == length)
        return;
    // The newest readings that fit, oldest first.
    const int kept = qMin(m_count, length);
    QVector<QVector3D> ring(length);
    for (int i = 0; i < kept; ++i)
        ring[i] = m_ring[(m_start + m_count - kept + i) % m_length];
    m_ring = ring;
    m_length = length;
    m_start = 0;
    const bool countChange = kept != m_count;
    m_count = kept;
    update();
    emit lengthChanged();
    if (countChange)
        emit countChanged();
}

void SensorTrace::setColor(int axis, const QColor &color)
{
    if (m_colors[axis] == color)
        return;
    m_colors[axis] = color;
    m_colorsDirty = true;
    update();
    emit colorsChanged();
}

void SensorTrace::clear()
{
    if (!m_count)
        return;
    m_start = m_count = 0;
    update();
    emit countChanged();
}

QVector3D SensorTrace::reading(int index) const
{
    if (index < 0 || index >= m_count)
        return QVector3D();
    return m_ring[(m_start + index) % m_length];
}

QSGNode *SensorTrace::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    QSGNode *root = old;
    if (!root) {
        root = new QSGNode;
        for (int axis = 0; axis < 3; ++axis) {
            auto *line = new QSGGeometryNode;
            auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_Point2D(), 0);
            geometry->setDrawingMode(QSGGeometry::DrawLineStrip);
            geometry->setLineWidth(1.5f);
            line->setGeometry(geometry);
            line->setFlag(QSGNode::OwnsGeometry);
            line->setMaterial(new QSGFlatColorMaterial);
            line->setFlag(QSGNode::OwnsMaterial);
            root->appendChildNode(line);
        }
        m_colorsDirty = true;
    }
    const float w = float(width());
    const float h = float(height());
    const float middle = h / 2.0f;
    const float scale = float(middle / m_range);
    const float step = m_length > 1 ? w / float(m_length - 1) : 0.0f;
    // The newest reading at the right edge.
    const float left = w - step * float(qMax(0, m_count - 1));
    int axis = 0;
    for (QSGNode *child = root->firstChild(); child; child = child->nextSibling(), ++axis) {
        auto *line = static_cast<QSGGeometryNode *>(child);
        if (m_colorsDirty) {
            static_cast<QSGFlatColorMaterial *>(line->material())->setColor(m_colors[axis]);
            line->markDirty(QSGNode::DirtyMaterial);
        }
        QSGGeometry *geometry = line->geometry();
        if (geometry->vertexCount() != m_count)
            geometry->allocate(m_count);
        QSGGeometry::Point2D *points = geometry->vertexDataAsPoint2D();
        for (int i = 0; i < m_count; ++i) {
            const float value = axisOf(m_ring[(m_start + i) % m_length], axis) * scale;
            points[i].set(left + step * float(i), middle - qBound(-middle, value, middle));
        }
        line->markDirty(QSGNode::DirtyGeometry);
    }
    m_colorsDirty = false;
    return root;
}

} // namespace joyvant
