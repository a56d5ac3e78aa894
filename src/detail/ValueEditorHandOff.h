#pragma once

#include "editors/EditorEnding.h"
#include "model/ContactIdentifier.h"
#include "model/PersonRecord.h"
#include "platform/widgets/Popover.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class ValueEditor;
class ValueEditorHost;

// Opens the value editors on one value of a contact below a cell of the
// host's table, and applies an editor's result, through the host's delegate,
// when its popover has closed. The host holds one editor popover at a time:
// an opening while one is shown closes that one first, so its result is
// applied, and the new editor gets a popover of its own behaviour.
class ValueEditorHandOff : public QObject {
    Q_OBJECT

public:
    // What the index of an opening names: a value's own label index (the
    // detail views) or its position in the field's list (the merge editor).
    enum class IndexKind { LabelIndex, Position };

    explicit ValueEditorHandOff(
        ValueEditorHost *host, IndexKind indexKind = IndexKind::LabelIndex, QObject *parent = nullptr);
    ~ValueEditorHandOff() override;

    // -1 opens a new value where the editor takes one. The rectangle is in
    // the positioning view's viewport.
    void showMultiValuePopover(
        const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect);
    void showAddressPopover(
        const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect);
    void showIMSPopover(const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect);
    void showSNSPopover(const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect);
    // "Dates" or "Birthday"; any other type shows nothing.
    void showDatePopover(
        const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index, const QRect &rect);
    void showRenmeiPopover(const PersonRecordPtr &contact, const QRect &rect);

    // The editor popover now shown, or null.
    [[nodiscard]] Popover *popover() const { return m_popover; }
    // The editor in it, or null.
    [[nodiscard]] ValueEditor *editor() const;
    // Ends the editor shown, its result applied as after its Done; false
    // when its Done refused what was typed and it stays open.
    bool finishEditor(EditorEnding ending);

private:
    struct Opening;
    void show(ValueEditor *editor, const Opening &opening);
    void popoverDidClose(Popover *popover);
    // The value's label index in the context: the index itself, or the
    // label index of the value at that position (-1 for none).
    [[nodiscard]] qint64 labelIndexOf(
        const PersonRecordPtr &contact, const ContactIdentifier &type, qint64 index) const;

    ValueEditorHost *m_host = nullptr;
    IndexKind m_indexKind = IndexKind::LabelIndex;
    QPointer<Popover> m_popover;
};
