#pragma once

#include "gamepadglobal.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace joyvant {

// Controller mappings in SDL's text format, one per line:
//
//     <GUID>,<name>,<control>:<source>,...,platform:<platform>,
//
// with the GUID of the joystick (32 hexadecimal digits, or SDL's reserved "xinput" and
// "default"), any name, and bindings such as "a:b0", "leftx:a0", "dpup:h0.1",
// "+lefty:-a1", "righttrigger:a5~" or "guide:" (left unmapped). SDL also reads the
// fields "platform:", "crc:", "hint:", "sdk>=:" and "sdk<=:", in any place. The user's
// own mappings live in one file that is loaded at start; SDL takes only those lines of
// such a file that name the current platform (a line that names none is taken as the
// current platform's, as saveMapping() writes it).
namespace gamepadmappings {

// The largest mapping file that is read: SDL's community database is about 0.6 MiB.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// <generic config folder>/joyvant/gamecontrollerdb.txt: $XDG_CONFIG_HOME (or
// ~/.config) on Linux, the local application data folder on Windows.
JOYVANT_GAMEPAD_EXPORT QString userFile();

// Empty when `mapping` is one mapping that SDL 2.26 takes and maps as written; otherwise
// what is wrong with it. Leading and trailing white space is ignored.
JOYVANT_GAMEPAD_EXPORT QString check(const QString &mapping);

// The lines of a mapping file: comments ("#") and blank lines are passed over, a line
// may end in CR LF.
struct FileLine
{
    int number = 0; // from 1
    QByteArray text; // without the line break
    QString error; // why the line is not a mapping; empty for a good one
};
JOYVANT_GAMEPAD_EXPORT QVector<FileLine> parseFile(const QByteArray &text);

// `mapping` as SDL's matching expects it. SDL puts a checksum of the joystick's name in
// bytes 2-3 of the GUIDs it makes and prints, but matches mappings on the GUID without
// it, with the checksum in a "crc" field; for joysticks without vendor and product ids
// SDL 2.26 does not move it there itself, so a mapping made from the GUID it prints
// would never match. This moves it the way SDL does for the other GUIDs.
JOYVANT_GAMEPAD_EXPORT QString forSdl(const QString &mapping);

// `mapping` as it is stored: trimmed, naming the current platform when it names none
// (SDL's file loader skips lines without one), and ending in a comma.
JOYVANT_GAMEPAD_EXPORT QString normalized(const QString &mapping);

// The part of a mapping's GUID that SDL compares when it looks for a joystick's
// mapping: bus, vendor and product (or the start of the name), without the name
// checksum, version and driver bytes. A joystick's mapping can only be among the
// mappings with its key. Empty for "xinput" and "default", which SDL applies by rule.
JOYVANT_GAMEPAD_EXPORT QByteArray matchKey(const QByteArray &guid);

// Reads the file at `path` into `text`. Only a regular file is read (a symbolic link to
// one is followed), of at most MaxFileSize bytes; opening never waits on a named pipe.
// Empty on success; `*exists` says whether there was a file at all (nothing there is
// no error).
JOYVANT_GAMEPAD_EXPORT QString readFile(const QString &path, QByteArray *text, bool *exists);

// Replaces the contents of the file at `path` with `data` so that no failure can lose
// the old contents: written to a new file beside it, synced and renamed over it. A
// symbolic link is followed to the regular file it leads to (or to where that would be
// created); anything else there (a folder, a pipe, a device) is refused. The file keeps
// its permissions. Empty on success, otherwise the error, and the file is as it was.
JOYVANT_GAMEPAD_EXPORT QString writeFile(const QString &path, const QByteArray &data);

// Writes `mapping` into the mapping file `path`, in place of the good lines for the same
// GUID and platform; every other line stays as it was, malformed ones too. Creates the
// file and its folder when needed. Saves from several processes at once are serialised
// by a lock file beside the mapping file. Empty on success, otherwise the error; the
// file is unchanged then.
JOYVANT_GAMEPAD_EXPORT QString save(const QString &mapping, const QString &path);

} // namespace gamepadmappings
} // namespace joyvant
