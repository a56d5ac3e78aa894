#pragma once

#include "model/HagakiLayoutFields.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <memory>

// The saved postcard layout of one address of a contact. Layouts are shared:
// the preview, the contact record and the side store hold the same object.
struct HagakiLayoutRecord : HagakiLayoutFields {
    qint64 labelIndex = 0; // "labelIndex": the address this layout belongs to
    std::optional<QString> label; // "label": the address's label when the layout was made
    QString stringValue; // "stringValue": the layout's text form

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static HagakiLayoutRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const HagakiLayoutRecord &) const = default;
};

using HagakiLayoutRecordPtr = std::shared_ptr<HagakiLayoutRecord>;
using HagakiLayoutList = QList<HagakiLayoutRecordPtr>;
