#include "DetailTestSupport.h"

#include "detail/ImageViewDragAndDrop.h"

#include <QMimeData>
#include <QTableView>
#include <QUrl>

using namespace DetailTest;

namespace {

TEST(PhotoWellDrag, IsTakenOnlyFromElsewhereWithAPicture)
{
    QTableView table;
    QWidget cell(table.viewport());
    QWidget elsewhere;
    ImageViewDragAndDrop well;
    well.setTableView(&table);
    well.setEditable(true); // the locked well is checked in the popover
    QMimeData picture;
    picture.setImageData(portrait());
    QMimeData file;
    const QString path = TestEnvironment::makeScratchFolder(QStringLiteral("well")) + QStringLiteral("/face.png");
    ASSERT_TRUE(portrait().save(path));
    file.setUrls({QUrl::fromLocalFile(path)});
    QMimeData text;
    text.setText(QStringLiteral("no picture"));
    const struct {
        const char *name;
        const QObject *source;
        const QMimeData *data;
        Qt::DropActions actions;
        bool accepted;
    } drags[] = {
        {"FromElsewhere", &elsewhere, &picture, Qt::CopyAction, true},
        {"APictureFile", &elsewhere, &file, Qt::CopyAction, true},
        {"ItsOwnPicture", &well, &picture, Qt::CopyAction, false},
        {"FromItsTable", &table, &picture, Qt::CopyAction, false},
        {"FromACellOfItsTable", &cell, &picture, Qt::CopyAction, false},
        {"NoPicture", &elsewhere, &text, Qt::CopyAction, false},
        {"MoveOnly", &elsewhere, &picture, Qt::MoveAction, false},
    };
    for (const auto &drag : drags)
        EXPECT_EQ(well.acceptsDrag(drag.data, drag.source, drag.actions), drag.accepted) << drag.name;
}

TEST(PhotoWellDragOut, GivesThePictureAsPngAndTiff)
{
    const std::unique_ptr<QMimeData> data(ImageViewDragAndDrop::mimeDataForImage(portrait()));
    for (const char *type : {"image/png", "image/tiff"}) {
        const QImage read = QImage::fromData(data->data(QString::fromLatin1(type)));
        EXPECT_EQ(read.size(), portrait().size()) << type;
        EXPECT_EQ(read.pixelColor(48, 30), portrait().pixelColor(48, 30)) << type;
    }
}

} // namespace
