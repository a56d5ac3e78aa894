// Fills the application's contacts store with generated contacts, so that
// the application can be tried on an address book of some size:
//   quillmark_demo_store [COUNT]
// The store goes where the application looks for it, under XDG_DATA_HOME;
// a store that is already there is left alone.
#include "common/GeneratedAddressBook.h"
#include "platform/ApplicationPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));
    const QStringList arguments = QCoreApplication::arguments();
    bool isNumber = false;
    const int count = arguments.size() > 1 ? arguments.at(1).toInt(&isNumber) : 500;
    if (arguments.size() > 1 && (!isNumber || count < 0)) {
        std::fprintf(stderr, "usage: quillmark_demo_store [COUNT]\n");
        return 2;
    }
    const QString folder = ApplicationPaths::applicationDataFolder();
    if (folder.isEmpty())
        return 1;
    if (QFileInfo::exists(folder + QStringLiteral("/Contacts.sqlite"))) {
        std::printf("%s already holds a store\n", qPrintable(folder));
        return 0;
    }
    const GeneratedAddressBook book(count, folder);
    std::printf("%d contacts in %s\n", book.contactCount(), qPrintable(folder));
    return 0;
}
