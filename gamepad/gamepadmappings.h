#pragma once

#include "gamepadglobal.h"

#include <QByteArray>
#include <QString>

namespace joyvant {

// Controller mappings in SDL's text format, one per line:
//
//     <GUID>,<name>,<control>:<source>,...,platform:<platform>,
//
// with the GUID of the joystick (32 hexadecimal digits), any name, and bindings such as
// "a:b0", "leftx:a0", "dpup:h0.1", "+lefty:-a1" or "righttrigger:a5~". The user's own
// mappings live in one file that SDL's loader reads at start; SDL takes only those lines
// of such a file that name the current platform.
namespace gamepadmappings {

// <generic config folder>/joyvant/gamecontrollerdb.txt: $XDG_CONFIG_HOME (or
// ~/.config) on Linux, the local application data folder on Windows.
JOYVANT_GAMEPAD_EXPORT QString userFile();

// Empty when `mapping` is one well-formed mapping; otherwise what is wrong with it.
JOYVANT_GAMEPAD_EXPORT QString check(const QString &mapping);

// Empty when every line of `text` is a well-formed mapping, a comment ("#") or blank;
// otherwise the first fault, with its line number.
JOYVANT_GAMEPAD_EXPORT QString checkFile(const QByteArray &text);

// `mapping` as SDL's matching expects it. SDL puts a checksum of the joystick's name in
// bytes 2-3 of the GUIDs it makes and prints, but matches mappings on the GUID without
// it, with the checksum in a "crc" field; for joysticks without vendor and product ids
// SDL 2.26 does not move it there itself, so a mapping made from the GUID it prints
// would never match. This moves it the way SDL does for the other GUIDs.
JOYVANT_GAMEPAD_EXPORT QString forSdl(const QString &mapping);

// `mapping` as it is stored: trimmed, naming the current platform when it names none
// (SDL's file loader skips lines without one), and ending in a comma.
JOYVANT_GAMEPAD_EXPORT QString normalized(const QString &mapping);

// Writes `mapping` into the mapping file `path`, in place of the lines for the same GUID
// and platform; every other line stays as it was. Creates the file and its folder when
// needed. Empty on success, otherwise the error; the file is unchanged then.
JOYVANT_GAMEPAD_EXPORT QString save(const QString &mapping, const QString &path);

} // namespace gamepadmappings
} // namespace joyvant
