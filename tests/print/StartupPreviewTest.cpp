// The application starts on a store whose first row is a contact named in
// letters no installed face covers: the preview draws its postcard before
// anyone can reach the row, and the window opens all the same.
#include "app/AddressBookTestSupport.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "platform/contacts/StoreSaveRequest.h"
#include "print/HagakiViewController.h"
#include "table/ContactsViewController.h"
#include "print/PageRenderer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whichever way the table sorts, its first row is one of these.
StoreContact uncoveredContact(const QString &family, const QString &given)
{
    StoreContact contact;
    contact.setFamilyName(family);
    contact.setGivenName(given);
    StorePostalAddress address;
    address.postalCode = u"100-0001"_s;
    address.state = u"東京都"_s;
    address.city = u"मुंबई"_s;
    address.street = u"丸の内1-1"_s;
    contact.setPostalAddresses({{u"home"_s, address}});
    return contact;
}

bool isIndic(QChar character)
{
    return character.unicode() >= 0x0900 && character.unicode() <= 0x0DFF;
}

TEST(StartupPreview, AFirstRowNamedInLettersNoFaceCoversOpensTheWindowWithTheTable)
{
    GeneratedAddressBook book(0, TestEnvironment::makeScratchFolder(u"startup-preview"_s));
    StoreSaveRequest request;
    request.addContact(uncoveredContact(u"0क"_s, u"ਅமர்"_s));
    request.addContact(uncoveredContact(u"க"_s, u"ਅ"_s));
    StoreError error;
    ASSERT_TRUE(book.store().execute(request, &error)) << error.description.toStdString();

    RecordingAlertPresenter alerts;
    LaunchedAddressBook app(book, &alerts);
    ASSERT_TRUE(app.launch());
    WindowController &window = app.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ViewController &view = app.mainView();
    ASSERT_TRUE(view.contactTable());
    EXPECT_EQ(view.contactTable()->size(), 2);
    ASSERT_TRUE(window.contactsViewController());
    EXPECT_TRUE(window.contactsViewController()->isVisible());

    HagakiViewController *preview = window.hagakiViewController();
    ASSERT_TRUE(preview);
    ASSERT_FALSE(preview->hagakiView()->receiverPersons().isEmpty());
    const PrintContactRecordPtr first = preview->hagakiView()->receiverPersons().first();
    ASSERT_TRUE(first->person);
    EXPECT_TRUE(std::any_of(first->compositeName.cbegin(), first->compositeName.cend(), isIndic))
        << first->compositeName.toStdString();

    // The preview paints the card with the row's text.
    const QImage painted = preview->hagakiView()->grab().toImage();
    EXPECT_FALSE(painted.isNull());
    EXPECT_FALSE(preview->hagakiView()->drawList(preview->hagakiView()->bounds()).glyphs().isEmpty());
    Screenshot::grab(&window);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

} // namespace
