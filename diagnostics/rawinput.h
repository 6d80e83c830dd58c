#pragma once

#include <QString>
#include <QVector>

namespace joyvant {

// One input of a raw joystick as a controller mapping names it: a button ("b3"), a hat
// direction ("h0.4"), one half of an axis ("+a2", "-a2") or a whole axis ("a2"), maybe
// read the other way round ("a2~").
struct RawInput
{
    enum Kind { None, Button, Hat, Axis };
    Kind kind = None;
    int index = -1;
    int hatValue = 0; // Hat: SDL_HAT_UP (1), SDL_HAT_RIGHT (2), SDL_HAT_DOWN (4) or SDL_HAT_LEFT (8)
    int half = 0; // Axis: +1 or -1 for that half of its range, 0 for the whole axis
    bool inverted = false; // Axis: "~"

    bool isValid() const { return kind != None; }
    // The mapping's text for it; empty for None.
    QString source() const;
    // Parses a mapping's source text; None when it is not one.
    static RawInput fromSource(const QString &source);
    // Whether both read the same physical input: one button, one hat direction, or
    // overlapping parts of one axis (the two halves of an axis do not overlap).
    bool overlaps(const RawInput &other) const;
    bool operator==(const RawInput &other) const;
};

// What a controller asks of the input that stands for it.
enum class ControlKind {
    Button, // on or off: a button, hat direction, half axis, or an axis resting at one end
    Trigger, // 0 at rest to full: the same inputs as a button
    StickAxis, // a whole axis; asked for by moving left or up, SDL's negative direction
};

// One complete use of one input, as the raw joystick reported it.
struct RawMotion
{
    RawInput::Kind kind = RawInput::None;
    int index = -1;
    int hatValue = 0; // Hat
    int direction = 0; // Axis: +1 or -1, the way it moved from where it rests
    int baseline = 0; // Axis: where it rests
    bool restsAtEnd = false; // Axis: rests at one end of its range, as a trigger may

    bool isValid() const { return kind != RawInput::None; }
};

// How a control of `kind` binds the input that made `motion`: a button or a hat
// direction as it is; an axis resting at one end whole, inverted when it rests at the
// top; another axis by the half it moved into, or for a stick axis whole and inverted
// when it moved positive. None when the input cannot stand for such a control (a button
// for a stick axis).
RawInput inputFor(const RawMotion &motion, ControlKind kind);

// Follows the changes of a raw joystick and says when an input has been used once:
// a button or a hat direction when it is released again (so one press cannot answer
// twice), an axis when it moves past half the way from where it rested to the end of
// its range. An axis must come back within a quarter of that way before it can count
// again, and an axis resting at one end counts only towards the other, so trembling
// around the rest position never counts. While a button or hat direction is held,
// nothing else counts; a hat counts again only after it has been centred.
class RawInputTracker
{
public:
    // Starts afresh, with each axis resting where it is now.
    void reset(const QVector<int> &axisBaselines);
    // Forgets the button or hat direction held now: its release counts for nothing.
    void forgetHeld();
    // The button or hat direction pressed and not yet released; invalid if none.
    RawMotion held() const { return m_held; }

    // Each returns the use that this change completes; invalid if none.
    RawMotion button(int index, bool pressed);
    RawMotion hat(int index, int value);
    RawMotion axis(int index, int value);

private:
    struct AxisState
    {
        int baseline = 0;
        bool armed = true;
    };
    QVector<AxisState> m_axes;
    QVector<bool> m_hatMustCentre;
    RawMotion m_held;
};

} // namespace joyvant
