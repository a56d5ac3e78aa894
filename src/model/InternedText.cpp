#include "model/InternedText.h"

#include <mutex>
#include <set>

const QString *InternedText::intern(const QString &text)
{
    if (text.isNull())
        return nullptr;
    // Records are made in runs that all take the same text.
    thread_local const QString *last = nullptr;
    if (last && *last == text)
        return last;
    static std::mutex mutex;
    static std::set<QString> texts;
    const std::lock_guard lock(mutex);
    last = &*texts.insert(text).first;
    return last;
}

const QString &InternedText::nullText()
{
    static const QString null;
    return null;
}
