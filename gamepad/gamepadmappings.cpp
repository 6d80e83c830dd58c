#include "gamepadmappings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace joyvant {
namespace gamepadmappings {

namespace {

const QString PlatformKey = QStringLiteral("platform");
// SDL copies each colon-separated part of a field into a buffer of 20 characters and
// stops reading the mapping at a part that does not fit (with its terminator).
constexpr int LongestPart = 19;
// How long a save waits for another process's save to finish.
constexpr int LockWaitMs = 10000;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

using View = std::string_view;

QString text(View view)
{
    return QString::fromUtf8(view.data(), int(view.size()));
}

QString quoted(View view)
{
    return QLatin1Char('"') + text(view) + QLatin1Char('"');
}

View trimmed(View view)
{
    const auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!view.empty() && space(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && space(view.back()))
        view.remove_suffix(1);
    return view;
}

bool sameText(View a, View b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

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
    for (int i = 2; i < fields.size(); ++i) {
        const QString trimmed = fields.at(i).trimmed();
        if (trimmed.startsWith(PlatformKey + QLatin1Char(':')))
            return trimmed.mid(PlatformKey.size() + 1).trimmed().toLower();
    }
    return QString();
}

bool isComment(const QByteArray &trimmed)
{
    return trimmed.isEmpty() || trimmed.startsWith('#');
}

bool isHex(View text)
{
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return !text.empty();
}

// A joystick index as SDL reads it: decimal digits only (SDL would read "b1x" as b1),
// short enough for an int.
bool isIndex(View text)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "[!]NAME[:=default]", as SDL reads a hint field.
bool isHint(View text)
{
    if (!text.empty() && text.front() == '!')
        text.remove_prefix(1);
    const size_t end = text.find(":=");
    const View name = text.substr(0, end);
    if (name.empty())
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return end == View::npos || isIndex(text.substr(end + 2));
}

enum class Control { None, Button, Axis, Trigger };

// SDL's own names, matched without regard to case as SDL matches them.
Control controlOf(View name)
{
    static const std::vector<std::pair<std::string, Control>> controls = [] {
        std::vector<std::pair<std::string, Control>> table;
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
            if (const char *text = SDL_GameControllerGetStringForButton(SDL_GameControllerButton(b)))
                table.emplace_back(text, Control::Button);
        }
        for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
            const bool trigger = a == SDL_CONTROLLER_AXIS_TRIGGERLEFT || a == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
            if (const char *text = SDL_GameControllerGetStringForAxis(SDL_GameControllerAxis(a)))
                table.emplace_back(text, trigger ? Control::Trigger : Control::Axis);
        }
        return table;
    }();
    for (const auto &control : controls) {
        if (sameText(control.first, name))
            return control.second;
    }
    return Control::None;
}

// The source of a binding: a joystick button, axis or hat as SDL reads them, and only
// those that SDL reads as written; SDL ignores what follows the number ("b1x"), a sign
// or "~" on a button or hat, and reads only one digit of a hat number.
QString checkSource(View source, View key)
{
    const auto where = [source, key] { return QStringLiteral("%1 (for %2)").arg(quoted(source), text(key)); };
    if (source.size() > LongestPart)
        return QStringLiteral("%1 is longer than the %2 characters SDL reads").arg(where()).arg(LongestPart);
    View rest = source;
    const bool half = !rest.empty() && (rest.front() == '+' || rest.front() == '-');
    if (half)
        rest.remove_prefix(1);
    const bool inverted = !rest.empty() && rest.back() == '~';
    if (inverted)
        rest.remove_suffix(1);
    const char kind = rest.empty() ? '\0' : rest.front();
    rest = rest.substr(rest.empty() ? 0 : 1);
    if (kind == 'a' && isIndex(rest))
        return QString();
    const size_t dot = rest.find('.');
    const bool hat = kind == 'h' && dot != View::npos && isIndex(rest.substr(0, dot)) && isIndex(rest.substr(dot + 1));
    if ((kind == 'b' && isIndex(rest)) || hat) {
        if (half || inverted)
            return QStringLiteral("%1: +, - and ~ apply to axes only").arg(where());
        if (!hat)
            return QString();
        if (dot != 1)
            return QStringLiteral("%1: SDL reads hats h0 to h9 only").arg(where());
        const View direction = rest.substr(dot + 1);
        if (direction != "1" && direction != "2" && direction != "4" && direction != "8")
            return QStringLiteral("%1: a hat direction is 1 (up), 2 (right), 4 (down) or 8 (left)").arg(where());
        return QString();
    }
    return QStringLiteral("%1 is not a joystick button (b0), axis (a0, +a0, -a0, a0~) or hat (h0.1)").arg(where());
}

// A C0 or C1 control character, DEL included, in UTF-8; -1 when there is none.
int controlCharacter(const QByteArray &line)
{
    for (int i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line.at(i));
        if (c < 0x20 || c == 0x7f)
            return c;
        if (c == 0xc2 && i + 1 < line.size()) {
            const auto next = static_cast<unsigned char>(line.at(i + 1));
            if (next >= 0x80 && next <= 0x9f)
                return next;
        }
    }
    return -1;
}

// What SDL 2.26 does with a mapping, and where this differs on purpose:
// - SDL takes a line of GUID, name and any number of fields. It drops a binding it
//   cannot read without a word and keeps the rest; such a line is refused here, since
//   the control would silently do nothing (or something else: "b1x" is b1, "+b3" is b3,
//   "h10.1" is dropped, "h0.3" fires on up and on right).
// - An empty binding ("guide:") is how SDL's database leaves a control unmapped; empty
//   fields are passed over. Spaces inside a field are dropped, as SDL drops them.
// - SDL stops reading at a field part longer than 19 characters (a long "hint:" is
//   one): the bindings after it would be lost, so that is refused; extra fields after it
//   are fine, since SDL finds those by searching the whole line.
// - SDL searches the whole line for "platform:" and "hint:", so a name that holds them
//   would be read as those fields; refused, as is a second platform, crc or hint field.
// - Control characters are refused although SDL would keep most of them in a name: a
//   NUL cuts the mapping short, CR and LF split the file's line, and a tab in a
//   binding makes SDL drop it.
// - A mapping that binds nothing is refused: SDL would make the joystick a game
//   controller whose every control is dead.
QString checkLine(const QByteArray &bytes)
{
    const View line(bytes.constData(), size_t(bytes.size()));
    if (line.empty())
        return QStringLiteral("the mapping is empty");
    const int control = controlCharacter(bytes);
    if (control == '\n' || control == '\r')
        return QStringLiteral("a mapping is a single line");
    if (control == 0)
        return QStringLiteral("the mapping holds a NUL character");
    if (control > 0)
        return QStringLiteral("the mapping holds the control character U+%1").arg(control, 4, 16, QLatin1Char('0'));
    const size_t nameStart = line.find(',') + 1;
    const size_t nameEnd = nameStart == 0 ? View::npos : line.find(',', nameStart);
    if (nameEnd == View::npos)
        return QStringLiteral("a mapping needs a GUID, a name and at least one binding, separated by commas");

    const View guid = line.substr(0, nameStart - 1);
    if (!(guid.size() == 32 && isHex(guid)) && !sameText(guid, "xinput") && !sameText(guid, "default"))
        return QStringLiteral("%1 is not a GUID of 32 hexadecimal digits").arg(quoted(guid));
    const View name = line.substr(nameStart, nameEnd - nameStart);
    for (const char *field : {"platform:", "hint:", "sdk>=:", "sdk<=:"}) {
        if (name.find(field) != View::npos)
            return QStringLiteral("the name holds \"%1\", which SDL would read as a field").arg(QLatin1String(field));
    }

    int bindings = 0;
    std::string stoppedText; // the field SDL stops reading at
    const View extraKeys[] = {"platform", "crc", "hint", "sdk>=", "sdk<="};
    bool seen[std::size(extraKeys)] = {};
    std::string compact;
    for (size_t start = nameEnd + 1; start <= line.size();) {
        size_t end = line.find(',', start);
        if (end == View::npos)
            end = line.size();
        const View raw = line.substr(start, end - start);
        start = end + 1;
        View field = raw;
        if (raw.find(' ') != View::npos) {
            compact.assign(raw);
            compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
            field = compact;
        }
        if (field.empty())
            continue;
        const size_t colon = field.find(':');
        if (colon == 0 || colon == View::npos)
            return QStringLiteral("%1 is not of the form control:source").arg(quoted(trimmed(raw)));
        const View key = field.substr(0, colon);
        const View value = field.substr(colon + 1);
        bool tooLong = key.size() > size_t(LongestPart);
        for (size_t part = 0, partEnd = 0; !tooLong && part <= value.size(); part = partEnd + 1) {
            partEnd = value.find(':', part);
            if (partEnd == View::npos)
                partEnd = value.size();
            tooLong = partEnd - part > size_t(LongestPart);
        }

        const auto extra = std::find(std::begin(extraKeys), std::end(extraKeys), key);
        if (extra != std::end(extraKeys)) {
            // SDL finds these by searching the line for "platform:" and the like, and
            // its file loader compares the platform up to the comma.
            const View written = trimmed(raw);
            const View writtenValue = raw.substr(raw.find(':') + 1);
            if (written.substr(0, key.size() + 1) != std::string(key) + ':'
                || (key == "platform" ? writtenValue != trimmed(writtenValue) : written.find(' ') != View::npos))
                return QStringLiteral("%1: SDL reads this field only without spaces around its parts")
                    .arg(quoted(written));
            bool &already = seen[extra - std::begin(extraKeys)];
            if (already)
                return QStringLiteral("the mapping has more than one %1 field").arg(text(key));
            already = true;
            if (key == "platform" && value.empty())
                return QStringLiteral("the platform field names no platform");
            if (key == "crc" && !(value.size() <= 4 && isHex(value)))
                return QStringLiteral("%1 is not a checksum of up to four hexadecimal digits").arg(quoted(value));
            if (key == "hint" && !isHint(value))
                return QStringLiteral("%1 is not a hint of the form [!]NAME[:=default]").arg(quoted(value));
            if (key.substr(0, 3) == "sdk" && !isIndex(value))
                return QStringLiteral("%1 is not an Android SDK version").arg(quoted(value));
            if (tooLong && stoppedText.empty())
                stoppedText = std::string(trimmed(raw));
            continue;
        }

        if (value.find(':') != View::npos)
            return QStringLiteral("%1 has more than one colon").arg(quoted(trimmed(raw)));
        const char sign = key.front() == '+' || key.front() == '-' ? key.front() : '\0';
        const Control kind = controlOf(sign ? key.substr(1) : key);
        if (kind == Control::None)
            return QStringLiteral("%1 is not a game-controller button or axis").arg(quoted(key));
        if (sign && kind == Control::Button)
            return QStringLiteral("%1: only an axis has halves (+ or -)").arg(quoted(key));
        if (sign == '-' && kind == Control::Trigger)
            return QStringLiteral("%1: a trigger has no negative half").arg(quoted(key));
        if (value.empty())
            continue; // left unmapped
        const QString error = checkSource(value, key);
        if (!error.isEmpty())
            return error;
        if (!stoppedText.empty())
            return QStringLiteral("SDL stops reading the mapping at %1 (a part longer than %2 characters), so %3 "
                                  "would be lost: put it before that field")
                .arg(quoted(stoppedText))
                .arg(LongestPart)
                .arg(quoted(trimmed(raw)));
        ++bindings;
    }
    if (bindings == 0)
        return QStringLiteral("the mapping binds no control");
    return QString();
}

#ifdef Q_OS_UNIX
QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a plain file");
}

// Where writing `path` ends up: symbolic links followed to a regular file or to nothing.
// Empty on success, with `*existing` the file's status when there is one (st_mode 0
// when there is none).
QString resolveTarget(const QString &path, QString *target, struct stat *existing)
{
    constexpr int MaxLinks = 40; // as Linux allows
    QString current = QFileInfo(path).absoluteFilePath();
    for (int links = 0;; ++links) {
        const QByteArray name = QFile::encodeName(current);
        if (::lstat(name.constData(), existing) != 0) {
            if (errno != ENOENT)
                return QStringLiteral("cannot write %1: %2").arg(native(current), systemError());
            existing->st_mode = 0;
            break;
        }
        if (!S_ISLNK(existing->st_mode)) {
            if (!S_ISREG(existing->st_mode))
                return QStringLiteral("%1 is %2, not a regular file").arg(native(current), kindOf(existing->st_mode));
            break;
        }
        if (links == MaxLinks)
            return QStringLiteral("%1 leads through too many symbolic links (a loop?)").arg(native(path));
        QByteArray link(4096, '\0');
        const ssize_t size = ::readlink(name.constData(), link.data(), size_t(link.size()));
        if (size < 0 || size >= link.size())
            return QStringLiteral("cannot follow the link %1: %2").arg(native(current), systemError());
        link.truncate(int(size));
        const QString to = QFile::decodeName(link);
        current = QDir::isAbsolutePath(to) ? to : QFileInfo(current).absolutePath() + QLatin1Char('/') + to;
    }
    *target = current;
    return QString();
}

bool writeAll(int fd, const QByteArray &data)
{
    qint64 written = 0;
    while (written < data.size()) {
        const ssize_t count = ::write(fd, data.constData() + written, size_t(data.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = EIO;
            return false;
        }
        written += count;
    }
    return true;
}
#endif

} // namespace

QString userFile()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("joyvant/gamecontrollerdb.txt"));
}

QString check(const QString &mapping)
{
    return checkLine(mapping.trimmed().toUtf8());
}

QVector<FileLine> parseFile(const QByteArray &text)
{
    QVector<FileLine> lines;
    int number = 0;
    for (int start = 0; start < text.size();) {
        int end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        ++number;
        const QByteArray line = text.mid(start, end - start).trimmed();
        start = end + 1;
        if (isComment(line))
            continue;
        FileLine entry;
        entry.number = number;
        entry.text = line;
        entry.error = checkLine(line);
        lines.append(entry);
    }
    return lines;
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

QByteArray matchKey(const QByteArray &guid)
{
    if (guid.size() != 32 || !isHex(View(guid.constData(), size_t(guid.size()))))
        return QByteArray();
    QByteArray key = guid.toLower();
    bool ok = false;
    const uint bus = key.mid(0, 2).toUInt(&ok, 16) | key.mid(2, 2).toUInt(&ok, 16) << 8;
    // A GUID of SDL's older forms, which SDL converts on some platforms.
    if (bus >= 0x20 && bus != 0xff)
        return QByteArray();
    key.replace(4, 4, "0000"); // name checksum
    key.replace(24, 8, "00000000"); // version, driver signature and data
    return key;
}

QString readFile(const QString &path, QByteArray *text, bool *exists)
{
    text->clear();
    *exists = false;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    // Look before opening: opening a pipe or a device can wait or act.
    if (::stat(name.constData(), &status) != 0) {
        if (errno == ENOENT)
            return QString();
        *exists = true;
        return QStringLiteral("cannot read %1: %2").arg(native(path), systemError());
    }
    *exists = true;
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("%1 is %2, not a regular file").arg(native(path), kindOf(status.st_mode));
    // It may have been replaced since: open without waiting and look again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return QStringLiteral("cannot read %1: %2").arg(native(path), systemError());
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer {fd};
    if (::fstat(fd, &status) != 0)
        return QStringLiteral("cannot read %1: %2").arg(native(path), systemError());
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("%1 is %2, not a regular file").arg(native(path), kindOf(status.st_mode));
    const auto tooLarge = [&path] {
        return QStringLiteral("%1 is larger than the %2 MiB a mapping file may have")
            .arg(native(path))
            .arg(MaxFileSize / (1024 * 1024));
    };
    if (status.st_size > MaxFileSize)
        return tooLarge();
    QByteArray data(int(status.st_size) + 1, Qt::Uninitialized);
    qint64 size = 0;
    for (;;) {
        if (size == data.size()) {
            if (size > MaxFileSize)
                return tooLarge();
            data.resize(int(qMin<qint64>(size * 2, MaxFileSize + 1)));
        }
        const ssize_t count = ::read(fd, data.data() + size, size_t(data.size() - size));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return QStringLiteral("cannot read %1: %2").arg(native(path), systemError());
        if (count == 0)
            break;
        size += count;
    }
    if (size > MaxFileSize)
        return tooLarge();
    data.truncate(int(size));
    *text = data;
    return QString();
#else
    QFileInfo info(path);
    if (!info.exists())
        return QString();
    *exists = true;
    if (!info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(native(path));
    if (info.size() > MaxFileSize)
        return QStringLiteral("%1 is larger than the %2 MiB a mapping file may have")
            .arg(native(path))
            .arg(MaxFileSize / (1024 * 1024));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(native(path), file.errorString());
    *text = file.read(MaxFileSize + 1);
    if (text->size() > MaxFileSize) {
        text->clear();
        return QStringLiteral("%1 is larger than the %2 MiB a mapping file may have")
            .arg(native(path))
            .arg(MaxFileSize / (1024 * 1024));
    }
    return QString();
#endif
}

QString writeFile(const QString &path, const QByteArray &data)
{
#ifdef Q_OS_UNIX
    QString target;
    struct stat existing;
    const QString error = resolveTarget(path, &target, &existing);
    if (!error.isEmpty())
        return error;
    const QFileInfo info(target);
    if (existing.st_mode == 0 && !QDir().mkpath(info.absolutePath()))
        return QStringLiteral("cannot create the folder %1").arg(native(info.absolutePath()));

    // A new file beside the target, so that the rename replaces it in one step.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = QFile::encodeName(
            info.absolutePath() + QStringLiteral("/.") + info.fileName()
            + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const mode_t mode = existing.st_mode ? (existing.st_mode & 07777) : 0666;
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return QStringLiteral("cannot write %1: %2").arg(native(target), systemError());
    const bool written = (existing.st_mode == 0 || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, data)
        && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        if (!written)
            errno = writeErrno;
        const QString reason = systemError();
        ::unlink(temporary.constData());
        return QStringLiteral("cannot write %1: %2").arg(native(target), reason);
    }
    // Make the rename itself durable; a folder that cannot be synced is no failure.
    const int folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return QString();
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(native(path));
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("cannot create the folder %1").arg(native(info.absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(native(path), file.errorString());
    return QString();
#endif
}

QString save(const QString &mapping, const QString &path)
{
    const QString error = check(mapping);
    if (!error.isEmpty())
        return error;
    const QString line = normalized(mapping);
    const QString guid = guidOf(line);
    const QString platform = platformOf(line);

    QString target = path;
#ifdef Q_OS_UNIX
    struct stat existing;
    const QString targetError = resolveTarget(path, &target, &existing);
    if (!targetError.isEmpty())
        return targetError;
#endif
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(native(folder));
    // Another process saving at the same time would otherwise write the file as it read
    // it before this save, and one of the two mappings would be lost.
    QLockFile lock(target + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return QStringLiteral("%1 is being saved by another program").arg(native(path));
        return QStringLiteral("cannot create the lock file %1").arg(native(target + QStringLiteral(".lock")));
    }

    QByteArray text;
    bool exists = false;
    const QString readError = readFile(target, &text, &exists);
    if (!readError.isEmpty())
        return readError;
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    // A file with CR LF line ends keeps them.
    const QByteArray lineEnd = !lines.isEmpty() && lines.first().endsWith('\r') ? "\r" : "";

    // Replace the first good line for this device and platform; a later one would
    // override it when SDL loads the file, so it goes. Lines that are not good mappings
    // belong to the user and stay as they are.
    bool placed = false;
    for (int i = 0; i < lines.size();) {
        const QByteArray trimmed = lines.at(i).trimmed();
        if (!isComment(trimmed) && checkLine(trimmed).isEmpty()) {
            const QString each = QString::fromUtf8(trimmed);
            if (guidOf(each) == guid && platformOf(each) == platform) {
                if (placed) {
                    lines.removeAt(i);
                    continue;
                }
                lines[i] = line.toUtf8() + lineEnd;
                placed = true;
            }
        }
        ++i;
    }
    if (!placed)
        lines.append(line.toUtf8() + lineEnd);
    QByteArray data = lines.join('\n');
    data += '\n';
    return writeFile(target, data);
}

} // namespace gamepadmappings
} // namespace joyvant
