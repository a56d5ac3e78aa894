#pragma once

#include <QString>

// The user-defaults keys of the contact table's view settings: the table
// reads them, the window's pop-ups and the start-up repair write them.
struct ViewSettingsKeys {
    static inline const QString selectedLabelsKey = QStringLiteral("MV1DselectedLabels");
    static inline const QString viewTypeDictKey = QStringLiteral("MV1DviewTypeDict");
    static inline const QString selectedViewTypeKey = QStringLiteral("MV1DselectedViewType");
    static inline const QString sortOptionsDictKey = QStringLiteral("MV1DsortOptionsDict");
    static inline const QString lastSortDescKey = QStringLiteral("MV1DlastSortDesc");
    static inline const QString columnWidthDictionaryKey = QStringLiteral("MV1DcolumnWidthDictionary");
};
