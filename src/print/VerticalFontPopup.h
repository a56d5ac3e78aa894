#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

class QComboBox;

namespace VerticalFontPopup {

// A face offered for vertical text: what the pop-up shows, and the
// "fontName" stored.
using Entry = QPair<QString, QString>;

// What an empty stored face becomes: the preferred face when listed, or the
// first face listed; else the standard font's family.
enum class EmptyFace { Preferred, FirstListed };

// Fills the pop-up with the faces and selects the one stored under the key.
// An empty value becomes the face chosen as above, written into the
// sub-record. A stored face no entry names (gone, or from another machine) is
// added and stays chosen until the user picks another.
void fill(QComboBox *popup, const QList<Entry> &fonts, QVariantMap &subRecord, const QString &key,
    EmptyFace emptyFace = EmptyFace::Preferred);

} // namespace VerticalFontPopup
