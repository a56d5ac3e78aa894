#pragma once

#include "print/PrintContactRecord.h"

#include <memory>
#include <vector>

// The receivers of a print, in the table's order. A receiver's print value is
// made from its table row the first time a page asks for it and kept: a
// preview of 100,000 selected rows makes the one card it shows, a print job
// each receiver as it draws that receiver's page. Copies share the values
// made so far; a list made afresh reads the rows afresh.
class PrintReceivers {
public:
    PrintReceivers() = default;
    // Values made from the rows as they are asked for.
    explicit PrintReceivers(const PrintSourceRows &rows);
    // Values already made, by hand or by a test: such a list stands for its
    // receivers wherever they are asked for.
    PrintReceivers(const PrintContactList &values); // NOLINT: stands in for the list it holds

    [[nodiscard]] qsizetype size() const;
    [[nodiscard]] bool isEmpty() const { return size() == 0; }
    // The receiver's value, made now if no page asked for it before; null
    // past the end and for a null row.
    [[nodiscard]] PrintContactRecordPtr at(qsizetype index) const;
    // Every value, each made now that was not yet.
    [[nodiscard]] PrintContactList all() const;
    // Where the row stands among the receivers, or −1.
    [[nodiscard]] qsizetype indexOfRow(const SubContactRecordPtr &row) const;
    // True for copies of one list: their values are the same.
    [[nodiscard]] bool isSameListAs(const PrintReceivers &other) const { return m_data == other.m_data; }

    // What printing reads of the row's contact: the name, the joint names,
    // the address at the row's position with its layout, and the company.
    // The row is left as it is; null for a null row.
    [[nodiscard]] static PrintContactRecordPtr valueOfRow(const SubContactRecordPtr &row);
    // Makes the value again from its source row, which it keeps.
    static void refill(PrintContactRecord &value);

private:
    struct Data {
        PrintSourceRows rows;
        // Sized to the rows on the first value made; the values given for a
        // list made of values.
        std::vector<PrintContactRecordPtr> values;
    };
    std::shared_ptr<Data> m_data;
};
