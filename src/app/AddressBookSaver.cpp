#include "app/AddressBookSaver.h"

#include "app/RenmeiAndHagakiStore.h"
#include "app/SaveRequestBuilder.h"
#include "platform/TranslationContext.h"
#include "platform/contacts/ContactStore.h"

namespace {

constexpr TranslationContext tr{"AddressBookSaver"};

} // namespace

AddressBookSaver::AddressBookSaver(ContactStore &store, const RenmeiAndHagakiStore &sideStore)
    : m_store(store)
    , m_sideStore(sideStore)
{
}

std::optional<AddressBookSaver::Failure> AddressBookSaver::save(const ContainerTable &containerTable) const
{
    SaveRequestBuilder::Plan plan = SaveRequestBuilder(m_store).saveAddressBook(containerTable);
    if (!plan.fetchError.isEmpty())
        return Failure{tr("Couldn't save the address book."), plan.fetchError};
    StoreError error;
    if (!plan.sideRecords.isEmpty()) {
        const std::optional<qint64> generation = m_store.saveGeneration(&error);
        if (!generation)
            return Failure{tr("Couldn't save the address book."), error.description};
        QString sideError;
        if (!m_sideStore.saveForStoreGeneration(plan.sideRecords, *generation, &sideError))
            return Failure{tr("Couldn't save the joint names and postcard layouts."), sideError};
        plan.request.setSaveGeneration(*generation + 1);
    }
    if ((!plan.request.isEmpty() || plan.request.saveGeneration()) && !m_store.execute(plan.request, &error))
        return Failure{tr("Couldn't save the address book."), error.description};
    plan.applySucceeded();
    return std::nullopt;
}
