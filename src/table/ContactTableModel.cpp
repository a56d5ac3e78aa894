#include "table/ContactTableModel.h"

#include "model/ContactPrefetch.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/PoolRelease.h"
#include "table/ContactRowRuns.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/PersonPlaces.h"
#include "table/SubContactTableSorter.h"

#include <utility>

QString ContactTableModel::displayName(MVPerson &person)
{
    // The record answers its own untranslated stand-in for an empty name.
    static const QString untranslatedNoName = QStringLiteral("No Name");
    const QString name = person.compositeName();
    return name.isEmpty() || name == untranslatedNoName ? tr("No Name") : name;
}

ContactTableModel::ContactTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ContactTableModel::setColumnIdentifiers(const QStringList &identifiers)
{
    m_columns.clear();
    m_fields.clear();
    for (const QString &identifier : identifiers) {
        TableColumn column = TableColumn::make(identifier);
        if (column.showsLabeledValues()) {
            if (!m_fields.contains(column.field))
                m_fields.append(column.field);
            column.fieldSlot = int(m_fields.indexOf(column.field));
        }
        m_columns.append(column);
    }
}

QStringList ContactTableModel::columnIdentifiers() const
{
    QStringList identifiers;
    for (const TableColumn &column : m_columns)
        identifiers.append(column.identifier);
    return identifiers;
}

void ContactTableModel::setSelectedFont(const QFont &font, const QFont &boldFont)
{
    m_selectedFont = font;
    m_selectedBoldfont = boldFont;
}

void ContactTableModel::updateSubContactTable()
{
    makeRows({});
}

// A sort that moves whole contacts orders the contacts before their rows are
// made: the keys are gone again when the rows take their room, instead of
// adding to them, and the rows are neither moved nor copied.
void ContactTableModel::updateSortedSubContactTable(const QList<SortDescriptor> &descriptors)
{
    if (!m_contactTable || descriptors.isEmpty() || !SubContactTableSorter::sortsWholeContacts(descriptors.first())) {
        updateSubContactTable();
        sortSubContactTable(descriptors);
        return;
    }
    makeRows(SubContactTableSorter::orderOfContacts(*m_contactTable, descriptors.first()));
}

// The rows of the contacts at the places of order, or of all in the list's
// order when it is empty.
void ContactTableModel::makeRows(const std::vector<std::uint32_t> &order)
{
    SubContactTable rows;
    RegisteredLabels registered(m_columns.size());
    if (m_contactTable) {
        const ContactPlaces places{*m_contactTable, order};
        // Room for a row per contact, the most have: room for two each lay
        // unused beside a large file's rows. Contacts with more grow it.
        rows.reserve(m_contactTable->size());
        for (qsizetype at = 0; at < m_contactTable->size(); ++at) {
            prefetchContactsAhead(places, at);
            const ContactRecordPtr &contact = places.contactAt(at);
            if (!contact || contact->deleted)
                continue;
            if (!contact->person) {
                qWarning("%s: ERROR contact %s has no person", Q_FUNC_INFO, qPrintable(contact->uniqueId));
                continue;
            }
            appendSubContacts(*contact, m_columns, m_selectedLabels, registered, rows);
        }
    }
    // After a large drop is cancelled, freeing the rows of its contacts would
    // keep the window waiting.
    constexpr qsizetype manyRows = 65536;
    if (m_rows.size() >= manyRows)
        releaseOnPool(std::exchange(m_rows, std::move(rows)));
    else
        m_rows = std::move(rows);
}

void ContactTableModel::registerLabel(const QString &label, const ContactIdentifier &identifier, QStringList &known)
{
    if (known.contains(label))
        return;
    FieldVocabulary::shared().setLabel(QString(), label, identifier);
    known.append(label);
}

void ContactTableModel::appendSubContacts(const PersonRecord &contact, const QList<TableColumn> &columns,
    const QStringList &labels, RegisteredLabels &registered, SubContactTable &rows)
{
    MVPerson &person = *contact.person;
    const UniqueId &uniqueId = person.uniqueIdValue();
    rows.append(std::make_shared<SubContactRecord>(contact.person, uniqueId, 0));
    // Each position gets one row at most: a position below the highest one
    // with a row is either there already or was needed too late.
    qint64 highest = 0;
    ContactIdentifier heldField;
    const LabeledValueList *values = nullptr;
    const ReadLabeledValues *read = person.pendingReadValues();
    for (qsizetype index = 0; index < columns.size(); ++index) {
        const TableColumn &column = columns.at(index);
        if (!column.showsLabeledValues())
            continue;
        if (read) {
            // One value at most, at the first position, which has its row.
            if (read->count(column.field) > 0)
                registerLabel(ReadLabeledValues::label(), column.identifier, registered[index]);
            continue;
        }
        // The address parts are neighbours reading one list.
        if (column.field != heldField) {
            // The list as held: the rows need its labels, not display texts
            // made anew.
            values = person.madeLabeledValues(column.field);
            heldField = column.field;
        }
        if (!values)
            continue;
        // Registering takes the vocabulary's lock; a rebuild meets the same
        // few labels over and over.
        QStringList &known = registered[index];
        for (qint64 position = 0; position < values->size(); ++position) {
            const LabeledValueRecord &value = *values->at(position);
            if (value.label)
                registerLabel(*value.label, column.identifier, known);
            if (position > highest && TableColumn::passesLabelFilter(value, labels)) {
                rows.append(std::make_shared<SubContactRecord>(contact.person, uniqueId, position));
                highest = position;
            }
        }
    }
}

void ContactTableModel::sortSubContactTable(const QList<SortDescriptor> &descriptors)
{
    if (!descriptors.isEmpty())
        SubContactTableSorter::sort(m_rows, descriptors.first());
}

// A rebuild makes the rows contact by contact in the list's order, each
// contact's in label-position order, and a sort by the contact's own key
// only moves contacts: the rows there are put in that order and sorted,
// without being made again.
bool ContactTableModel::reorderRows(const SortDescriptor &descriptor, bool contactsSorted)
{
    if (!m_contactTable || !SubContactTableSorter::sortsWholeContacts(descriptor))
        return false;
    const std::optional<PersonPlaces> places = placesOfContacts();
    if (!places)
        return false;
    const std::optional<std::vector<qsizetype>> rowAt = rowsInContactOrder(*places);
    if (!rowAt)
        return false;
    SubContactTable ordered;
    ordered.reserve(m_rows.size());
    for (const qsizetype row : *rowAt)
        ordered.append(std::move(m_rows[row]));
    if (!contactsSorted)
        SubContactTableSorter::sort(ordered, descriptor);
    m_rows = std::move(ordered);
    return true;
}

// The place of each shown contact's person in the list; nothing when two
// contacts share a person.
std::optional<PersonPlaces> ContactTableModel::placesOfContacts() const
{
    PersonPlaces places(m_contactTable->size());
    for (const ContactRecordPtr &contact : std::as_const(*m_contactTable)) {
        if (!contact || contact->deleted || !contact->person)
            continue;
        if (!places.insert(contact->person.get(), places.size()))
            return std::nullopt;
    }
    return places;
}

// The rows' indexes in the order of their contacts' places, each contact's
// in label-position order; nothing when a row's contact has no place, a
// contact has no row, or two rows of a contact have one position. Counted per
// contact, then placed: the places are worked out first and the rows moved
// once, so that a refusal leaves them as they were and no row is copied. A
// contact's rows mostly follow one another, and are looked up once.
std::optional<std::vector<qsizetype>> ContactTableModel::rowsInContactOrder(const PersonPlaces &places) const
{
    std::vector<qsizetype> starts(std::size_t(places.size()) + 1, 0);
    std::vector<qsizetype> placeOfRow(std::size_t(m_rows.size()));
    std::vector<qint64> positions(std::size_t(m_rows.size()));
    const MVPerson *person = nullptr;
    qsizetype place = -1;
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        if (row + prefetchDistance < m_rows.size())
            ContactPrefetch::line(m_rows.at(row + prefetchDistance).get());
        const SubContactRecord &record = *m_rows.at(row);
        if (record.person.get() != person || place < 0) {
            person = record.person.get();
            place = places.find(person);
            if (place < 0)
                return std::nullopt;
        }
        placeOfRow[std::size_t(row)] = place;
        positions[std::size_t(row)] = record.labelIndex;
        ++starts[std::size_t(place) + 1];
    }
    for (std::size_t at = 1; at < starts.size(); ++at) {
        if (starts[at] == 0)
            return std::nullopt;
        starts[at] += starts[at - 1];
    }
    std::vector<qsizetype> rowAt(std::size_t(m_rows.size()));
    for (qsizetype row = 0; row < m_rows.size(); ++row)
        rowAt[std::size_t(starts[std::size_t(placeOfRow[std::size_t(row)])]++)] = row;
    if (!orderEachContactsRows(rowAt, starts, positions))
        return std::nullopt;
    return rowAt;
}

// Each contact's rows end where the next one's begin; false when two of a
// contact's rows have one position. Rows that stand in order already, as
// they do after any sort by a contact's key, are left.
bool ContactTableModel::orderEachContactsRows(
    std::vector<qsizetype> &rowAt, const std::vector<qsizetype> &ends, const std::vector<qint64> &positions)
{
    const auto position = [&positions](qsizetype row) { return positions[std::size_t(row)]; };
    const auto before = [&position](qsizetype a, qsizetype b) { return position(a) < position(b); };
    const auto same = [&position](qsizetype a, qsizetype b) { return position(a) == position(b); };
    const auto notBefore = [&position](qsizetype a, qsizetype b) { return position(a) >= position(b); };
    auto first = rowAt.begin();
    for (std::size_t place = 0; place + 1 < ends.size(); ++place) {
        const auto end = rowAt.begin() + ends[place];
        if (std::adjacent_find(first, end, notBefore) != end) {
            std::sort(first, end, before);
            if (std::adjacent_find(first, end, same) != end)
                return false;
        }
        first = end;
    }
    return true;
}

SubContactRecordPtr ContactTableModel::reload()
{
    beginResetModel();
    const qsizetype sender = ContactRowRuns::markContinuedRows(m_rows).lastSenderRow();
    endResetModel();
    return sender >= 0 ? m_rows.at(sender) : nullptr;
}

SubContactRecordPtr ContactTableModel::subContactAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : nullptr;
}

QString ContactTableModel::footerText() const
{
    QString groupName;
    if (m_delegate) {
        if (const GroupRecordPtr &group = m_delegate->selectedGroupDict())
            groupName = group->name;
    }
    qsizetype count = 0;
    if (m_contactTable) {
        for (const ContactRecordPtr &contact : std::as_const(*m_contactTable))
            count += contact && !contact->deleted ? 1 : 0;
    }
    return QStringLiteral("%1: total %2 contacts").arg(groupName).arg(count);
}

ContactTableModel::FieldValues ContactTableModel::fieldValuesOfRow(const SubContactRecord &row, HeldLists &held) const
{
    if (held.person != row.person.get()) {
        held.person = row.person.get();
        held.lists.clear();
        held.made.clear();
        held.madeHere = false;
        // Making a large file's lists for good only to measure its rows
        // would hold them all at once.
        if (const ReadLabeledValues *read = row.person->pendingReadValues()) {
            held.made = read->madeLists();
            held.madeHere = true;
            for (const ContactIdentifier &field : m_fields) {
                const auto found = std::find_if(held.made.cbegin(), held.made.cend(),
                    [&field](const LabeledFieldValues &made) { return made.identifier == field; });
                held.lists.append(found != held.made.cend() ? &found->values : nullptr);
            }
            return valuesAt(row, held);
        }
        for (const ContactIdentifier &field : m_fields)
            held.lists.append(row.person->madeLabeledValues(field));
        // The contact's rows mostly follow: the values they read are asked
        // for together, not one after the other.
        for (const LabeledValueList *list : std::as_const(held.lists))
            ContactPrefetch::values(list);
    }
    return valuesAt(row, held);
}

ContactTableModel::FieldValues ContactTableModel::valuesAt(const SubContactRecord &row, const HeldLists &held)
{
    FieldValues values;
    for (const LabeledValueList *list : std::as_const(held.lists)) {
        const bool there = list && row.labelIndex >= 0 && row.labelIndex < list->size();
        values.append(there ? list->at(row.labelIndex).get() : nullptr);
    }
    return values;
}

const QString *ContactTableModel::measuredText(
    const SubContactRecord &row, const FieldValues &values, const TableColumn &column, QString &holder)
{
    MVPerson &person = *row.person;
    if (column.fieldSlot >= 0) {
        const LabeledValueRecord *value = values.at(column.fieldSlot);
        if (!value)
            return nullptr;
        return column.addressPart ? &(value->addressParts().*column.addressPart) : &value->stringValue;
    }
    const auto entry = [&person, &column, &holder]() -> const QString * {
        const StringValuesRecord::Entry &text = (*person.stringValues()).*column.stringMember;
        if (!text)
            return nullptr;
        holder = *text;
        return &holder;
    };
    if (column.identifier == FieldId::Renmei)
        return entry();
    if (row.labelIndex != 0) {
        holder.clear();
        return &holder;
    }
    switch (column.kind) {
    case TableColumn::Kind::Name:
        holder = person.compositeName();
        return &holder;
    case TableColumn::Kind::PhoneticName:
        holder = person.phoneticName();
        return &holder;
    case TableColumn::Kind::Birthday:
        return &person.birthdayValue()->stringValue;
    case TableColumn::Kind::Sender:
        return nullptr;
    default:
        return column.stringMember ? entry() : nullptr;
    }
}

// A row keeps its lines while finding: the cells mark their hits on the
// lines they have, and a table whose rows grew with every wide text
// matching one letter would show a few rows in place of a screenful.
int ContactTableModel::linesOfText(QStringView text)
{
    int lines = 1;
    // Tens of thousands of short texts: a loop of our own beats a call into
    // the library's vectorised search for each.
    for (const QChar unit : text)
        lines += unit == QLatin1Char('\n') ? 1 : 0;
    return lines;
}

// The texts of the rows being measured, gathered before any is read: reading
// them is mostly waiting for memory, and the reading loop asks for the texts
// ahead of it while it reads one.
struct ContactTableModel::GatheredTexts {
    QList<QStringView> texts;
    // Per row: the end of its texts, and the lines of the texts made for it
    // (which are read at once).
    QList<qsizetype> ends;
    QList<int> knownLines;
};

void ContactTableModel::gatherRow(const SubContactRecord &row, HeldLists &held, GatheredTexts &gathered) const
{
    const FieldValues values = fieldValuesOfRow(row, held);
    int known = 1;
    QString holder;
    for (int column = 0; column < m_columns.size(); ++column) {
        const QString *text = measuredText(row, values, m_columns.at(column), holder);
        if (!text)
            continue;
        if (text == &holder || held.madeHere) {
            known = std::max(known, linesOfText(*text));
            continue;
        }
        gathered.texts.append(*text);
    }
    gathered.ends.append(gathered.texts.size());
    gathered.knownLines.append(known);
}

// The rows and their contacts lie all over memory: a pass over them asks for
// the rows ahead, and for the contacts of the rows asked for earlier.
void ContactTableModel::prefetchRowsAhead(qsizetype row, qsizetype last) const
{
    if (row + 2 * prefetchDistance < last)
        ContactPrefetch::line(m_rows.at(row + 2 * prefetchDistance).get());
    if (row + prefetchDistance < last)
        ContactPrefetch::whole(m_rows.at(row + prefetchDistance)->person.get());
}

// A measuring pass asks for the values of the rows ahead too, each step of
// the chain a few rows after the step it is reached through; a contact's
// rows mostly follow one another, and its values are asked for by its first.
// Measuring 34,000 rows of a group waited for each value as it got there.
void ContactTableModel::prefetchRowValuesAhead(qsizetype row, qsizetype last) const
{
    prefetchRowsAhead(row, last);
    const auto personAt = [this, last](qsizetype at) -> const MVPerson * {
        if (at >= last)
            return nullptr;
        const MVPerson *person = m_rows.at(at)->person.get();
        return at > 0 && m_rows.at(at - 1)->person.get() == person ? nullptr : person;
    };
    prefetchValuesAhead(row, personAt);
}

// Each step of the chain from a contact to its values is asked for a few
// contacts after the step it is reached through: the contact, its person,
// the person's lists, their values, the values' labels.
void ContactTableModel::prefetchContactsAhead(const ContactPlaces &places, qsizetype at) const
{
    const qsizetype count = places.contacts.size();
    const auto personAt = [&places, count](qsizetype ahead) -> const MVPerson * {
        const ContactRecord *contact = ahead < count ? places.contactAt(ahead).get() : nullptr;
        return contact ? contact->person.get() : nullptr;
    };
    if (at + 5 * valueStep < count)
        ContactPrefetch::line(places.contactAt(at + 5 * valueStep).get());
    ContactPrefetch::whole(personAt(at + 4 * valueStep));
    prefetchValuesAhead(at, personAt);
}

template <typename PersonAt> void ContactTableModel::prefetchValuesAhead(qsizetype place, PersonAt personAt) const
{
    const MVPerson *third = personAt(place + 3 * valueStep);
    const MVPerson *second = personAt(place + 2 * valueStep);
    const MVPerson *first = personAt(place + valueStep);
    for (const ContactIdentifier &field : m_fields) {
        if (third)
            ContactPrefetch::line(third->peekMadeLabeledValues(field));
        if (const LabeledValueList *list = second ? second->peekMadeLabeledValues(field) : nullptr)
            ContactPrefetch::line(list->constData());
        ContactPrefetch::values(first ? first->peekMadeLabeledValues(field) : nullptr);
    }
}

// The texts are gathered a block of rows at a time: gathering a large file's
// rows all at once held a view of every cell, tens of megabytes, at the
// window's peak.
QList<int> ContactTableModel::measureRows(qsizetype first, qsizetype last)
{
    constexpr qsizetype rowsPerBlock = 4096;
    QList<int> heights;
    heights.reserve(last - first + 1);
    GatheredTexts gathered;
    gathered.texts.reserve(std::min(last - first, rowsPerBlock) * m_columns.size());
    HeldLists held;
    for (qsizetype start = first; start < last; start += rowsPerBlock)
        measureBlock(start, std::min(last, start + rowsPerBlock), held, gathered, heights);
    return heights;
}

void ContactTableModel::measureBlock(
    qsizetype first, qsizetype last, HeldLists &held, GatheredTexts &gathered, QList<int> &heights)
{
    gathered.texts.clear();
    gathered.ends.clear();
    gathered.knownLines.clear();
    for (qsizetype row = first; row < last; ++row) {
        prefetchRowValuesAhead(row, last);
        gatherRow(*m_rows.at(row), held, gathered);
    }
    qsizetype text = 0;
    for (qsizetype row = first; row < last; ++row) {
        int numLines = gathered.knownLines.at(row - first);
        for (const qsizetype end = gathered.ends.at(row - first); text < end; ++text) {
            if (text + prefetchDistance < gathered.texts.size())
                ContactPrefetch::line(gathered.texts.at(text + prefetchDistance).data());
            numLines = std::max(numLines, linesOfText(gathered.texts.at(text)));
        }
        m_rows.at(row)->numLines = numLines;
        heights.append(numLines * m_rowHeight);
    }
}

int ContactTableModel::heightOfRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return m_rowHeight;
    return measureRows(row, row + 1).first();
}

QList<int> ContactTableModel::heightsOfRows()
{
    QList<int> heights = measureRows(0, m_rows.size());
    if (!m_rows.isEmpty())
        heights.append(m_rowHeight);
    return heights;
}

QList<int> ContactTableModel::measuredHeightsOfRows() const
{
    QList<int> heights;
    heights.reserve(m_rows.size() + 1);
    for (const SubContactRecordPtr &row : m_rows)
        heights.append(row->numLines * m_rowHeight);
    if (!m_rows.isEmpty())
        heights.append(m_rowHeight);
    return heights;
}

int ContactTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_rows.isEmpty())
        return 0;
    return int(m_rows.size()) + 1;
}

int ContactTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString ContactTableModel::cellText(const SubContactRecord &row, const TableColumn &column, int tableRow) const
{
    MVPerson &person = *row.person;
    const bool firstPosition = row.labelIndex == 0;
    switch (column.kind) {
    case TableColumn::Kind::Sender:
        return {};
    case TableColumn::Kind::Name:
        if (hidesName(row, tableRow))
            return {};
        return displayName(person);
    case TableColumn::Kind::CompanyOrRenmei:
        return person.stringValues()->value(column.identifier);
    case TableColumn::Kind::PhoneticName:
        return firstPosition ? person.phoneticName() : QString();
    case TableColumn::Kind::Birthday:
        return firstPosition ? person.birthdayValue()->stringValue : QString();
    case TableColumn::Kind::Labeled:
    case TableColumn::Kind::AddressPart: {
        const LabeledValueRecordPtr value = column.filteredValueAt(person, row.labelIndex, m_selectedLabels);
        if (!value)
            return {};
        return column.addressPart ? value->addressParts().*column.addressPart : value->stringValue;
    }
    case TableColumn::Kind::Other:
        break;
    }
    return firstPosition ? person.stringValues()->value(column.identifier) : QString();
}

QVariant ContactTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= m_columns.size())
        return {};
    if (isFooterRow(index.row()))
        return index.column() == 0 ? QVariant(footerText()) : QVariant();
    const SubContactRecordPtr row = subContactAt(index.row());
    if (!row)
        return {};
    return cellText(*row, m_columns.at(index.column()), index.row());
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const TableColumn &column = m_columns.at(section);
    if (column.kind == TableColumn::Kind::Sender)
        return tr("Sender");
    return FieldVocabulary::localizedIdentifierForKey(column.identifier);
}

Qt::ItemFlags ContactTableModel::flags(const QModelIndex &index) const
{
    // Drops onto a row are told apart from drops between rows, to be refused.
    const Qt::ItemFlags dropping = m_dragAndDrop ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    if (!index.isValid())
        return dropping;
    if (isFooterRow(index.row()))
        return Qt::ItemIsEnabled | dropping;
    // Only the cell the table's own code is opening an editor on is editable.
    const bool opening = index.row() == m_editableCell.first && index.column() == m_editableCell.second;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | dropping
        | (m_dragAndDrop ? Qt::ItemIsDragEnabled : Qt::NoItemFlags) | (opening ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool ContactTableModel::refreshRowsOfContacts(const QList<PersonRecordPtr> &contacts)
{
    QList<int> changed;
    RegisteredLabels registered(m_columns.size());
    for (const PersonRecordPtr &contact : contacts) {
        if (!contact || !contact->person)
            continue;
        SubContactTable fresh;
        appendSubContacts(*contact, m_columns, m_selectedLabels, registered, fresh);
        QList<qint64> wanted;
        for (const SubContactRecordPtr &row : std::as_const(fresh))
            wanted.append(row->labelIndex);
        QList<qint64> shown;
        for (int row = 0; row < m_rows.size(); ++row) {
            if (m_rows.at(row)->person == contact->person) {
                shown.append(m_rows.at(row)->labelIndex);
                changed.append(row);
            }
        }
        std::sort(shown.begin(), shown.end());
        if (shown != wanted)
            return false;
    }
    const int lastColumn = columnCount() - 1;
    for (int row : std::as_const(changed))
        Q_EMIT dataChanged(index(row, 0), index(row, lastColumn));
    return true;
}
