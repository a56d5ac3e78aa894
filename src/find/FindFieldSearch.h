#pragma once

#include "model/ContactIdentifier.h"
#include "model/ItemAndRangeRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "model/StringValuesRecord.h"
#include "model/TextRange.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class MVPerson;

// The find bar's search in one field of one contact, forward or backward from
// a range, in the text the field shows where it is shown: the contact table
// joins the name's parts into one cell and shows a company's name there, the
// detail pane shows each part on a row of its own. A hit's ranges count in
// that shown text ("range") and in the part's own text ("itemRange").
//
// Values of a multi-valued field are taken by list position, the order the
// table's rows and the detail pane's rows show them in.
class FindFieldSearch {
public:
    enum class Scope { Table, Detail };

    struct Options {
        Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
        bool backward = false;
        Scope scope = Scope::Table;
        // The table's label filter (["All"]: every label): a value it leaves
        // out shows in no cell and holds no hit. None: every value.
        std::optional<QStringList> labels;
    };

    // Where the search starts: the field, the part holding the last hit, the
    // list position of the value, and the last hit's range (open: the whole
    // text).
    struct Start {
        ContactIdentifier identifier;
        std::optional<QString> subIdentifier;
        qsizetype position = 0;
        TextRange range;
    };

    // A column or field identifier worked out once, for a walk that searches
    // it on many rows.
    struct Field {
        enum class Kind { Unsearched, Name, PhoneticName, Address, AddressPart, InstantMessage, Labeled, Other };
        ContactIdentifier identifier;
        // What labeledFieldOf gives.
        ContactIdentifier labeledField;
        Kind kind = Kind::Unsearched;
        QString LabeledValueRecord::AddressParts::*addressPart = nullptr;
        StringValuesRecord::Member stringMember = nullptr;
    };
    [[nodiscard]] static Field fieldFor(const ContactIdentifier &identifier);

    // The next (or previous) occurrence in one text: forward from behind the
    // range, backward before its start. An empty text has none; an open
    // range, or one past the text, searches the whole text.
    [[nodiscard]] static TextRange lookForString(
        QStringView find, QStringView text, const TextRange &range, Qt::CaseSensitivity caseSensitivity, bool backward);

    // A new hit in the field, or null. Its "labelIndex" is the value's own
    // labelIndex in the detail pane (what the pane selects its rows by) and
    // the position searched in the table (the row's label position).
    [[nodiscard]] static ItemAndRangeRecordPtr findString(
        const QString &find, const Start &start, const PersonRecordPtr &record, const Options &options);

    // As findString, in a field worked out before; the value of a
    // multi-valued field at the start's position is the one valueAt gives,
    // fetched by the caller (null: none, so no hit).
    [[nodiscard]] static ItemAndRangeRecordPtr findInField(const QString &find, const Start &start, const Field &field,
        const PersonRecordPtr &record, const LabeledValueRecord *value, const Options &options);

    // The value of a multi-valued field at a list position, the live record;
    // null when there is none or the label filter leaves it out.
    [[nodiscard]] static LabeledValueRecordPtr valueAt(
        MVPerson &person, const ContactIdentifier &field, qsizetype position, const Options &options);
    // A multi-valued field's list as held, read when never read; null for a
    // field of one value.
    [[nodiscard]] static LabeledValueListPtr valuesOf(MVPerson &person, const ContactIdentifier &field);
    // Whether the label filter of the options lets the value show.
    [[nodiscard]] static bool passesLabels(const LabeledValueRecord &value, const Options &options);
    // The field whose values a column or field identifier reads: "Address"
    // for an address part, the identifier itself for a multi-valued field,
    // empty for any other.
    [[nodiscard]] static ContactIdentifier labeledFieldOf(const ContactIdentifier &identifier);
};
