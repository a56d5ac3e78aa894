#pragma once

#include "model/ContactRecord.h"
#include "model/LabeledValueRecord.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>

// The simple sheet's nine rows of field name and value over the sheet's own
// copy of the contact; an edit is handed to the sheet, which records it.
class SimpleInfoTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TypeColumn, ValueColumn };
    enum Role {
        PlaceholderRole = Qt::UserRole + 1, // what an empty value cell shows greyed, else nothing
    };
    static constexpr int RenmeiRow = 2;
    // The value keys of the rows, in their order.
    [[nodiscard]] static const QStringList &valueKeys();

    using EditHandler = std::function<void(const QString &valueKey, const QString &text)>;

    explicit SimpleInfoTableModel(QObject *parent = nullptr);

    void setContact(const ContactRecordPtr &contact);
    [[nodiscard]] const ContactRecordPtr &contact() const { return m_contact; }
    void setEditable(bool editable) { m_editable = editable; }
    void setEditHandler(EditHandler handler) { m_editHandler = std::move(handler); }
    void setRowHeight(int height) { m_rowHeight = height; }
    [[nodiscard]] int rowHeight() const { return m_rowHeight; }
    void setFont(const QFont &font) { m_font = font; }
    // The label an address made by the first address edit gets.
    void setNewAddressLabel(const QString &label) { m_newAddressLabel = label; }
    // Every value and row height shown again.
    void reload();
    // The contact's address the sheet edits: at its position, or a new one
    // at home in Japan; the flag tells which.
    [[nodiscard]] LabeledValueRecord address(bool *held = nullptr) const;
    // The address's position: the record's own, until the sheet adds the
    // address, which then goes where the list had room for it.
    [[nodiscard]] qsizetype addressIndex() const { return m_addressIndex; }
    void setAddressIndex(qsizetype index) { m_addressIndex = index; }
    [[nodiscard]] QString valueText(const QString &valueKey) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    ContactRecordPtr m_contact;
    qsizetype m_addressIndex = 0;
    bool m_editable = false;
    int m_rowHeight = 24;
    QFont m_font;
    QString m_newAddressLabel = QStringLiteral("home");
    EditHandler m_editHandler;
};
