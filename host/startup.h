#pragma once

#include <QString>
#include <QSurfaceFormat>
#include <QUrl>

namespace joyvant {

// The graphics surface the program renders with: OpenGL 3.3, core profile. Tests and
// tools that compile the program's shaders use it too.
QSurfaceFormat programSurfaceFormat();

// Where the scene list is read from: scenes.json in the working directory if there is
// one, else the one beside the program (the installed list). Handed to the interface as
// the context property joyvantSceneList.
QUrl sceneListUrl(const QString &workingDirectory, const QString &programDirectory);

// The whole start-up of the program: --help, --version and unknown options, optional
// file logging, default surface format, application, QML engine with the bundle's import
// folder and the scene list's location, the root document, and the event loop. Returns
// the event loop's exit code, -1 when the root document fails, 0 after --help or
// --version and 2 for an unknown option.
int runApplication(int &argc, char **argv, const QString &rootUrl);

} // namespace joyvant
