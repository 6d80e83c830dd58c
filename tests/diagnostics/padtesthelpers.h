#pragma once

// Helpers shared by the diagnostics tests: a virtual pad's GUID as SDL prints it, and
// whole-file reads and writes for mapping files.
#include "virtualgamepad.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

#include <SDL.h>

namespace joyvant {
namespace test {

inline QString guidOf(const VirtualGamepad &pad)
{
    char guid[33] = {};
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == pad.deviceId())
            SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof(guid));
    }
    return QString::fromLatin1(guid);
}

// Creates the folder as needed; a failure fails the test.
inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Empty when the file cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace test
} // namespace joyvant
