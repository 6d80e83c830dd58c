#include "rawinput.h"

#include <QRegularExpression>

namespace joyvant {

namespace {

constexpr int AxisMin = -32768;
constexpr int AxisMax = 32767;
// An axis resting further out than this rests at one end of its range.
constexpr int EndThreshold = 16384;

bool isHatDirection(int value)
{
    return value == 1 || value == 2 || value == 4 || value == 8;
}

} // namespace

QString RawInput::source() const
{
    switch (kind) {
    case Button: return QStringLiteral("b%1").arg(index);
    case Hat: return QStringLiteral("h%1.%2").arg(index).arg(hatValue);
    case Axis: {
        const QString sign = half > 0 ? QStringLiteral("+") : half < 0 ? QStringLiteral("-") : QString();
        return sign + QStringLiteral("a%1").arg(index) + (inverted ? QStringLiteral("~") : QString());
    }
    case None: break;
    }
    return QString();
}

RawInput RawInput::fromSource(const QString &source)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:b(\\d+)|h(\\d+)\\.(\\d+)|([+-]?)a(\\d+)(~?))$"));
    const QRegularExpressionMatch match = pattern.match(source.trimmed());
    RawInput input;
    if (!match.hasMatch())
        return input;
    if (!match.captured(1).isEmpty()) {
        input.kind = Button;
        input.index = match.captured(1).toInt();
    } else if (!match.captured(2).isEmpty()) {
        input.kind = Hat;
        input.index = match.captured(2).toInt();
        input.hatValue = match.captured(3).toInt();
    } else {
        input.kind = Axis;
        input.index = match.captured(5).toInt();
        input.half = match.captured(4) == QLatin1String("+") ? 1 : match.captured(4) == QLatin1String("-") ? -1 : 0;
        input.inverted = !match.captured(6).isEmpty();
    }
    return input;
}

bool RawInput::overlaps(const RawInput &other) const
{
    if (kind == None || kind != other.kind || index != other.index)
        return false;
    switch (kind) {
    case Button: return true;
    case Hat: return (hatValue & other.hatValue) != 0;
    case Axis: return half == 0 || other.half == 0 || half == other.half;
    case None: break;
    }
    return false;
}

bool RawInput::operator==(const RawInput &other) const
{
    return kind == other.kind && index == other.index && hatValue == other.hatValue && half == other.half
        && inverted == other.inverted;
}

RawInput inputFor(const RawMotion &motion, ControlKind kind)
{
    RawInput input;
    switch (motion.kind) {
    case RawInput::Button:
    case RawInput::Hat:
        if (kind == ControlKind::StickAxis)
            return input;
        input.kind = motion.kind;
        input.index = motion.index;
        input.hatValue = motion.kind == RawInput::Hat ? motion.hatValue : 0;
        return input;
    case RawInput::Axis:
        input.kind = RawInput::Axis;
        input.index = motion.index;
        if (kind == ControlKind::StickAxis) {
            // Asked for by moving left or up, where SDL's stick axes are negative.
            input.inverted = motion.direction > 0;
        } else if (motion.restsAtEnd) {
            input.inverted = motion.baseline > 0;
        } else {
            input.half = motion.direction;
        }
        return input;
    case RawInput::None: break;
    }
    return input;
}

void RawInputTracker::reset(const QVector<int> &axisBaselines)
{
    m_axes.clear();
    for (int baseline : axisBaselines)
        m_axes.append({baseline, true});
    m_hatMustCentre.clear();
    m_held = RawMotion();
}

void RawInputTracker::forgetHeld()
{
    if (m_held.kind == RawInput::Hat) {
        if (m_hatMustCentre.size() <= m_held.index)
            m_hatMustCentre.resize(m_held.index + 1);
        m_hatMustCentre[m_held.index] = true;
    }
    m_held = RawMotion();
}

RawMotion RawInputTracker::button(int index, bool pressed)
{
    if (pressed) {
        if (!m_held.isValid()) {
            m_held.kind = RawInput::Button;
            m_held.index = index;
        }
        return RawMotion();
    }
    if (m_held.kind != RawInput::Button || m_held.index != index)
        return RawMotion();
    const RawMotion done = m_held;
    m_held = RawMotion();
    return done;
}

RawMotion RawInputTracker::hat(int index, int value)
{
    if (index < 0)
        return RawMotion();
    if (m_hatMustCentre.size() <= index)
        m_hatMustCentre.resize(index + 1);
    if (value == 0)
        m_hatMustCentre[index] = false;
    if (m_held.kind == RawInput::Hat && m_held.index == index) {
        if ((value & m_held.hatValue) != 0)
            return RawMotion();
        const RawMotion done = m_held;
        m_held = RawMotion();
        // Rolled on to another direction: that one counts only after a new press.
        m_hatMustCentre[index] = value != 0;
        return done;
    }
    if (!m_held.isValid() && !m_hatMustCentre[index] && isHatDirection(value)) {
        m_held.kind = RawInput::Hat;
        m_held.index = index;
        m_held.hatValue = value;
    }
    return RawMotion();
}

RawMotion RawInputTracker::axis(int index, int value)
{
    if (index < 0)
        return RawMotion();
    while (m_axes.size() <= index)
        m_axes.append(AxisState());
    AxisState &state = m_axes[index];
    const int baseline = state.baseline;
    const int direction = value > baseline ? 1 : -1;
    // The way from the rest position to the end the axis moves towards, and how far
    // along it the axis is.
    const qint64 span = direction > 0 ? qint64(AxisMax) - baseline : qint64(baseline) - AxisMin;
    const qint64 distance = direction > 0 ? qint64(value) - baseline : qint64(baseline) - value;
    if (4 * distance < span)
        state.armed = true;
    if (span <= 0 || 2 * distance <= span || !state.armed)
        return RawMotion();
    state.armed = false;

    RawMotion motion;
    motion.kind = RawInput::Axis;
    motion.index = index;
    motion.direction = direction;
    motion.baseline = baseline;
    motion.restsAtEnd = baseline <= -EndThreshold || baseline >= EndThreshold;
    // An axis resting at one end moves only towards the other; the rest is noise.
    if (motion.restsAtEnd && (baseline > 0) == (direction > 0))
        return RawMotion();
    if (m_held.isValid())
        return RawMotion();
    return motion;
}

} // namespace joyvant
