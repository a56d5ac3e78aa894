#pragma once

#include "app/ProgressJob.h"

#include <QSemaphore>
#include <QThreadPool>

// Keeps the progress jobs waiting: the one thread of their pool is held until
// release(), so that a test acts on a progress window before the job behind
// it has run. The global pool, which the window's painting hands parts of a
// large fill to and waits for, keeps its threads. Gives the jobs' pool back
// as it found it.
class HeldThreadPool {
public:
    HeldThreadPool()
        : m_threads(ProgressJob::threadPool().maxThreadCount())
    {
        ProgressJob::threadPool().waitForDone();
        ProgressJob::threadPool().setMaxThreadCount(1);
        ProgressJob::threadPool().start([gate = &m_gate] { gate->acquire(); });
    }
    ~HeldThreadPool()
    {
        release();
        ProgressJob::threadPool().waitForDone();
        ProgressJob::threadPool().setMaxThreadCount(m_threads);
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
