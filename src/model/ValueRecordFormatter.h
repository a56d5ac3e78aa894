#pragma once

#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PhoneticNameRecord.h"

#include <QList>
#include <QString>

// The display strings of the value records. Each update* completes one
// labeled value in place (label default, "stringValue" and the keys derived
// from the value); a null record is ignored.
class ValueRecordFormatter {
public:
    ValueRecordFormatter() = delete;

    // One part of a displayed name: its key ("FirstName", "PhoneticLastName"
    // ...), its text and where it starts in the display string.
    struct DisplayedPart {
        QString key;
        QString text;
        qsizetype location = 0;
    };
    using DisplayedParts = QList<DisplayedPart>;

    // The parts compositeNameFromNameDict joins, in display order.
    [[nodiscard]] static DisplayedParts compositeNameParts(const NameRecord &name);
    // The parts phoneticNameString joins, in display order.
    [[nodiscard]] static DisplayedParts phoneticNameParts(const PhoneticNameRecord &name, int nameOrdering);

    // "First Last" or "Last First" by the name's ordering (0: the user's sort
    // order); with only one part, that part; the middle name only alone.
    [[nodiscard]] static QString compositeNameFromNameDict(const NameRecord &name);
    // Ordering 0 resolved through the user's contacts sort order.
    [[nodiscard]] static int effectiveNameOrdering(int nameOrdering);
    // "Last First" when nameOrdering is 2, else "First Last"; one part alone.
    [[nodiscard]] static QString phoneticNameString(const PhoneticNameRecord &name, int nameOrdering);

    // "yyyy.MM.dd(EEE)" in the user's locale; empty when the parts give no date.
    [[nodiscard]] static QString dateStringFromDateComponents(const StoreDateComponents &components);

    static void updatePhoneValue(LabeledValueRecord *record);
    static void updateEmailValue(LabeledValueRecord *record);
    static void updateURLValue(LabeledValueRecord *record);
    static void updateRelationshipValue(LabeledValueRecord *record);
    static void updateSNSValue(LabeledValueRecord *record);
    static void updateIMSValue(LabeledValueRecord *record);
    static void updateDatesValue(LabeledValueRecord *record);

    // The display text of an instant-message value: "service:user", or empty
    // when both are empty.
    [[nodiscard]] static QString instantMessageString(const QString &service, const QString &username);
};
