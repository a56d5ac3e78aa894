// The contact table's rows for 10,000 generated contacts with two or three
// phones, e-mail addresses and postal addresses each and a birthday, under
// every label, in the columns of "Address Detail" plus "Phone" and "Email",
// which make the most rows. Aims: the rows built and reloaded within 40 ms;
// a sort by each of "compositeName", "PhoneticLastName", "Email domain" and
// "Birthday" within 40 ms; every row's height without a find string within
// 20 ms (with one, shown apart).
#include "common/GeneratedAddressBook.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/ContactTableModel.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int contactCount = 10000;

const QStringList &benchColumns()
{
    static const QStringList columns{QStringLiteral("Sender"), QStringLiteral("Name"), QStringLiteral("Renmei"),
        QStringLiteral("Company"), QStringLiteral("ZIP"), QStringLiteral("State"), QStringLiteral("City"),
        QStringLiteral("Street"), QStringLiteral("Country"), QStringLiteral("Phone"), QStringLiteral("Email")};
    return columns;
}

ContactTablePtr &generatedContacts()
{
    static ContactTablePtr contacts = [] {
        auto table = std::make_shared<ContactTable>();
        for (int index = 0; index < contactCount; ++index)
            table->append(
                ContactRecord::makeWithPerson(MVPerson::initWithCNContact(GeneratedAddressBook::makeContact(index))));
        return table;
    }();
    return contacts;
}

// A model with its rows built once.
ContactTableModel &builtModel()
{
    static ContactTableModel *model = [] {
        auto *made = new ContactTableModel;
        made->setContactTable(generatedContacts());
        made->setColumnIdentifiers(benchColumns());
        made->setSelectedLabels({QStringLiteral("All")});
        made->updateSubContactTable();
        made->reload();
        return made;
    }();
    return *model;
}

void BM_BuildRows(benchmark::State &state)
{
    ContactTableModel model;
    model.setContactTable(generatedContacts());
    model.setColumnIdentifiers(benchColumns());
    model.setSelectedLabels({QStringLiteral("All")});
    for (auto _ : state) {
        model.updateSubContactTable();
        benchmark::DoNotOptimize(model.reload());
    }
    state.counters["rows"] = double(model.subContactTable().size());
}
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond);

void BM_SortRows(benchmark::State &state, const QString &key)
{
    ContactTableModel &model = builtModel();
    // Every round sorts the rows as they were built, not as the last round left them.
    model.updateSubContactTable();
    const ContactTableModel::SubContactTable built = model.subContactTable();
    bool ascending = true;
    for (auto _ : state) {
        model.sortSubContactTable({{key, ascending}});
        state.PauseTiming();
        model.updateSubContactTable();
        ascending = !ascending;
        state.ResumeTiming();
    }
    state.counters["rows"] = double(built.size());
}
BENCHMARK_CAPTURE(BM_SortRows, compositeName, QStringLiteral("compositeName"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, PhoneticLastName, QStringLiteral("PhoneticLastName"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, EmailDomain, QStringLiteral("Email domain"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, Birthday, QStringLiteral("Birthday"))->Unit(benchmark::kMillisecond);

void BM_RowHeights(benchmark::State &state, const QString &findString)
{
    ContactTableModel &model = builtModel();
    model.setFindString(findString);
    const int rows = model.rowCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(model.heightsOfRows());
    model.setFindString({});
    state.counters["rows"] = double(rows);
}
BENCHMARK_CAPTURE(BM_RowHeights, NoFindString, QString())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RowHeights, Finding, QStringLiteral("example"))->Unit(benchmark::kMillisecond);

} // namespace
