#pragma once

#include <QRect>
#include <QString>
#include <QSurfaceFormat>
#include <QUrl>

class QGuiApplication;
class QQmlApplicationEngine;

namespace joyvant {

// The graphics surface the program renders with: OpenGL 3.3, core profile. Tests and
// tools that compile the program's shaders use it too.
QSurfaceFormat programSurfaceFormat();

// Where the scene list is read from: scenes.json in the working directory if there is
// one, else the one beside the program (the installed list). Handed to the interface as
// the context property joyvantSceneList.
QUrl sceneListUrl(const QString &workingDirectory, const QString &programDirectory);

// What the program sets before its application object exists: the default surface format
// and high-DPI scaling. Tools that run the program's documents in their own process call
// it too, so they run as the program does.
void prepareApplication();

// The engine set up as the program's: the bundle's import folder, and the scene list to
// read (joyvantSceneList) for a program in `programDirectory`.
void prepareEngine(QQmlApplicationEngine &engine, const QString &programDirectory);

// Hands the C heap's free pages back to the system every 15 seconds while `owner` lives
// (glibc only; elsewhere nothing). A scene switch frees tens of megabytes at once (decoded
// pictures, their textures, the last scene's buffers) in the middle of the heaps of the
// threads that drew them, where glibc keeps them: without this, resident memory steps up
// at such switches and stays up although the program holds no more than before.
void trimHeapPeriodically(QObject *owner);

// A top-level window's geometry fitted into `screens` (the bounding rectangle of every
// screen): a width or height larger than the screens' is cut to theirs, and a window cut
// so is moved, as little as needed, to lie inside them. A geometry that fits is returned
// as it is; so is any geometry when `screens` is empty.
QRect clampedWindowGeometry(const QRect &requested, const QRect &screens);

// Fits the first top-level window the application shows into its screens, before the
// window system and the renderer see its size, whatever set it (-qwindowgeometry,
// -geometry, the document). The renderer fails on windows far larger than any screen.
void clampFirstWindowToScreens(QGuiApplication &app);

// The whole start-up of the program: --help, --version and unknown options, optional
// file logging, default surface format, application, QML engine with the bundle's import
// folder and the scene list's location, the root document, and the event loop. Returns
// the event loop's exit code, -1 when the root document fails, 0 after --help or
// --version and 2 for an unknown option.
int runApplication(int &argc, char **argv, const QString &rootUrl);

} // namespace joyvant
