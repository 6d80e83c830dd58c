#pragma once

#include <QString>
#include <QtGlobal>

namespace joyvant {

// Message handler that appends every message as one line to
// <working directory>/log/gamepad.log: "(yyyy-MM-dd hh:mm:ss ) message" + CR LF.
// Safe to call from any thread; the file is opened, written, flushed and closed
// for each message, so a line is on disk when the logging call returns.
// Only a regular file (or a link that leads to one) is written, or created where there is
// none; a pipe, socket or device is refused without waiting. When the file cannot take a
// line (no log folder, a file where the folder should be, a full disk) the program goes
// on: the reason is written once on standard error, and the lines the file could not take
// go to standard error instead, until the file takes one again.
void fileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Makes sure the folder named by `path` exists, creating missing folders from the
// outermost down, and returns the path. Expects '/' separators.
QString createPath(const QString &path);

} // namespace joyvant
