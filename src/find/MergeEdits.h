#pragma once

#include "editors/ValueEditorDelegate.h"
#include "model/ContactRecord.h"
#include "model/PersonValue.h"

#include <QByteArray>

#include <functional>

class UndoManager;

// The merge sheet's own undoable operations on its working copies. Each
// registers its inverse on the sheet's undo manager (never the window's),
// changes the copy, and asks the sheet to redraw. None counts changes: the
// caller counts one per user action that changed something.
class MergeEdits : public ValueEditorDelegate {
public:
    MergeEdits(UndoManager *undoManager, std::function<void()> reload);

    // Whether the copy changed. An unchanged value of any kind, a value of
    // the wrong kind for the field, an address part, or a photo value that is
    // neither a picture nor nothing changes nothing and answers false.
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;
    void undoDeleteLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact);
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;
    // The photo as stored bytes (empty for none): a photo moved between the
    // copies, or brought back by undo, keeps the bytes it was read with.
    bool undoReplacePhotoData(const QByteArray &data, const QByteArray &thumbnail, const PersonRecordPtr &contact);

private:
    bool replaceLabeled(const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact);
    bool replacePhoto(const PersonValue &value, const PersonRecordPtr &contact);
    void registerPhoto(const PersonRecordPtr &contact);
    void registerReplace(const PersonValue &old, const ContactIdentifier &identifier, const PersonRecordPtr &contact);

    UndoManager *m_undoManager;
    std::function<void()> m_reload;
};
