#include "HeldThreadPool.h"

#include "app/ProgressJob.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

// A fill large enough that the raster engine splits it over the global
// pool's threads and waits for them.
void paintLargeFill()
{
    QImage image(2400, 2400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 2400, 2400);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, Qt::darkBlue);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::black, 40));
    for (int x = 0; x < 2400; x += 100)
        painter.drawLine(x, 0, 2400 - x, 2400);
}

// While the jobs are held, painting still gets the threads it waits for,
// and a job started meanwhile waits until the hold is released. A hang is
// told apart from a slow paint by a deadline far above what the paint takes.
TEST(HeldThreadPool, HoldsTheJobsAndLeavesPaintingItsThreads)
{
    std::atomic<bool> jobRan = false;
    HeldThreadPool held;
    ProgressJob::threadPool().start([&jobRan] { jobRan = true; });
    const std::unique_ptr<QThread> painter(QThread::create(paintLargeFill));
    painter->start();
    const bool painted = painter->wait(QDeadlineTimer(60'000));
    EXPECT_TRUE(painted) << "the paint waits for a held thread";
    EXPECT_FALSE(jobRan.load());
    held.release();
    ASSERT_TRUE(painter->wait());
    ProgressJob::threadPool().waitForDone();
    EXPECT_TRUE(jobRan.load());
}

} // namespace
