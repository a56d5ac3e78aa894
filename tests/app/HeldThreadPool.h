#pragma once

#include <QSemaphore>
#include <QThreadPool>

// Keeps the global pool's jobs waiting: its one thread is held until
// release(), so that a test acts on a progress window before the job behind
// it has run. Gives the pool back as it found it.
class HeldThreadPool {
public:
    HeldThreadPool()
        : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool::globalInstance()->waitForDone();
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        QThreadPool::globalInstance()->start([gate = &m_gate] { gate->acquire(); });
    }
    ~HeldThreadPool()
    {
        release();
        QThreadPool::globalInstance()->waitForDone();
        QThreadPool::globalInstance()->setMaxThreadCount(m_threads);
    }
    HeldThreadPool(const HeldThreadPool &) = delete;
    HeldThreadPool &operator=(const HeldThreadPool &) = delete;

    void release()
    {
        if (!m_released)
            m_gate.release();
        m_released = true;
    }

private:
    QSemaphore m_gate;
    int m_threads = 0;
    bool m_released = false;
};
