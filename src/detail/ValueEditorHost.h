#pragma once

#include "model/PersonRecord.h"

#include <QFont>
#include <QSize>

class QAbstractItemView;
class ValueEditorDelegate;

// What the value-editor hand-off asks of the view that opens the editors:
// where they show, whether they open unlocked, and who takes their results.
class ValueEditorHost {
public:
    virtual ~ValueEditorHost() = default;

    // The table whose cell the editor shows below; a host of two tables
    // answers by the contact.
    [[nodiscard]] virtual QAbstractItemView *editorPositioningView(const PersonRecordPtr &contact) const = 0;
    [[nodiscard]] virtual bool editorEditState() const = 0;
    // Handed to the joint-names editor.
    [[nodiscard]] virtual QFont editorFont() const = 0;
    // The postal-address editor's size differs by host.
    [[nodiscard]] virtual QSize addressEditorSize() const = 0;
    // Takes the results; null drops them.
    [[nodiscard]] virtual ValueEditorDelegate *editorDelegate() = 0;
    // After a result changed the contact.
    virtual void valueEditorResultDidApply() = 0;
};
