#pragma once

#include "scenecost.h"

#include <QElapsedTimer>
#include <QQuickWindow>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>


namespace joyvant {

// The QML side of the scene's cost adaptation, one per engine (the singleton
// `SceneAdapter` of `com.corvane.scene`). It measures every presented frame of `window`
// (from its synchronisation to the end of its swap, and the process's processor time
// since the frame before), hands the figures to a SceneCostController and publishes the
// level chosen: `scale` and `layered` for the main screen, which then draws the scene
// into a texture of that size and scales it up; `clockInterval` for the shared scene
// clock, whose `ticked()` advances every scene's time. The clock stops while the window
// is minimised, hidden or not exposed, so nothing is drawn then. Each change of level
// writes one line to the log.
class SceneAdapter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QQuickWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(qreal fixedScale READ fixedScale WRITE setFixedScale NOTIFY fixedScaleChanged)
    Q_PROPERTY(bool adaptive READ adaptive NOTIFY fixedScaleChanged)
    Q_PROPERTY(qreal scale READ scale NOTIFY levelChanged)
    Q_PROPERTY(int maxRate READ maxRate NOTIFY levelChanged)
    Q_PROPERTY(int level READ level NOTIFY levelChanged)
    Q_PROPERTY(bool layered READ layered NOTIFY levelChanged)
    Q_PROPERTY(int clockInterval READ clockInterval NOTIFY levelChanged)
    Q_PROPERTY(bool drawing READ drawing NOTIFY drawingChanged)
    Q_PROPERTY(int framesPresented READ framesPresented NOTIFY framesPresentedChanged)

public:
    explicit SceneAdapter(QObject *parent = nullptr);
    ~SceneAdapter() override;

    QQuickWindow *window() const { return m_window; }
    void setWindow(QQuickWindow *window);

    // 0 adapts; a scale in (0, 1] fixes the picture at that scale, drawn with every frame.
    qreal fixedScale() const { return m_controller.fixedScale(); }
    void setFixedScale(qreal scale);
    bool adaptive() const { return m_controller.adaptive(); }

    qreal scale() const { return m_controller.level().scale; }
    int maxRate() const { return m_controller.level().maxRate; }
    int level() const { return m_controller.adaptive() ? m_controller.levelIndex() : -1; }
    // The scene needs a texture of its own: a smaller picture, or fewer pictures than frames.
    bool layered() const { return scale() < 1.0 || maxRate() > 0; }
    int clockInterval() const;
    bool drawing() const { return m_drawing; }
    int framesPresented() const { return m_framesPresented; }

signals:
    void windowChanged();
    void fixedScaleChanged();
    void levelChanged();
    void drawingChanged();
    void framesPresentedChanged();
    // The scene clock: every scene's time moves on, and a layered scene draws a new picture.
    void ticked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();
    void updateDrawing();
    void updateClock();
    void takeFrame(const SceneFrame &frame);
    void announceLevel(const char *why);
    void disconnectWindow();

    SceneCostController m_controller;
    QPointer<QQuickWindow> m_window;
    QList<QMetaObject::Connection> m_connections;
    QTimer m_clock;
    QElapsedTimer m_elapsed;
    bool m_drawing = true;
    int m_framesPresented = 0;

    // Render thread (or the GUI thread while it is blocked in synchronisation).
    std::atomic<bool> m_layered {false};
    std::atomic<bool> m_scenePending {false};
    bool m_frameDrawsScene = false;
    qint64 m_syncStartNs = -1;
    double m_lastCpuMs = -1.0;
};

// Registers `SceneAdapter` as a singleton of `com.corvane.scene` 1.0.
void registerSceneTypes();

} // namespace joyvant
