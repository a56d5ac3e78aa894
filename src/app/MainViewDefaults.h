#pragma once

#include "editors/InterfaceFontKeys.h"
#include "model/SortDescriptor.h"
#include "print/PrintOptionsRecord.h"
#include "table/ViewSettings.h"

#include <QFont>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class UserDefaults;

// The view settings a contact window starts from, read from the user
// defaults and repaired: a value that is missing or of the wrong shape (text
// where a list belongs, a sort entry without "items") reads as absent, and
// the default takes its place, written back where noted.
struct MainViewDefaults : ViewSettingsKeys, InterfaceFontKeys {
    using SortOptions = ViewSettings::SortOptions;
    using SortOptionsDict = ViewSettings::SortOptionsDict;
    using ViewTypeDict = ViewSettings::ViewTypeDict;

    static inline const QString showGroupViewKey = QStringLiteral("MV1DshowGroupView");
    // The container shown last, which the next start shows again.
    static inline const QString lastContainerIdentifierKey = QStringLiteral("MV1DlastContainerIdentifier");
    static inline const QString fontNameKey = QStringLiteral("MVFontName");
    static inline const QString fontSizeKey = QStringLiteral("MVFontSize");
    // Followed by the window's frame autosave name.
    static inline const QString windowFramePrefix = QStringLiteral("Window Frame ");

    QStringList selectedLabels; // written when absent: ["All"]
    ViewTypeDict viewTypeDict; // written when absent or empty: the built-in view types
    QString selectedViewType; // written when absent or "Name": "Address"
    SortOptionsDict sortOptionsDict; // written when absent or an entry was: the three built-in entries
    PrintOptionsRecordPtr printOptions; // rebuilt and written when older than the current layout
    QString printStyle; // written when empty: "Hagaki"

    // Reads the settings in this order, writing the defaults noted above.
    [[nodiscard]] static MainViewDefaults readAndRepair(UserDefaults &defaults);

    [[nodiscard]] static ViewTypeDict defaultViewTypeDict();
    // The view types' columns, stored when no other is.
    [[nodiscard]] static QVariantMap aViewTypeDict();
    [[nodiscard]] static SortOptionsDict defaultSortOptionsDict();
    [[nodiscard]] static QVariantMap toVariantMap(const ViewTypeDict &viewTypes)
    {
        return ViewSettings::toVariantMap(viewTypes);
    }
    [[nodiscard]] static QVariantMap toVariantMap(const SortOptionsDict &sortOptions)
    {
        return ViewSettings::toVariantMap(sortOptions);
    }
    // Hands the view settings read to their owner.
    void assignViewSettings(ViewSettings &settings) const
    {
        settings.assign(selectedLabels, viewTypeDict, selectedViewType, sortOptionsDict);
    }

    // The table's sort: the last one stored, else "compositeName" ascending.
    // Read only; the table writes it when the user sorts.
    [[nodiscard]] static SortDescriptor lastSortDescriptor(const UserDefaults &defaults);

    // The font keys of a window: "MVFontName" and "MVFontSize", each followed
    // by a space and the document name in a document window.
    [[nodiscard]] static QString fontNameKeyFor(const QString &documentName);
    [[nodiscard]] static QString fontSizeKeyFor(const QString &documentName);
    // The application font at 12 points, which stands for the system font.
    [[nodiscard]] static QFont systemFont();
    // The stored font: the system font when no name (or the other platform's
    // system font name) is stored; a stored name this machine lacks gives
    // none. Sizes below 7 points become 7.
    [[nodiscard]] static std::optional<QFont> storedFont(const UserDefaults &defaults, const QString &documentName);
    static void storeFont(const QFont &font, UserDefaults &defaults, const QString &documentName);
};
