// The detail pane's rows switched from one contact to the next, for 1,000
// contacts of 60 values across every labeled field, a five-line note and a
// photo each: the rows rebuilt and measured, and every cell's text read
// once, as a redraw of the whole pane reads it. Aim: 2 ms a switch. A card
// of 60 values dragged from another contact's view over the rows of the
// shown one: each move after the first within 50 µs.
#include "detail/ContactInfoPopover.h"
#include "detail/ContactInfoTableModel.h"
#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QMimeData>

#include <memory>

namespace {

constexpr int contactCount = 1000;

void addValues(MVPerson &person, const ContactIdentifier &field, int count, int contact)
{
    const QStringList labels = MVPerson::labelsForIdentifier(field);
    LabeledValueList values;
    for (int i = 0; i < count; ++i) {
        auto value = std::make_shared<LabeledValueRecord>();
        value->label = labels.isEmpty() ? QStringLiteral("other") : labels.at(i % labels.size());
        value->labelIndex = i;
        if (field == FieldId::Dates) {
            value->value = StoreDateComponents{1990 + i, 1 + i % 12, 1 + contact % 28};
        } else if (field == FieldId::Address) {
            value->address->zip = QStringLiteral("%1-%2").arg(100 + i).arg(contact % 10000, 4, 10, QLatin1Char('0'));
            value->address->state = QStringLiteral("東京都");
            value->address->city = QStringLiteral("千代田区");
            value->address->street = QStringLiteral("丸の内%1-%2").arg(i + 1).arg(contact % 50);
            value->address->country = QStringLiteral("Japan");
            value->address->isoCountryCode = QStringLiteral("jp");
        } else {
            value->value = QStringLiteral("%1 value %2 of contact %3").arg(field).arg(i).arg(contact);
        }
        values.append(value);
    }
    person.setValue(values, field);
}

ContactRecordPtr makeContact(int index, const QImage &photo)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QStringLiteral("contact-%1").arg(index));
    NameRecord name;
    name.firstName = QStringLiteral("Given%1").arg(index);
    name.lastName = QStringLiteral("Family%1").arg(index);
    person->setValue(name, FieldId::Name);
    person->setValue(QStringLiteral("Company %1").arg(index), FieldId::Company);
    person->setValue(
        QStringLiteral("line one\nline two\nline three\nline four\nline five %1").arg(index), FieldId::Note);
    const QList<std::pair<ContactIdentifier, int>> fields{{FieldId::Phone, 8}, {FieldId::Email, 8}, {FieldId::URL, 8},
        {FieldId::Address, 7}, {FieldId::SocialNetwork, 7}, {FieldId::InstantMessage, 7}, {FieldId::Relationship, 7},
        {FieldId::Dates, 8}};
    for (const auto &[field, count] : fields)
        addValues(*person, field, count, index);
    person->setPhoto(photo);
    return ContactRecord::makeWithPerson(person);
}

const QList<ContactRecordPtr> &contacts()
{
    static const QList<ContactRecordPtr> made = [] {
        QImage photo(64, 64, QImage::Format_ARGB32);
        photo.fill(Qt::darkCyan);
        QList<ContactRecordPtr> list;
        for (int i = 0; i < contactCount; ++i)
            list.append(makeContact(i, photo));
        return list;
    }();
    return made;
}

void BM_SwitchContact(benchmark::State &state)
{
    ContactInfoTableModel model;
    model.setSelectedLabels({QStringLiteral("All")});
    qsizetype next = 0;
    qsizetype characters = 0;
    for (auto _ : state) {
        model.setContact(contacts().at(next++ % contactCount));
        model.reload();
        for (int row = 0; row < model.rowCount(); ++row) {
            characters += model.data(model.index(row, ContactInfoTableModel::TypeColumn)).toString().size();
            characters += model.data(model.index(row, ContactInfoTableModel::ValueColumn)).toString().size();
            benchmark::DoNotOptimize(model.heightOfRow(row));
        }
    }
    benchmark::DoNotOptimize(characters);
    state.counters["rows"] = double(model.rowCount());
}
BENCHMARK(BM_SwitchContact)->Unit(benchmark::kMicrosecond);

void BM_ValueDropMove(benchmark::State &state)
{
    ContactInfoPopover source;
    source.setContact(contacts().at(1));
    ContactInfoPopover target;
    target.setEditState(true);
    target.setContact(contacts().at(0));
    int phoneRow = 0;
    while (target.infoModel()->rowAt(phoneRow).type != FieldId::Phone)
        ++phoneRow;
    int sourceRow = 0;
    while (source.infoModel()->rowAt(sourceRow).type != FieldId::Phone)
        ++sourceRow;
    const std::unique_ptr<QMimeData> drag(source.mimeDataForRow(sourceRow + 3));
    // The first move reads the card.
    benchmark::DoNotOptimize(target.validateDrop(drag.get(), phoneRow, ContactInfoView::DropOperation::On));
    const int rows = target.infoModel()->rowCount();
    int row = 0;
    int accepted = 0;
    for (auto _ : state) {
        const auto operation = row % 2 ? ContactInfoView::DropOperation::On : ContactInfoView::DropOperation::Above;
        accepted += target.validateDrop(drag.get(), row, operation) != Qt::IgnoreAction;
        row = (row + 1) % rows;
    }
    state.counters["rows"] = double(rows);
    benchmark::DoNotOptimize(accepted);
}
BENCHMARK(BM_ValueDropMove)->Unit(benchmark::kMicrosecond);

} // namespace
