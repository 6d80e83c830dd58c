// The QtGamepad plug-in as QML engines load it from the program's folder: several
// engines in one process share one SDL reference, and each announces present pads.
#include "virtualgamepad.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <SDL.h>
#include <memory>

using joyvant::test::VirtualGamepad;

namespace {

const QByteArray Document = R"(
import QtQml 2.15
import QtGamepad 1.15

QtObject {
    property var connectedIds: []
    property var totals: []
    property var removedIds: []
    property bool pressed: false
    property int presses: 0
    property alias gamepad: pad
    property alias deviceId: pad.deviceId
    property bool hasDiagonals: pad.buttonLeftUp !== undefined

    property Gamepad pad: Gamepad {
        id: pad
        onButtonAChanged: { pressed = value; ++presses }
    }
    property Connections watcher: Connections {
        target: GamepadManager
        function onGamepadConnected(deviceId) {
            connectedIds = connectedIds.concat([deviceId])
            totals = totals.concat([GamepadManager.connectedGamepads.length])
        }
        function onGamepadDisconnected(deviceId) { removedIds = removedIds.concat([deviceId]) }
    }
}
)";

struct LoadedDocument
{
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QObject> root;
};

LoadedDocument load(const QByteArray &document = Document)
{
    LoadedDocument loaded;
    loaded.engine = std::make_unique<QQmlEngine>();
    loaded.engine->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    QQmlComponent component(loaded.engine.get());
    component.setData(document, QUrl::fromLocalFile(QStringLiteral(JOYVANT_SOURCE_DIR "/tests/gamepad/inline.qml")));
    loaded.root.reset(component.create());
    if (!loaded.root)
        qWarning() << component.errors();
    return loaded;
}

QList<int> ints(const QVariant &list)
{
    QList<int> result;
    for (const QVariant &value : list.toList())
        result.append(value.toInt());
    return result;
}

bool gamecontrollerInUse()
{
    return SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0;
}

} // namespace

class TestGamepadEngines : public QObject
{
    Q_OBJECT
private slots:
    void presentPadIsAnnouncedAfterLoading();
    void enginesShareTheBackend();
    void olderImportVersionWorks();
};

void TestGamepadEngines::presentPadIsAnnouncedAfterLoading()
{
    VirtualGamepad pad;
    QVERIFY(pad.attach());
    LoadedDocument doc = load();
    QVERIFY(doc.root);
    // Our own module, not Qt's: it has the diagonals.
    QVERIFY(doc.root->property("hasDiagonals").toBool());
    QVERIFY(ints(doc.root->property("connectedIds")).isEmpty());
    QTRY_VERIFY(ints(doc.root->property("connectedIds")).contains(pad.deviceId()));
    const QList<int> totals = ints(doc.root->property("totals"));
    for (int i = 0; i < totals.size(); ++i)
        QCOMPARE(totals.at(i), i + 1);

    doc.root->setProperty("deviceId", pad.deviceId());
    pad.setButton(VirtualGamepad::ButtonA, true);
    QTRY_VERIFY(doc.root->property("pressed").toBool());
    pad.setButton(VirtualGamepad::ButtonA, false);
    QTRY_COMPARE(doc.root->property("presses").toInt(), 2);
    QVERIFY(!doc.root->property("pressed").toBool());
}

void TestGamepadEngines::enginesShareTheBackend()
{
    QVERIFY(!gamecontrollerInUse());
    LoadedDocument first = load();
    LoadedDocument second = load();
    QVERIFY(first.root && second.root);
    QVERIFY(gamecontrollerInUse());

    VirtualGamepad pad;
    QVERIFY(pad.attach());
    for (QObject *root : {first.root.get(), second.root.get()}) {
        QTRY_VERIFY(ints(root->property("connectedIds")).contains(pad.deviceId()));
        root->setProperty("deviceId", pad.deviceId());
    }
    pad.setButton(VirtualGamepad::ButtonA, true);
    QTRY_VERIFY(first.root->property("pressed").toBool() && second.root->property("pressed").toBool());

    // The first engine goes; the second keeps working.
    first = LoadedDocument();
    QVERIFY(gamecontrollerInUse());
    pad.setButton(VirtualGamepad::ButtonA, false);
    QTRY_VERIFY(!second.root->property("pressed").toBool());
    const int id = pad.deviceId();
    pad.detach();
    QTRY_VERIFY(ints(second.root->property("removedIds")).contains(id));
    QVERIFY(!second.root->property("gamepad").value<QObject *>()->property("connected").toBool());

    // With the last engine gone, the module's reference on SDL is released.
    second = LoadedDocument();
    QVERIFY(!gamecontrollerInUse());
}

void TestGamepadEngines::olderImportVersionWorks()
{
    LoadedDocument doc = load(R"(
import QtQml 2.15
import QtGamepad 1.0
QtObject { property int count: GamepadManager.connectedGamepads.length; property Gamepad pad: Gamepad {} }
)");
    QVERIFY(doc.root);
    QCOMPARE(doc.root->property("count").toInt(), 0);
}

QTEST_GUILESS_MAIN(TestGamepadEngines)
#include "tst_gamepad_engines.moc"
