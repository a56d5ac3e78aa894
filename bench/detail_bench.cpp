// The detail pane's rows switched from one contact to the next, for 1,000
// contacts of 60 values across every labeled field, a five-line note and a
// photo each: the rows rebuilt and measured, and every cell's text read
// once, as a redraw of the whole pane reads it. Aim: 2 ms a switch. A card
// of 60 values dragged from another contact's view over the rows of the
// shown one: each move after the first within 50 µs. On the contact popover
// of such a contact: a double click to each kind of value editor shown with
// its context within 20 ms; a row's context menu rebuilt within 2 ms; a
// 4000 × 3000 JPEG picked as the photo (read, scaled to 512 × 384, written
// as one undo step) within 250 ms.
#include "detail/ContactInfoPopover.h"
#include "detail/ContactInfoPopoverDelegate.h"
#include "detail/ContactInfoRowCommands.h"
#include "detail/ValueEditorHandOff.h"
#include "detail/ContactInfoTableModel.h"
#include "model/ContactRecord.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "platform/widgets/Popover.h"
#include "SixtyValueContact.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QMimeData>

#include <memory>

namespace {

constexpr int contactCount = 1000;

const QList<ContactRecordPtr> &contacts()
{
    static const QList<ContactRecordPtr> made = [] {
        QImage photo(64, 64, QImage::Format_ARGB32);
        photo.fill(Qt::darkCyan);
        QList<ContactRecordPtr> list;
        for (int i = 0; i < contactCount; ++i)
            list.append(SixtyValueContact::make(i, photo));
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

// --- Row commands -------------------------------------------------------------------
// The contact popover of contact 0 (60 values) shown offscreen, as the table
// opens it; the popover acts without a window behind it.

// Replaces values and registers the inverse, as the window's controller does.
class UndoingDelegate : public ContactInfoPopoverDelegate {
public:
    void contactDidUpdate(const PersonRecordPtr &, const ContactInfoView *) override { }
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        const PersonValue old = contact->person->valueForIdentifier(identifier);
        undoManager.registerUndo(
            this, [this, old, identifier, contact] { undoReplaceValue(old, identifier, contact); });
        contact->person->setValue(value, identifier);
        return true;
    }
    void undoDeleteLabeledValue(const LabeledValueRecord &, const ContactIdentifier &, const PersonRecordPtr &) override
    {
    }
    void undoAddLabeledValue(const LabeledValueRecord &, const ContactIdentifier &, const PersonRecordPtr &) override {
    }
    void rowSelectionDidChange(const ContactInfoView *, const InfoRowRecord &) override { }
    void detachedWindowDidClose(const DetachedWindowCloseInfo &) override { }

    UndoManager undoManager;
};

struct ShownPopover {
    ShownPopover()
    {
        view.setEditState(true);
        view.setDelegate(&delegate);
        view.setContact(contacts().at(0));
        view.resize(450, 900);
        view.show();
        QApplication::processEvents();
    }
    [[nodiscard]] int rowOf(const ContactIdentifier &type) const
    {
        for (int row = 0; row < view.infoModel()->rowCount(); ++row) {
            if (view.infoModel()->rowAt(row).type == type)
                return row;
        }
        return -1;
    }

    UndoingDelegate delegate;
    ContactInfoPopover view;
};

// Each kind of editor by the row and column that opens it.
void BM_OpenEditorFromRow(benchmark::State &state)
{
    const struct {
        ContactIdentifier type;
        int column;
        const char *label;
    } kinds[] = {{FieldId::Phone, ContactInfoTableModel::TypeColumn, "all values"},
        {FieldId::Address, ContactInfoTableModel::ValueColumn, "address"},
        {FieldId::InstantMessage, ContactInfoTableModel::ValueColumn, "instant message"},
        {FieldId::SocialNetwork, ContactInfoTableModel::ValueColumn, "social profile"},
        {FieldId::Dates, ContactInfoTableModel::ValueColumn, "dates"},
        {FieldId::Renmei, ContactInfoTableModel::ValueColumn, "joint names"}};
    const auto &kind = kinds[state.range(0)];
    ShownPopover shown;
    ContactInfoRowCommands &commands = *shown.view.rowCommands();
    const QModelIndex index = shown.view.infoModel()->index(shown.rowOf(kind.type), kind.column);
    for (auto _ : state) {
        commands.doubleClick(index, {});
        if (!commands.handOff().editor())
            state.SkipWithError("no editor opened");
        commands.handOff().popover()->close();
        QApplication::processEvents();
    }
    state.SetLabel(kind.label);
}
BENCHMARK(BM_OpenEditorFromRow)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_ContextMenuForRow(benchmark::State &state)
{
    ShownPopover shown;
    ContactInfoRowCommands &commands = *shown.view.rowCommands();
    const int row = shown.rowOf(FieldId::Address);
    for (auto _ : state)
        benchmark::DoNotOptimize(commands.rebuildMenu(row, ContactInfoTableModel::ValueColumn));
}
BENCHMARK(BM_ContextMenuForRow)->Unit(benchmark::kMicrosecond);

void BM_PickLargePhoto(benchmark::State &state)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.jpg"));
    QImage large(4000, 3000, QImage::Format_RGB32);
    large.fill(Qt::darkCyan);
    for (int y = 0; y < large.height(); y += 50)
        large.setPixelColor(y % large.width(), y, Qt::yellow);
    if (!large.save(path, "JPEG", 90)) {
        state.SkipWithError("no JPEG writer");
        return;
    }
    ShownPopover shown;
    ContactInfoRowCommands &commands = *shown.view.rowCommands();
    for (auto _ : state) {
        if (!commands.pickPhotoFile(path))
            state.SkipWithError("no photo written");
    }
    state.counters["width"] = shown.view.contact()->person->photo().width();
    state.counters["steps"] = double(shown.delegate.undoManager.canUndo());
}
BENCHMARK(BM_PickLargePhoto)->Unit(benchmark::kMillisecond);

} // namespace
