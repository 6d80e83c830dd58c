#pragma once
// Test support: lets go of code under test that blocks on opening a named pipe.

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// Lets go of anything that waits to open a named pipe for reading: after a time-out
// it opens the pipe for writing again and again until it is destroyed, so code under
// test that blocks on the pipe makes the test fail instead of hanging it.
class PipeWatchdog
{
public:
    PipeWatchdog(const QString &path, std::chrono::milliseconds timeout)
        : m_path(QFile::encodeName(path))
        , m_thread([this, timeout] { run(timeout); })
    {
    }
    ~PipeWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_one();
        m_thread.join();
    }
    PipeWatchdog(const PipeWatchdog &) = delete;
    PipeWatchdog &operator=(const PipeWatchdog &) = delete;

    // True once a reader was found waiting on the pipe.
    bool readerWaited() const { return m_readerWaited; }

private:
    void run(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_finished.wait_for(lock, timeout, [this] { return m_done; }))
            return;
        while (!m_done) {
            // Succeeds only while a reader waits, and lets that reader go on.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_readerWaited = true;
                ::close(fd);
            }
            m_finished.wait_for(lock, std::chrono::milliseconds(20), [this] { return m_done; });
        }
    }

    const QByteArray m_path;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::atomic<bool> m_readerWaited {false};
    std::thread m_thread;
};
#endif
