#pragma once

#include <QString>

namespace joyvant {

// The whole start-up of the program: optional file logging, default surface format,
// application, QML engine with the bundle's import folder, the root document, and the
// event loop. Returns the event loop's exit code, -1 when the root document fails.
int runApplication(int &argc, char **argv, const QString &rootUrl);

} // namespace joyvant
