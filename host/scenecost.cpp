#include "scenecost.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace joyvant {

namespace {

// A level's picture size that holds for this long has proved itself: a later step down
// from it no longer counts against stepping up into it.
constexpr double kProvenMs = 30000.0;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + long(middle), values.end());
    return values[middle];
}

std::string levelText(const SceneLevel &level)
{
    char text[80];
    if (level.maxRate > 0)
        std::snprintf(text, sizeof text, "%d %% at %d pictures a second", int(std::lround(level.scale * 100)),
                      level.maxRate);
    else
        std::snprintf(text, sizeof text, "%d %% at every frame", int(std::lround(level.scale * 100)));
    return text;
}

} // namespace

SceneCostController::SceneCostController()
    : SceneCostController(Settings())
{
}

SceneCostController::SceneCostController(const Settings &settings, std::vector<SceneLevel> levels)
    : m_settings(settings)
    , m_levels(levels.empty() ? defaultLevels() : std::move(levels))
    , m_backoffMs(m_levels.size(), settings.upHoldMs)
    , m_blockedUntilMs(m_levels.size(), 0.0)
    , m_upWaitMs(settings.upHoldMs)
{
}

std::vector<SceneLevel> SceneCostController::defaultLevels()
{
    return {{1.0, 0}, {0.75, 0}, {0.5, 0}, {0.35, 0}, {0.25, 0}, {0.25, 30}, {0.25, 20}, {0.25, 15}, {0.25, 10}};
}

void SceneCostController::setFixedScale(double scale)
{
    m_fixedScale = scale > 0.0 ? std::min(scale, 1.0) : 0.0;
}

void SceneCostController::setDisplayRate(double rate)
{
    if (rate >= 1.0)
        m_settings.displayRate = rate;
}

SceneLevel SceneCostController::level() const
{
    if (!adaptive())
        return {m_fixedScale, 0};
    return m_levels[size_t(m_level)];
}

double SceneCostController::sceneRate() const
{
    const SceneLevel current = level();
    return current.maxRate > 0 ? std::min(double(current.maxRate), m_settings.displayRate) : m_settings.displayRate;
}

void SceneCostController::restart(double nowMs)
{
    settle(nowMs);
    // The first frames of a window (or of one shown again) build what it shows.
    m_ignoreUntilMs = nowMs + m_settings.warmUpMs;
}

void SceneCostController::settle(double nowMs)
{
    m_frames.clear();
    m_levelSinceMs = nowMs;
    m_started = true;
    m_settleLeft = m_settings.settleFrames;
}

bool SceneCostController::addFrame(const SceneFrame &frame)
{
    if (!m_started)
        restart(frame.timeMs);
    if (frame.timeMs < m_ignoreUntilMs) {
        m_levelSinceMs = frame.timeMs;
        return false;
    }
    if (frame.sceneDrawn && m_settleLeft > 0) {
        --m_settleLeft;
        return false;
    }
    m_frames.push_back(frame);
    // The medians look back windowMs, but at least over the last few frames, however slow.
    const size_t keep = size_t(std::max(1, m_settings.minSamples)) * 2;
    while (m_frames.size() > keep && m_frames.front().timeMs < frame.timeMs - m_settings.windowMs)
        m_frames.pop_front();
    if (!adaptive())
        return false;

    const double now = frame.timeMs;
    const double held = now - m_levelSinceMs;
    if (held >= kProvenMs) {
        m_backoffMs[size_t(m_level)] = m_settings.upHoldMs;
        m_upWaitMs = m_settings.upHoldMs;
    }

    const Estimate measured = estimate();
    if (!measured.valid)
        return false;

    const int last = levelCount() - 1;
    if (m_level < last && held >= m_settings.downHoldMs && tooCostly(m_level, measured.scene, measured.plain)) {
        int target = last;
        for (int candidate = m_level + 1; candidate < last; ++candidate) {
            if (!tooCostly(candidate, predict(measured, candidate), measured.plain)) {
                target = candidate;
                break;
            }
        }
        // Stepping up into this level again waits, longer each time it has to be left.
        double &backoff = m_backoffMs[size_t(m_level)];
        m_blockedUntilMs[size_t(m_level)] = now + backoff;
        backoff = std::min(backoff * 2.0, m_settings.maxBackoffMs);
        // A step up undone soon after: every further step up waits longer.
        if (m_lastUpMs >= 0.0 && now - m_lastUpMs < 2.0 * m_upWaitMs)
            m_upWaitMs = std::min(m_upWaitMs * 2.0, m_settings.maxBackoffMs);
        char text[160];
        std::snprintf(text, sizeof text, "scene frames took %.0f ms and %.2f of a processor at %s",
                      measured.scene.wallMs, load(m_level, measured.scene, measured.plain),
                      levelText(m_levels[size_t(m_level)]).c_str());
        moveTo(target, now, text);
        return true;
    }
    if (m_level > 0 && held >= m_upWaitMs && now >= m_blockedUntilMs[size_t(m_level - 1)]) {
        const Cost expected = predict(measured, m_level - 1);
        if (comfortable(m_level - 1, expected, measured.plain)) {
            char text[160];
            std::snprintf(text, sizeof text, "scene frames take %.0f ms, about %.0f ms expected at %s",
                          measured.scene.wallMs, expected.wallMs, levelText(m_levels[size_t(m_level - 1)]).c_str());
            moveTo(m_level - 1, now, text);
            m_lastUpMs = now;
            return true;
        }
    }
    return false;
}

SceneCostController::Estimate SceneCostController::estimate() const
{
    std::vector<double> sceneWall, sceneCpu, plainWall, plainCpu;
    for (const SceneFrame &frame : m_frames) {
        if (frame.sceneDrawn) {
            sceneWall.push_back(frame.wallMs);
            sceneCpu.push_back(frame.cpuMs);
        } else {
            plainWall.push_back(frame.wallMs);
            plainCpu.push_back(frame.cpuMs);
        }
    }
    Estimate result;
    const size_t enough = size_t(std::max(1, m_settings.minSamples));
    result.scene = {median(sceneWall), median(sceneCpu)};
    // Frames far beyond the limit need not be waited for as long: a few of them tell.
    const bool farTooSlow = sceneWall.size() >= 3 && result.scene.wallMs > 4.0 * m_settings.slowFrameMs;
    if (sceneWall.size() < enough && !farTooSlow)
        return result;
    result.valid = true;
    if (plainWall.size() >= enough) {
        // What a frame costs without the scene; never more than one with it.
        result.plain = {std::min(median(plainWall), result.scene.wallMs),
                        std::min(median(plainCpu), result.scene.cpuMs)};
    }
    return result;
}

SceneCostController::Cost SceneCostController::predict(const Estimate &estimate, int level) const
{
    // The scene's share of a frame grows and shrinks with its pixels; the rest stays.
    const double ratio = m_levels[size_t(level)].scale / m_levels[size_t(m_level)].scale;
    const double pixels = ratio * ratio;
    Cost cost;
    cost.wallMs = estimate.plain.wallMs + (estimate.scene.wallMs - estimate.plain.wallMs) * pixels;
    cost.cpuMs = estimate.plain.cpuMs + (estimate.scene.cpuMs - estimate.plain.cpuMs) * pixels;
    // Frames that fit one display refresh may be waiting for it: how much of that is work
    // is unknown, so a bigger picture is taken to fit as well. A wrong guess is undone by
    // the next frames, and the wait before the next try doubles.
    if (pixels > 1.0 && estimate.scene.wallMs <= 1.1 * 1000.0 / m_settings.displayRate)
        cost.wallMs = estimate.scene.wallMs;
    return cost;
}

double SceneCostController::rateOf(int level, double wallMs) const
{
    const int cap = m_levels[size_t(level)].maxRate;
    if (cap > 0)
        return std::min(double(cap), m_settings.displayRate);
    return std::min(m_settings.displayRate, 1000.0 / std::max(wallMs, 1.0));
}

double SceneCostController::wallShare(int level, const Cost &cost, const Cost &plain) const
{
    // The time scene frames hold the window beyond one refresh (a frame within one refresh
    // is never late, and where the swap waits for the display none is shorter anyway) and
    // beyond what the frames without a scene picture take: those are the test view's.
    const double onTime = std::max(plain.wallMs, 1000.0 / m_settings.displayRate);
    const double late = std::max(0.0, cost.wallMs - onTime);
    return late * rateOf(level, cost.wallMs) / 1000.0;
}

double SceneCostController::load(int level, const Cost &cost, const Cost &plain) const
{
    // With a rate cap, frames drawn for other reasons (the pad, the test view) show what a
    // frame costs without the scene, and the scene answers only for the difference. A
    // scene drawn with every frame answers for all of it: it may be what makes the frames.
    const double cpu = m_levels[size_t(level)].maxRate > 0 ? std::max(0.0, cost.cpuMs - plain.cpuMs) : cost.cpuMs;
    return cpu * rateOf(level, cost.wallMs) / 1000.0;
}

bool SceneCostController::tooCostly(int level, const Cost &cost, const Cost &plain) const
{
    // The full picture stays wherever the renderer keeps up with it: only its frame time
    // counts. Below it, the processor time too.
    if (level == 0)
        return cost.wallMs > m_settings.slowFrameMs;
    if (load(level, cost, plain) > m_settings.maxLoad)
        return true;
    if (m_levels[size_t(level)].maxRate > 0)
        return wallShare(level, cost, plain) > m_settings.maxWallShare;
    return cost.wallMs > m_settings.slowFrameMs;
}

bool SceneCostController::comfortable(int level, const Cost &cost, const Cost &plain) const
{
    if (level == 0)
        return cost.wallMs <= m_settings.fastFrameMs;
    if (load(level, cost, plain) > m_settings.comfortableLoad)
        return false;
    if (m_levels[size_t(level)].maxRate > 0)
        return wallShare(level, cost, plain) <= m_settings.comfortableWallShare;
    return cost.wallMs <= m_settings.fastFrameMs;
}

void SceneCostController::moveTo(int level, double nowMs, const std::string &reason)
{
    m_reason = reason;
    m_level = level;
    settle(nowMs);
}

} // namespace joyvant
