// The contacts store's two heavy operations on an address book of 10,000
// typical contacts: saving them all in one request, and fetching them all.
#include "StoreSampleContacts.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactStore.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int contactCount = 10000;

StoreSaveRequest addressBookRequest()
{
    StoreSaveRequest request;
    for (int i = 0; i < contactCount; ++i)
        request.addContact(StoreSampleContacts::typicalContact(i));
    return request;
}

void saveTenThousandContacts(benchmark::State &state)
{
    QTemporaryDir folder;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ContactStore store(folder.filePath(QStringLiteral("save-%1.sqlite").arg(round++)));
        const bool opened = store.open();
        const StoreSaveRequest request = addressBookRequest();
        state.ResumeTiming();
        if (!opened || !store.execute(request))
            state.SkipWithError("the save failed");
    }
    state.counters["contacts/s"]
        = benchmark::Counter(double(contactCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(saveTenThousandContacts)->Unit(benchmark::kMillisecond)->UseRealTime();

void fetchTenThousandContacts(benchmark::State &state)
{
    QTemporaryDir folder;
    ContactStore store(folder.filePath(QStringLiteral("fetch.sqlite")));
    if (!store.execute(addressBookRequest())) {
        state.SkipWithError("the store could not be filled");
        return;
    }
    QStringList keys = ContactKeys::allContactKeys();
    for (auto _ : state) {
        const QList<StoreContact> contacts = store.unifiedContactsMatchingPredicate({}, keys);
        if (contacts.size() != contactCount)
            state.SkipWithError("the fetch missed contacts");
        benchmark::DoNotOptimize(contacts.data());
    }
    state.counters["contacts/s"]
        = benchmark::Counter(double(contactCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(fetchTenThousandContacts)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
