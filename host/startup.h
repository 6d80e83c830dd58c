#pragma once

#include <QString>
#include <QSurfaceFormat>

namespace joyvant {

// The graphics surface the program renders with: OpenGL 3.3, core profile. Tests and
// tools that compile the program's shaders use it too.
QSurfaceFormat programSurfaceFormat();

// The whole start-up of the program: optional file logging, default surface format,
// application, QML engine with the bundle's import folder, the root document, and the
// event loop. Returns the event loop's exit code, -1 when the root document fails.
int runApplication(int &argc, char **argv, const QString &rootUrl);

} // namespace joyvant
