#pragma once

#include <QObject>
#include <QStringList>

// Test support: records every message the process logs (console.log/debug/info/warn in
// QML, qDebug and friends in C++) while passing it on to the previous handler, so QML
// tests can check the program's log lines. Registered as the singleton LogCapture in
// "JoyvantTest.Log 1.0" by the QML test runner.
class LogCapture : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList messages READ messages NOTIFY messagesChanged)

public:
    explicit LogCapture(QObject *parent = nullptr);
    ~LogCapture() override;

    QStringList messages() const;

    Q_INVOKABLE void clear();
    // Messages recorded so far that contain `text`.
    Q_INVOKABLE QStringList matching(const QString &text) const;

signals:
    void messagesChanged();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
    void record(const QString &message);

    QStringList m_messages;
};
