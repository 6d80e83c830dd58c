#include "gamepadmappings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <SDL.h>

namespace joyvant {
namespace gamepadmappings {

namespace {

const QString PlatformKey = QStringLiteral("platform");

// Bus (bytes 0-1) and name checksum (bytes 2-3) of a GUID in SDL's forms, little endian.
bool guidChecksum(const QString &guid, quint16 *checksum)
{
    if (guid.size() != 32)
        return false;
    bool ok = true;
    const auto byte = [&guid, &ok](int index) {
        bool good = false;
        const uint value = guid.mid(index * 2, 2).toUInt(&good, 16);
        ok = ok && good;
        return value;
    };
    const uint bus = byte(0) | byte(1) << 8;
    const uint crc = byte(2) | byte(3) << 8;
    *checksum = quint16(crc);
    const uint virtualBus = 0xff; // SDL's virtual joysticks
    return ok && (bus < 0x20 || bus == virtualBus) && crc != 0;
}

// The GUID of a mapping, lower case and without SDL's name checksum.
QString guidOf(const QString &mapping)
{
    QString guid = mapping.section(QLatin1Char(','), 0, 0).trimmed().toLower();
    quint16 checksum = 0;
    if (guidChecksum(guid, &checksum))
        guid.replace(4, 4, QStringLiteral("0000"));
    return guid;
}

QString platformOf(const QString &mapping)
{
    const QStringList fields = mapping.split(QLatin1Char(','));
    for (const QString &field : fields) {
        const QString trimmed = field.trimmed();
        if (trimmed.startsWith(PlatformKey + QLatin1Char(':')))
            return trimmed.mid(PlatformKey.size() + 1).toLower();
    }
    return QString();
}

bool isComment(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'));
}

} // namespace

QString userFile()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("joyvant/gamecontrollerdb.txt"));
}

QString check(const QString &mapping)
{
    const QString line = mapping.trimmed();
    if (line.isEmpty())
        return QStringLiteral("the mapping is empty");
    if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
        return QStringLiteral("a mapping is a single line");
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() < 3)
        return QStringLiteral("a mapping needs a GUID, a name and at least one binding, separated by commas");

    static const QRegularExpression guidPattern(QStringLiteral("^[0-9a-fA-F]{32}$"));
    const QString guid = fields.at(0).trimmed();
    if (guid != QLatin1String("xinput") && !guidPattern.match(guid).hasMatch())
        return QStringLiteral("\"%1\" is not a GUID of 32 hexadecimal digits").arg(guid);
    if (fields.at(1).trimmed().isEmpty())
        return QStringLiteral("the mapping has no name");

    static const QRegularExpression sourcePattern(QStringLiteral("^(?:[+-]?a\\d+~?|b\\d+|h\\d+\\.\\d+)$"));
    static const QRegularExpression crcPattern(QStringLiteral("^[0-9a-fA-F]{1,4}$"));
    int bindings = 0;
    for (int i = 2; i < fields.size(); ++i) {
        const QString field = fields.at(i).trimmed();
        if (field.isEmpty()) {
            if (i == fields.size() - 1)
                continue; // the usual trailing comma
            return QStringLiteral("field %1 is empty").arg(i + 1);
        }
        const int colon = field.indexOf(QLatin1Char(':'));
        if (colon <= 0 || colon == field.size() - 1)
            return QStringLiteral("\"%1\" is not of the form control:source").arg(field);
        const QString key = field.left(colon);
        const QString value = field.mid(colon + 1);
        if (key == PlatformKey || key == QLatin1String("hint") || key == QLatin1String("sdk>=")
            || key == QLatin1String("sdk<="))
            continue;
        if (key == QLatin1String("crc")) {
            if (!crcPattern.match(value).hasMatch())
                return QStringLiteral("\"%1\" is not a checksum of up to four hexadecimal digits").arg(value);
            continue;
        }
        QString control = key;
        const bool half = control.startsWith(QLatin1Char('+')) || control.startsWith(QLatin1Char('-'));
        if (half)
            control.remove(0, 1);
        const QByteArray name = control.toLatin1();
        const bool isAxis = SDL_GameControllerGetAxisFromString(name.constData()) != SDL_CONTROLLER_AXIS_INVALID;
        const bool isButton
            = !half && SDL_GameControllerGetButtonFromString(name.constData()) != SDL_CONTROLLER_BUTTON_INVALID;
        if (!isAxis && !isButton)
            return QStringLiteral("\"%1\" is not a game-controller button or axis").arg(key);
        if (!sourcePattern.match(value).hasMatch())
            return QStringLiteral("\"%1\" (for %2) is not a joystick button (b0), axis (a0, +a0, -a0, a0~) or hat "
                                  "(h0.1)")
                .arg(value, key);
        ++bindings;
    }
    if (bindings == 0)
        return QStringLiteral("the mapping binds no control");
    return QString();
}

QString checkFile(const QByteArray &text)
{
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (isComment(lines.at(i)))
            continue;
        const QString error = check(lines.at(i));
        if (!error.isEmpty())
            return QStringLiteral("line %1: %2").arg(i + 1).arg(error);
    }
    return QString();
}

QString forSdl(const QString &mapping)
{
    QString line = mapping.trimmed();
    quint16 checksum = 0;
    if (!guidChecksum(line.left(32), &checksum))
        return line;
    line.replace(4, 4, QStringLiteral("0000"));
    if (!line.contains(QLatin1String(",crc:"))) {
        if (!line.endsWith(QLatin1Char(',')))
            line += QLatin1Char(',');
        line += QStringLiteral("crc:%1,").arg(checksum, 4, 16, QLatin1Char('0'));
    }
    return line;
}

QString normalized(const QString &mapping)
{
    QString line = mapping.trimmed();
    while (line.endsWith(QLatin1Char(',')))
        line.chop(1);
    if (platformOf(line).isEmpty())
        line += QStringLiteral(",platform:") + QString::fromUtf8(SDL_GetPlatform());
    return line + QLatin1Char(',');
}

QString save(const QString &mapping, const QString &path)
{
    const QString error = check(mapping);
    if (!error.isEmpty())
        return error;
    const QString line = normalized(mapping);
    const QString guid = guidOf(line);
    const QString platform = platformOf(line);

    QStringList lines;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(path), existing.errorString());
        lines = QString::fromUtf8(existing.readAll()).split(QLatin1Char('\n'));
        existing.close();
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast(); // the final line break
        for (QString &each : lines) {
            if (each.endsWith(QLatin1Char('\r')))
                each.chop(1);
        }
    }
    // Replace the first line for this device and platform; a later one would override it
    // when SDL loads the file, so it goes.
    bool placed = false;
    for (int i = 0; i < lines.size();) {
        const QString &each = lines.at(i);
        if (!isComment(each) && guidOf(each) == guid && platformOf(each) == platform) {
            if (placed) {
                lines.removeAt(i);
                continue;
            }
            lines[i] = line;
            placed = true;
        }
        ++i;
    }
    if (!placed)
        lines.append(line);

    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(info.absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!file.commit())
        return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

} // namespace gamepadmappings
} // namespace joyvant
