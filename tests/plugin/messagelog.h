#pragma once

// Collects the messages written through Qt's message handler while it is alive.

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

class MessageLog
{
public:
    MessageLog()
    {
        QMutexLocker lock(&mutex());
        current() = this;
        m_previous = qInstallMessageHandler(&MessageLog::handle);
    }

    ~MessageLog()
    {
        QMutexLocker lock(&mutex());
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }

    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&mutex());
        return m_messages;
    }

    QStringList matching(const QString &prefix) const
    {
        QStringList found;
        for (const QString &message : messages()) {
            if (message.startsWith(prefix))
                found.append(message);
        }
        return found;
    }

    void clear()
    {
        QMutexLocker lock(&mutex());
        m_messages.clear();
    }

private:
    static QMutex &mutex()
    {
        static QMutex lock;
        return lock;
    }

    static MessageLog *&current()
    {
        static MessageLog *log = nullptr;
        return log;
    }

    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        QMutexLocker lock(&mutex());
        if (current())
            current()->m_messages.append(message);
    }

    QtMessageHandler m_previous = nullptr;
    QStringList m_messages;
};
