#pragma once

#include <QStringListModel>

// The joint-names editor's rows: one name each, under the header "Renmei",
// editable only while the editor is editing. A name never holds a line
// break: the names are stored as one text of lines.
class NameListModel : public QStringListModel {
    Q_OBJECT

public:
    using QStringListModel::QStringListModel;

    void setEditing(bool editing) { m_editing = editing; }

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

Q_SIGNALS:
    // The user changed the name of a row.
    void nameEdited(int row);

private:
    bool m_editing = false;
};
