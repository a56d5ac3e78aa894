#pragma once

#include "model/LabeledValueRecord.h"
#include "model/SubContactRecord.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class PostalDatabase;
class WindowCommandHost;
class ZipSheetController;

// The toolbar's "ZIP": the postal-code sheet over the window, seeded from the
// selected row's address; its Paste writes the hit into that address as one
// undo step.
class ZipSheetCommand : public QObject {
    Q_OBJECT

public:
    explicit ZipSheetCommand(WindowCommandHost &host);

    void showZipSheet();
    // The sheet's end: Paste (code 1) writes the chosen hit.
    void zipSheetDidEnd(int returnCode);
    [[nodiscard]] ZipSheetController *zipSheetController() const;
    // The postal data the sheet searches; the shipped data unless set.
    void setPostalDatabase(std::shared_ptr<const PostalDatabase> database) { m_postalDatabase = std::move(database); }

private:
    [[nodiscard]] static LabeledValueRecordPtr shownAddress(const SubContactRecord &row, const QStringList &filter);
    [[nodiscard]] static bool rowTakesPaste(
        const SubContactRecord &row, const LabeledValueRecordPtr &address, const QStringList &filter);

    WindowCommandHost &m_host;
    QPointer<ZipSheetController> m_zipSheetController;
    std::shared_ptr<const PostalDatabase> m_postalDatabase;
};
