#pragma once

#include "print/TextObject.h"

#include <QHash>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

// The fitted label blocks of the receivers drawn so far and what they were
// fitted for; a drawing with anything else fits them afresh.
struct LabelBlockCache {
    QVariantMap labelOptions;
    QString fontName;
    QString keishou;
    QSizeF labelSize;
    QHash<qsizetype, TextObject> blocks;
    // The receivers whose blocks are too large for their label even at the
    // readable size: they are cut at the label's edge.
    QSet<qsizetype> cut;

    [[nodiscard]] bool fits(
        const QVariantMap &options, const QString &font, const QString &honorific, const QSizeF &size) const
    {
        return labelOptions == options && fontName == font && keishou == honorific && labelSize == size;
    }
};
