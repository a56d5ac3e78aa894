#include "DetailTestSupport.h"

#include "detail/ImageViewDragAndDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

using namespace DetailTest;

namespace {

class CountingDelegate : public ImageViewDragAndDropDelegate {
public:
    void imageDidChange(ImageViewDragAndDrop *well) override { images.append(well->image()); }
    QList<QImage> images;
};

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

// Data without a picture fails and keeps the picture; a picture replaces it,
// then the delegate hears of it once.
TEST(PhotoWellDrop, ReplacesThePictureOnlyWithAPictureThenTellsTheDelegateOnce)
{
    ImageViewDragAndDrop well;
    CountingDelegate delegate;
    well.setDelegate(&delegate);
    well.setEditable(true);
    QImage small(8, 8, QImage::Format_ARGB32);
    small.fill(Qt::red);
    well.setImage(small);
    QMimeData broken;
    broken.setData(QStringLiteral("image/png"), "not a picture");
    QDropEvent refused(QPointF(5, 5), Qt::CopyAction, &broken, Qt::LeftButton, {});
    deliver(&well, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(delegate.images.isEmpty());
    EXPECT_EQ(well.image(), small);

    QMimeData picture;
    picture.setImageData(portrait());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &picture, Qt::LeftButton, {});
    deliver(&well, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(delegate.images.size(), 1);
    EXPECT_EQ(delegate.images.first(), well.image());
    EXPECT_EQ(well.image().size(), portrait().size());
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
