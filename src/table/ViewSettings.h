#pragma once

#include "table/ViewSettingsKeys.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class UserDefaults;

// The view settings of one contact window: its view types with their
// columns, the view type shown, the labels whose values get rows of their
// own and the sort keys chosen per sortable column. The window's menus, its
// controller and the contact table all read and change this one object;
// every change is written to the user defaults at once, so the next window
// starts from it.
class ViewSettings : public QObject, public ViewSettingsKeys {
    Q_OBJECT

public:
    // The sort keys offered for one sortable column, and the one in use.
    struct SortOptions {
        QStringList items;
        QString selected;
        bool operator==(const SortOptions &) const = default;
    };
    using SortOptionsDict = QMap<QString, SortOptions>;
    using ViewTypeDict = QMap<QString, QStringList>;

    // Starts from the settings as the defaults hold them, unrepaired: the
    // window replaces them with the repaired ones as it loads.
    explicit ViewSettings(UserDefaults &defaults, QObject *parent = nullptr);

    // Takes settings read elsewhere; writes nothing.
    void assign(const QStringList &selectedLabels, const ViewTypeDict &viewTypeDict, const QString &selectedViewType,
        const SortOptionsDict &sortOptionsDict);

    [[nodiscard]] const QStringList &selectedLabels() const { return m_selectedLabels; }
    [[nodiscard]] const ViewTypeDict &viewTypeDict() const { return m_viewTypeDict; }
    [[nodiscard]] const QString &selectedViewType() const { return m_selectedViewType; }
    [[nodiscard]] const SortOptionsDict &sortOptionsDict() const { return m_sortOptionsDict; }
    // The columns of the view type shown; none when it has no entry.
    [[nodiscard]] QStringList selectedColumns() const { return m_viewTypeDict.value(m_selectedViewType); }
    // The sort key chosen for the column; empty when none is.
    [[nodiscard]] QString selectedSortKey(const QString &column) const
    {
        return m_sortOptionsDict.value(column).selected;
    }

    void setSelectedLabels(const QStringList &labels);
    void setSelectedViewType(const QString &viewType);
    // The view type's columns in display order; the whole dictionary is
    // written.
    void setColumns(const QString &viewType, const QStringList &columns);
    // False, writing nothing, when the key was already the column's choice.
    bool setSelectedSortKey(const QString &column, const QString &key);

    [[nodiscard]] static QVariantMap toVariantMap(const ViewTypeDict &viewTypes);
    [[nodiscard]] static QVariantMap toVariantMap(const SortOptionsDict &sortOptions);

private:
    UserDefaults &m_defaults;
    QStringList m_selectedLabels;
    ViewTypeDict m_viewTypeDict;
    QString m_selectedViewType;
    SortOptionsDict m_sortOptionsDict;
};
