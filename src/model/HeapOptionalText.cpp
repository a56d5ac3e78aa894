#include "model/HeapOptionalText.h"

const QString *HeapOptionalText::nullText() noexcept
{
    static const QString null;
    return &null;
}

const QString *HeapOptionalText::emptyText() noexcept
{
    // Not null: an empty literal, whose characters are static.
    static const QString empty = QStringLiteral("");
    return &empty;
}
