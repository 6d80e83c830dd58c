#pragma once

#include <deque>
#include <string>
#include <vector>

namespace joyvant {

// One way of drawing the background scene: its picture's width and height as a share
// of the window's, and the most scene pictures it draws a second (0: one with every
// window frame, up to the display's rate).
struct SceneLevel
{
    double scale = 1.0;
    int maxRate = 0;
};

// What one presented window frame cost.
struct SceneFrame
{
    double timeMs = 0.0; // when it was presented, on a steady clock
    double wallMs = 0.0; // from the frame's synchronisation to the end of its swap
    double cpuMs = 0.0; // processor time of the whole process since the frame before
    bool sceneDrawn = false; // the frame drew a new picture of the scene
};

// Chooses how the background scene is drawn from what the frames cost, so that the
// window as a whole stays responsive. Plain code: it is fed frame figures and answers
// with a level of the ladder, from the full picture at every frame (level 0) down to a
// quarter of the width and height at ten pictures a second.
//
// A level is too costly when its scene frames take longer than `slowFrameMs` (the
// window would fall under 30 frames a second) or, below the full picture, when the
// scene keeps more than `maxLoad` of a processor busy (with a rate cap, only what its
// frames cost beyond the frames without it; drawn with every frame, all of it); with a
// rate cap its frames may also run late (past one display refresh and past the frames
// without it) for at most `maxWallShare` of the time. Too costly: it goes down at once to the
// first level whose predicted cost is acceptable. A level above is tried only once the
// current one has held for `upHoldMs` and the prediction for it is comfortably below
// every limit (`fastFrameMs`, `comfortableLoad`, `comfortableWallShare`); a level that
// had to be left is tried next only after twice the wait before, and a step up undone
// soon after doubles the wait before any step up, both up to `maxBackoffMs` (a level
// held for 30 s resets them). Decisions rest on medians, so single slow frames change nothing.
class SceneCostController
{
public:
    struct Settings
    {
        double slowFrameMs = 30.0;
        double fastFrameMs = 20.0;
        double maxLoad = 0.5;
        double comfortableLoad = 0.3;
        double maxWallShare = 0.5;
        double comfortableWallShare = 0.3;
        int minSamples = 6; // scene frames measured at a level before it is judged
        int settleFrames = 1; // scene frames left out after a change (new texture)
        double warmUpMs = 2000.0; // frames left out after the start or after being hidden
        double downHoldMs = 400.0; // least time at a level before it is left for a lower one
        double upHoldMs = 2000.0;
        double maxBackoffMs = 64000.0;
        double windowMs = 1500.0; // how far back the medians look
        double displayRate = 60.0; // rate of a level without cap where frames are cheap
    };

    SceneCostController();
    explicit SceneCostController(const Settings &settings,
                                 std::vector<SceneLevel> levels = defaultLevels());

    // Full picture; three smaller sizes; a quarter of the width and height at 30, 20, 15
    // and 10 pictures a second.
    static std::vector<SceneLevel> defaultLevels();

    // A scale in (0, 1] fixes the picture at that scale, one with every frame, and ends
    // adaptation; 0 adapts (the default).
    void setFixedScale(double scale);
    double fixedScale() const { return m_fixedScale; }
    bool adaptive() const { return m_fixedScale <= 0.0; }

    void setDisplayRate(double rate);

    int levelIndex() const { return m_level; }
    int levelCount() const { return int(m_levels.size()); }
    SceneLevel level() const;

    // Scene pictures a second the current level aims at (the display's rate without a cap).
    double sceneRate() const;

    // Takes one frame's figures; true when the level changed with it.
    bool addFrame(const SceneFrame &frame);

    // Forgets the frames measured so far (the window was shown again): the current level
    // is judged afresh once the frames of the next `warmUpMs` have passed.
    void restart(double nowMs);

    // Why the last change was made, for the log.
    const std::string &reason() const { return m_reason; }

    struct Cost
    {
        double wallMs = 0.0;
        double cpuMs = 0.0;
    };

private:
    struct Estimate
    {
        bool valid = false;
        Cost scene; // medians of the frames that drew the scene
        Cost plain; // medians of the frames that did not (0 when too few)
    };

    Estimate estimate() const;
    Cost predict(const Estimate &estimate, int level) const;
    double rateOf(int level, double wallMs) const;
    double wallShare(int level, const Cost &cost, const Cost &plain) const;
    double load(int level, const Cost &cost, const Cost &plain) const;
    bool tooCostly(int level, const Cost &cost, const Cost &plain) const;
    bool comfortable(int level, const Cost &cost, const Cost &plain) const;
    void moveTo(int level, double nowMs, const std::string &reason);
    void settle(double nowMs);

    Settings m_settings;
    std::vector<SceneLevel> m_levels;
    double m_fixedScale = 0.0;
    int m_level = 0;
    double m_levelSinceMs = 0.0;
    bool m_started = false;
    double m_ignoreUntilMs = 0.0;
    int m_settleLeft = 0;
    std::vector<double> m_backoffMs; // per level: wait before stepping up into it again
    std::vector<double> m_blockedUntilMs;
    double m_upWaitMs = 0.0; // time at a level before any step up
    double m_lastUpMs = -1.0;
    std::deque<SceneFrame> m_frames;
    std::string m_reason;
};

} // namespace joyvant
