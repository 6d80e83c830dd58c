// The scene's cost adaptation as plain code: a simulated renderer whose frames cost
// what a frame with the scene at a given size costs, fed to the controller frame by
// frame, with the pad playing (frames back to back) or the window idle (a frame per
// scene picture).
#include "scenecost.h"

#include <QtTest>

#include <random>

using joyvant::SceneCostController;
using joyvant::SceneFrame;
using joyvant::SceneLevel;

namespace {

// Frame costs: a fixed part (the test view, the chrome) and the scene's part, which
// grows with its pixels; processor time per millisecond of frame as llvmpipe's
// threads spend it. `noise` spreads each frame's cost evenly by that share either way.
struct Renderer
{
    double baseMs = 8.0;
    double sceneMs = 60.0; // the scene alone at full size
    double cpuPerMs = 1.6;
    double noise = 0.0;
    double vsyncMs = 0.0; // a swap that waits for the display: no frame is shorter
};

struct Run
{
    int changes = 0;
    int reversals = 0; // a change that undoes the one before
    std::vector<double> intervals; // between presented frames, ms
    double sceneCpuMs = 0.0;
};

class Simulation
{
public:
    Simulation(SceneCostController &controller, const Renderer &renderer, bool padPlaying)
        : m_controller(controller)
        , m_renderer(renderer)
        , m_padPlaying(padPlaying)
    {
    }

    void setRenderer(const Renderer &renderer) { m_renderer = renderer; }

    Run run(double durationMs)
    {
        Run result;
        const double end = m_now + durationMs;
        int lastDirection = 0;
        while (m_now < end) {
            const SceneLevel level = m_controller.level();
            const double rate = m_controller.sceneRate();
            const bool scene = level.maxRate == 0 || m_now >= m_nextScene;
            if (!scene && !m_padPlaying) {
                m_now = m_nextScene; // idle until the scene clock ticks
                continue;
            }
            if (scene && level.maxRate > 0)
                m_nextScene = m_now + 1000.0 / rate;
            double work = m_renderer.baseMs + (scene ? m_renderer.sceneMs * level.scale * level.scale : 0.0);
            work *= 1.0 + m_renderer.noise * (2.0 * m_uniform(m_random) - 1.0);
            double wall = std::max(work, m_renderer.vsyncMs);
            if (!m_padPlaying && level.maxRate == 0)
                wall = std::max(wall, 1000.0 / rate); // the clock paces an idle window
            m_now += wall;
            result.intervals.push_back(wall);
            SceneFrame frame;
            frame.timeMs = m_now;
            frame.wallMs = std::max(work, m_renderer.vsyncMs);
            frame.cpuMs = work * m_renderer.cpuPerMs;
            frame.sceneDrawn = scene;
            if (scene)
                result.sceneCpuMs += frame.cpuMs;
            const int before = m_controller.levelIndex();
            if (m_controller.addFrame(frame)) {
                const int direction = m_controller.levelIndex() > before ? 1 : -1;
                ++result.changes;
                if (direction == -lastDirection)
                    ++result.reversals;
                lastDirection = direction;
            }
        }
        return result;
    }

private:
    SceneCostController &m_controller;
    Renderer m_renderer;
    bool m_padPlaying;
    double m_now = 0.0;
    double m_nextScene = 0.0;
    std::mt19937 m_random {12345};
    std::uniform_real_distribution<double> m_uniform {0.0, 1.0};
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

Q_DECLARE_METATYPE(Renderer)

class TestSceneCost : public QObject
{
    Q_OBJECT

private slots:
    // A renderer that keeps up never leaves the full picture at every frame.
    void keepsUp_data()
    {
        QTest::addColumn<Renderer>("renderer");
        QTest::addColumn<bool>("padPlaying");
        QTest::newRow("GPU behind a 60 Hz swap, pad playing") << Renderer {1.0, 2.0, 1.0, 0.3, 16.7} << true;
        QTest::newRow("GPU behind a 60 Hz swap, idle") << Renderer {1.0, 2.0, 1.0, 0.3, 16.7} << false;
        QTest::newRow("software renderer, small window") << Renderer {2.0, 3.0, 1.2, 0.2, 0.0} << false;
    }

    void keepsUp()
    {
        QFETCH(Renderer, renderer);
        QFETCH(bool, padPlaying);
        SceneCostController controller;
        Simulation simulation(controller, renderer, padPlaying);
        const Run run = simulation.run(60000.0);
        QCOMPARE(run.changes, 0);
        QCOMPARE(controller.levelIndex(), 0);
        QCOMPARE(controller.level().scale, 1.0);
        QCOMPARE(controller.level().maxRate, 0);
    }

    // Too slow: smaller pictures first, then fewer of them, until frames come at 30 a
    // second again; with the pad playing, the median frame is a quick one.
    void stepsDownUnderASlowRenderer_data()
    {
        QTest::addColumn<Renderer>("renderer");
        QTest::addColumn<double>("largestScale");
        QTest::addColumn<int>("largestRate");
        QTest::newRow("scene too big for the window") << Renderer {8.0, 60.0, 1.0, 0.1} << 0.5 << 0;
        QTest::newRow("heavy scene") << Renderer {8.0, 400.0, 1.6, 0.1} << 0.25 << 20;
    }

    void stepsDownUnderASlowRenderer()
    {
        QFETCH(Renderer, renderer);
        QFETCH(double, largestScale);
        QFETCH(int, largestRate);
        SceneCostController controller;
        Simulation simulation(controller, renderer, true);
        const Run settling = simulation.run(10000.0);
        QVERIFY(settling.changes >= 1);
        QVERIFY2(controller.level().scale <= largestScale, qPrintable(QString::number(controller.level().scale)));
        if (largestRate > 0) {
            QVERIFY(controller.level().maxRate > 0);
            QVERIFY(controller.level().maxRate <= largestRate);
        }
        QVERIFY(!controller.reason().empty());
        const Run settled = simulation.run(20000.0);
        QVERIFY2(median(settled.intervals) <= 33.0, qPrintable(QString::number(median(settled.intervals))));
    }

    // The scene's idle processor load stays within what the controller allows.
    void idleLoadIsBounded()
    {
        SceneCostController controller;
        Simulation simulation(controller, Renderer {10.0, 80.0, 1.8, 0.1}, false);
        simulation.run(15000.0);
        const double seconds = 20.0;
        const Run run = simulation.run(seconds * 1000.0);
        QVERIFY2(run.sceneCpuMs / (seconds * 1000.0) <= 0.55, qPrintable(QString::number(run.sceneCpuMs)));
    }

    // Slow first (another program took the processor), fast again later: back to the full
    // picture, one step at a time.
    void stepsUpWhenTheRendererRecovers()
    {
        SceneCostController controller;
        Simulation simulation(controller, Renderer {8.0, 200.0, 1.6, 0.1}, true);
        simulation.run(10000.0);
        QVERIFY(controller.levelIndex() >= 4);
        simulation.setRenderer(Renderer {1.0, 4.0, 0.5, 0.1, 16.7});
        const Run recovery = simulation.run(60000.0);
        QCOMPARE(controller.levelIndex(), 0);
        QCOMPARE(recovery.reversals, 0);
    }

    // Costs right at the edge between two sizes, with noise: a few changes at most, never
    // back and forth.
    void noFlickerOnNoise_data()
    {
        QTest::addColumn<double>("sceneMs");
        QTest::addColumn<double>("noise");
        for (double scene : {40.0, 44.0, 48.0, 56.0, 70.0, 100.0}) {
            for (double noise : {0.1, 0.3, 0.5})
                QTest::addRow("scene %.0f ms, noise %.0f %%", scene, noise * 100) << scene << noise;
        }
    }

    void noFlickerOnNoise()
    {
        QFETCH(double, sceneMs);
        QFETCH(double, noise);
        SceneCostController controller;
        Simulation simulation(controller, Renderer {8.0, sceneMs, 1.0, noise}, true);
        simulation.run(10000.0);
        const Run run = simulation.run(120000.0);
        // Each try of the size above waits twice as long as the one before: in two minutes
        // at most a handful, and never a flip per second.
        QVERIFY2(run.changes <= 6, qPrintable(QString::number(run.changes)));
    }

    void fixedScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("expected");
        QTest::newRow("full picture") << 1.0 << 1.0;
        QTest::newRow("half") << 0.5 << 0.5;
        QTest::newRow("above one") << 2.0 << 1.0;
    }

    // A fixed scale holds whatever the frames cost, drawn with every frame.
    void fixedScale()
    {
        QFETCH(double, scale);
        QFETCH(double, expected);
        SceneCostController controller;
        controller.setFixedScale(scale);
        QVERIFY(!controller.adaptive());
        Simulation simulation(controller, Renderer {8.0, 500.0, 1.6, 0.2}, true);
        const Run run = simulation.run(20000.0);
        QCOMPARE(run.changes, 0);
        QCOMPARE(controller.level().scale, expected);
        QCOMPARE(controller.level().maxRate, 0);
        controller.setFixedScale(0.0);
        QVERIFY(controller.adaptive());
        simulation.run(10000.0);
        QVERIFY(controller.level().scale < 1.0);
    }

    // The window's first frames build what it shows (shaders, pictures, glows): slow as
    // they are, they do not count against the full picture.
    void startUpFramesAreIgnored()
    {
        SceneCostController controller;
        double now = 0.0;
        for (int i = 0; i < 8; ++i) {
            now += 200.0;
            QVERIFY(!controller.addFrame(SceneFrame {now, 200.0, 300.0, true}));
        }
        for (int i = 0; i < 600; ++i) {
            now += 16.7;
            QVERIFY(!controller.addFrame(SceneFrame {now, 6.0, 8.0, true}));
        }
        QCOMPARE(controller.levelIndex(), 0);
        // Shown again after a while away: the same.
        controller.restart(now);
        now += 300.0;
        QVERIFY(!controller.addFrame(SceneFrame {now, 300.0, 300.0, true}));
        QCOMPARE(controller.levelIndex(), 0);
    }

    // With a rate cap, frames drawn for the pad show what the scene adds; a scene that adds
    // little is not held down by an expensive test view, and one that adds much is.
    void cappedSceneAnswersForItsOwnShare()
    {
        SceneCostController::Settings settings;
        SceneCostController controller(settings, {{1.0, 0}, {0.25, 20}, {0.25, 10}});
        double now = 0.0;
        for (int i = 0; i < 2000; ++i) {
            now += 20.0;
            // Frames that cost 40 ms of processor time anyway; the full picture makes them
            // too slow, the small one adds little.
            const bool full = controller.levelIndex() == 0;
            const bool scene = full || i % 3 == 0;
            controller.addFrame(SceneFrame {now, full ? 50.0 : 20.0, scene && !full ? 42.0 : 40.0, scene});
        }
        QCOMPARE(controller.levelIndex(), 1);
        for (int i = 0; i < 2000; ++i) {
            now += 20.0;
            controller.addFrame(SceneFrame {now, 20.0, i % 3 == 0 ? 80.0 : 40.0, i % 3 == 0});
        }
        QCOMPARE(controller.levelIndex(), 2);
    }

    // One slow frame now and then (a stall elsewhere) changes nothing.
    void singleSlowFramesAreIgnored()
    {
        SceneCostController controller;
        double now = 0.0;
        for (int i = 0; i < 3000; ++i) {
            now += 16.7;
            const double wall = i % 50 == 0 ? 400.0 : 6.0;
            QVERIFY(!controller.addFrame(SceneFrame {now, wall, wall, true}));
        }
        QCOMPARE(controller.levelIndex(), 0);
    }
};

QTEST_APPLESS_MAIN(TestSceneCost)

#include "tst_scenecost.moc"
