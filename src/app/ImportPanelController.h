#pragma once

#include "model/ContactRecord.h"

#include "detail/ContactInfoController.h"

#include <QDialog>
#include <QPointer>
#include <QList>
#include <QString>

class ContactInfoController;
class ImportNameTableModel;
class QLabel;
class QPushButton;
class QTableView;

// The sheet in which the user picks, among the contacts read from an
// imported file, those to add: their names with a picture, the one clicked
// shown read-only beside them. Select ends it with SelectCode and Cancel with
// CancelCode; the caller reads selectedIndexes() when it has ended and adds
// the chosen contacts itself.
//
// It opens with every row selected and the first one shown, so Select takes
// the whole file unless the user narrows the choice.
class ImportPanelController : public QDialog {
    Q_OBJECT

public:
    static constexpr int CancelCode = 0;
    static constexpr int SelectCode = 1;

    explicit ImportPanelController(QWidget *parent = nullptr);
    ~ImportPanelController() override;

    void setFilename(const QString &filename);
    [[nodiscard]] const QString &filename() const { return m_filename; }
    // The contacts offered, in file order.
    void setNameTable(const ContactTablePtr &nameTable);
    [[nodiscard]] const ContactTablePtr &nameTable() const;
    // The selected rows, in ascending order.
    [[nodiscard]] QList<int> selectedIndexes() const;
    [[nodiscard]] double rowHeight() const { return m_rowHeight; }

    void buttonPressed(QObject *sender);

    [[nodiscard]] QLabel *importFilename() const { return m_importFilename; }
    [[nodiscard]] QTableView *nameTableView() const { return m_nameTableView; }
    [[nodiscard]] QPushButton *selectButton() const { return m_selectButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    [[nodiscard]] ContactInfoController *contactInfoController() const { return m_contactInfoController; }

private:
    void selectionDidChange();

    QString m_filename;
    double m_rowHeight = 20.0;
    ImportNameTableModel *m_model = nullptr;
    QLabel *m_importFilename = nullptr;
    QTableView *m_nameTableView = nullptr;
    QPushButton *m_selectButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPointer<ContactInfoController> m_contactInfoController;
};
