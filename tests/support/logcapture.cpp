#include "logcapture.h"

#include <QMetaObject>
#include <QPointer>

namespace {
QtMessageHandler g_previous = nullptr;
QPointer<LogCapture> g_capture;
} // namespace

LogCapture::LogCapture(QObject *parent)
    : QObject(parent)
{
    g_capture = this;
    g_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(g_previous);
}

QStringList LogCapture::messages() const
{
    return m_messages;
}

void LogCapture::clear()
{
    if (m_messages.isEmpty())
        return;
    m_messages.clear();
    emit messagesChanged();
}

QStringList LogCapture::matching(const QString &text) const
{
    return m_messages.filter(text);
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_capture) {
        // Messages from other threads are recorded on the capture's own thread.
        QMetaObject::invokeMethod(
            g_capture.data(),
            [message] {
                if (g_capture)
                    g_capture->record(message);
            },
            Qt::AutoConnection);
    }
    if (g_previous)
        g_previous(type, context, message);
}

void LogCapture::record(const QString &message)
{
    m_messages.append(message);
    emit messagesChanged();
}
