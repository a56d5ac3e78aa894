#pragma once

#include <QThreadPool>

#include <type_traits>
#include <utility>

// Frees plain data (table rows, contacts and what they hold) on the global
// pool instead of the window's thread: a few hundred thousand records take
// tens of milliseconds to free, which the window would wait for. The value
// handed over must be the data's last holder on the window's thread, and
// nothing in it may belong to a thread (no QObject, no pixmap).
template <typename T> void releaseOnPool(T &&value)
{
    static_assert(!std::is_lvalue_reference_v<T>, "the value is handed over, not copied");
    QThreadPool::globalInstance()->start(
        [held = std::move(value)]() mutable { [[maybe_unused]] const std::decay_t<T> released = std::move(held); });
}
