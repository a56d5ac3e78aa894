#pragma once

#include "editors/ValueEditor.h"

// What the instant-message and social-profile editors share: one value of a
// multi-valued field edited on a copy, handed back whole under "value"; a
// labelIndex that names no value opens a new one, numbered -1. Each change
// enables Done and gives it the Return key.
class LabeledValueEditor : public ValueEditor {
    Q_OBJECT

public:
    using ValueEditor::ValueEditor;

    // The record being edited; null before the context was set.
    [[nodiscard]] const LabeledValueRecordPtr &labeledValue() const { return m_labeledValue; }

protected:
    // A copy of the person's value that the context's labelIndex names, or
    // the new value made by `makeNew`, numbered -1.
    void loadRecord(MVPerson *person, const ContactIdentifier &type, void (*makeNew)(LabeledValueRecord &));
    // The field whose labels and values the editor shows.
    [[nodiscard]] ContactIdentifier contextType(const ContactIdentifier &fallback) const;
    void valueDidChange();
    // The field emptied with the name after Done or Cancel.
    void setUsernameField(QLineEdit *field) { m_usernameField = field; }

    bool writeResult() override;
    void didFinish() override;
    [[nodiscard]] bool doneTakesReturnAtToggle() const override { return false; }
    [[nodiscard]] bool readsEditEnabled() const override { return false; }

    LabeledValueRecordPtr m_labeledValue;

private:
    QLineEdit *m_usernameField = nullptr;
};
