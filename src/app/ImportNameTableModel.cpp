#include "app/ImportNameTableModel.h"

#include "model/MVPerson.h"

#include <QCoreApplication>

namespace {

const QString guestImage = QStringLiteral(":/UserGuest.png");

} // namespace

void ImportNameTableModel::setNameTable(const ContactTablePtr &nameTable)
{
    beginResetModel();
    m_nameTable = nameTable ? nameTable : std::make_shared<ContactTable>();
    m_pictures.clear();
    endResetModel();
}

int ImportNameTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_nameTable->size());
}

int ImportNameTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant ImportNameTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_nameTable->size())
        return {};
    const ContactRecordPtr &record = m_nameTable->at(index.row());
    if (role == Qt::DisplayRole) {
        // The composite name stands in "No Name" of its own for no name;
        // the chooser says it in its own words.
        MVPerson *person = record ? record->person.get() : nullptr;
        const QString name = person ? person->compositeName() : QString();
        const bool nameless = !person
            || (person->showAsPerson() ? person->nameValue()->stringValue.isEmpty()
                                       : person->stringValues()->value(FieldId::Company).isEmpty());
        return nameless ? QCoreApplication::translate("ImportPanelController", "No name") : name;
    }
    if (role == Qt::DecorationRole)
        return pictureOf(index.row());
    return {};
}

QVariant ImportNameTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return QCoreApplication::translate("ImportPanelController", "Name");
    return {};
}

QImage ImportNameTableModel::pictureOf(int row) const
{
    if (const auto found = m_pictures.constFind(row); found != m_pictures.cend())
        return *found;
    const ContactRecordPtr &record = m_nameTable->at(row);
    QImage picture = record && record->person ? record->person->photo() : QImage();
    if (picture.isNull())
        picture = QImage(guestImage);
    picture = picture.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_pictures.insert(row, picture);
    return picture;
}
