#pragma once

#include "infotreemodel.h"
#include "sdlgamepads.h"

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QVariantList>

// The system information singleton of com.corvane.system.
//
// scan() collects what a bug report about a controller needs into `model` (a tree
// with Name and Value columns). Facts that belong to GUI-thread objects (screens,
// the OpenGL context, audio and SDL devices) are taken when the scan starts; files
// and operating-system queries are read on a worker thread; the finished result
// replaces the model's content on the GUI thread. A scan() while one runs asks for
// exactly one more scan after it, however often it is called.
//
// `gamepads` lists the connected game controllers in SDL's order as objects with
// deviceName, guid, vendorId, productId, type, instanceId and mappingNeeded (false);
// after them the joysticks SDL has no controller mapping for, with mappingNeeded true
// and an empty type. scanGamepad() refreshes it at once.
class SysInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *model READ model CONSTANT)
    Q_PROPERTY(bool scanning READ scanning NOTIFY scanningChanged)
    Q_PROPERTY(QVariantList gamepads READ gamepads NOTIFY gamepadsChanged)

public:
    explicit SysInfo(QObject *parent = nullptr);
    ~SysInfo() override;

    QAbstractItemModel *model() const;
    bool scanning() const { return m_scanning; }
    QVariantList gamepads() const { return m_gamepads; }

    Q_INVOKABLE void scan();
    Q_INVOKABLE void scanGamepad();

signals:
    void scanningChanged();
    void gamepadsChanged();

private:
    void startScan();
    void scanFinished();
    void setScanning(bool scanning);
    InfoEntry gamepadsSection();
    InfoEntry graphicsSection();

    InfoTreeModel *m_model;
    SdlGamepads m_sdl;
    QVariantList m_gamepads;
    bool m_scanning = false;
    bool m_rescanRequested = false;
    bool m_haveGraphics = false;
    InfoEntry m_graphics;
    QThreadPool m_pool;
    QFutureWatcher<QVector<InfoEntry>> m_watcher;
};
