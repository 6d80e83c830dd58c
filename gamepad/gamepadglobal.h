#pragma once

#include <QtGlobal>

// The gamepad core is one shared library for the whole process, so every QML module
// that builds on it (QtGamepad, the diagnostics) sees the same backend and devices.
#if defined(JOYVANT_GAMEPAD_LIBRARY)
#define JOYVANT_GAMEPAD_EXPORT Q_DECL_EXPORT
#else
#define JOYVANT_GAMEPAD_EXPORT Q_DECL_IMPORT
#endif
