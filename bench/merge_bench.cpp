// The merge sheet over two contacts of 60 values each (every labeled field,
// a five-line note, a photo): set up, both sides' rows built and measured,
// shown, within 30 ms; the right second phone moved onto the left first phone
// (one undo group, both tables reloaded) within 10 ms; Done applied in a
// window of 10,000 contacts until the contact table has redrawn, within
// 150 ms.
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/GeneratedAddressBook.h"
#include "find/MergePanelController.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/ContactRecord.h"
#include "model/ContainerRecord.h"
#include "model/GroupRecord.h"
#include "model/MVPerson.h"
#include "model/SubContactRecord.h"
#include "platform/UndoManager.h"
#include "table/ContactsViewController.h"
#include "SixtyValueContact.h"
#include "app/ContactMenuCommands.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>

#include <memory>

namespace {

QImage photoOf(int index)
{
    QImage photo(64, 64, QImage::Format_ARGB32);
    photo.fill(index % 2 ? Qt::darkCyan : Qt::darkRed);
    return photo;
}

std::shared_ptr<MergeContextInfo> context()
{
    auto made = std::make_shared<MergeContextInfo>();
    made->contacts = {SixtyValueContact::make(0, photoOf(0)), SixtyValueContact::make(1, photoOf(1))};
    return made;
}

void BM_OpenMergeEditor(benchmark::State &state)
{
    QWidget parent;
    parent.resize(1000, 800);
    parent.show();
    MergePanelController panel(&parent);
    const auto info = context();
    for (auto _ : state) {
        panel.setContextInfo(info, true);
        panel.setSelectedFont(QApplication::font());
        panel.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        panel.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = double(panel.model(true)->rowCount());
}
BENCHMARK(BM_OpenMergeEditor)->Unit(benchmark::kMillisecond);

// The row of the side's nth value of the field.
int rowOf(const MergePanelController &panel, bool left, const ContactIdentifier &type, int nth)
{
    const QList<MergeTableRowPtr> &rows = panel.model(left)->rows();
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row)->type == type && nth-- == 0)
            return row;
    }
    return -1;
}

void BM_DropMovesPhone(benchmark::State &state)
{
    QWidget parent;
    parent.resize(1000, 800);
    parent.show();
    MergePanelController panel(&parent);
    const auto info = context();
    panel.setContextInfo(info, true);
    panel.show();
    QCoreApplication::processEvents();
    MergeTableView &target = *panel.tableViewLeft();
    const int source = rowOf(panel, false, FieldId::Phone, 1);
    const QModelIndex cell = target.model()->index(rowOf(panel, true, FieldId::Phone, 0), MergeTableModel::TypeColumn);
    target.scrollTo(cell);
    const QPoint point = target.visualRect(cell).center();
    for (auto _ : state) {
        std::unique_ptr<QMimeData> data(panel.writeRow(false, source));
        if (!data) {
            state.SkipWithError("the phone row has nothing to drag");
            break;
        }
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &enter);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &move);
        QDropEvent drop(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &drop);
        state.PauseTiming();
        if (!drop.isAccepted() || panel.changeCount() != 1) {
            state.SkipWithError("the phone drop was refused");
            break;
        }
        panel.undoManager()->undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DropMovesPhone)->Unit(benchmark::kMillisecond);

ContainerTablePtr container()
{
    auto made = std::make_shared<ContainerRecord>();
    made->identifier = QStringLiteral("local");
    made->name = QStringLiteral("On This Computer");
    auto group = std::make_shared<GroupRecord>();
    group->top = true;
    group->name = QStringLiteral("All Contacts");
    group->containerIdentifier = made->identifier;
    group->contactTable = std::make_shared<ContactTable>();
    for (int index = 0; index < 10000; ++index)
        group->contactTable->append(
            ContactRecord::makeWithPerson(MVPerson::initWithCNContact(GeneratedAddressBook::makeContact(index))));
    made->groups->append(group);
    return std::make_shared<ContainerTable>(ContainerTable{made});
}

void BM_DoneAppliesMerge(benchmark::State &state)
{
    WindowController window;
    window.resize(1400, 900);
    window.show();
    ViewController &controller = *window.mainViewController();
    const ContainerTablePtr containers = container();
    controller.setContainerTable(containers);
    controller.groupSelectionDidChange(containers->first()->groups->first());
    QCoreApplication::processEvents();
    // The table shows a contact on as many rows as it has values of the most
    // numerous field: the first two contacts are the first row and the first
    // row of another contact.
    ContactsViewController &table = *window.contactsViewController();
    const QList<SubContactRecordPtr> &rows = table.subContactTable();
    int second = 1;
    while (second < rows.size() && rows.at(second)->uniqueId == rows.first()->uniqueId)
        ++second;
    for (auto _ : state) {
        state.PauseTiming();
        table.selectRowIndexes({0, second});
        window.contactCommands()->mergeContacts();
        MergePanelController *panel = window.contactCommands()->mergePanelController();
        if (!panel || !panel->isVisible()) {
            state.SkipWithError("the sheet did not open");
            break;
        }
        if (!panel->isEditable())
            panel->editButton()->click();
        panel->textFieldCellChanged(true, 7, QStringLiteral("Merged Company"));
        state.ResumeTiming();
        panel->doneButton()->click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (!controller.undoManager()->canUndo()) {
            state.SkipWithError("Done applied nothing");
            break;
        }
        controller.undoManager()->undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DoneAppliesMerge)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
