#pragma once

#include <QString>
#include <QtGlobal>

namespace joyvant {

// Message handler that appends every message as one line to
// <working directory>/log/gamepad.log: "(yyyy-MM-dd hh:mm:ss ) message" + CR LF.
// Safe to call from any thread; the file is opened, written, flushed and closed
// for each message, so a line is on disk when the logging call returns.
void fileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Makes sure the folder named by `path` exists, creating missing folders from the
// outermost down, and returns the path. Expects '/' separators.
QString createPath(const QString &path);

} // namespace joyvant
