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

enum class Source { Elsewhere, Itself, ItsTable, ACellOfItsTable };
enum class Payload { Picture, PictureFile, Text };

struct DragRow {
    const char *name;
    Source source;
    Payload payload;
    Qt::DropActions actions;
    bool accepted;
};

void PrintTo(const DragRow &row, std::ostream *out)
{
    *out << row.name;
}

class PhotoWellDrag : public testing::TestWithParam<DragRow> { };

TEST_P(PhotoWellDrag, IsTakenOnlyFromElsewhereWithAPicture)
{
    const DragRow &row = GetParam();
    QTableView table;
    QWidget cell(table.viewport());
    QWidget elsewhere;
    ImageViewDragAndDrop well;
    well.setTableView(&table);
    well.setEditable(true); // the locked well is checked in the popover
    QMimeData data;
    if (row.payload == Payload::Picture) {
        data.setImageData(portrait());
    } else if (row.payload == Payload::PictureFile) {
        const QString file = TestEnvironment::makeScratchFolder(QStringLiteral("well")) + QStringLiteral("/face.png");
        ASSERT_TRUE(portrait().save(file));
        data.setUrls({QUrl::fromLocalFile(file)});
    } else {
        data.setText(QStringLiteral("no picture"));
    }
    const QObject *sources[] = {&elsewhere, &well, &table, &cell};
    EXPECT_EQ(well.acceptsDrag(&data, sources[int(row.source)], row.actions), row.accepted);
}

INSTANTIATE_TEST_SUITE_P(Drags, PhotoWellDrag,
    testing::Values(DragRow{"FromElsewhere", Source::Elsewhere, Payload::Picture, Qt::CopyAction, true},
        DragRow{"APictureFile", Source::Elsewhere, Payload::PictureFile, Qt::CopyAction, true},
        DragRow{"ItsOwnPicture", Source::Itself, Payload::Picture, Qt::CopyAction, false},
        DragRow{"FromItsTable", Source::ItsTable, Payload::Picture, Qt::CopyAction, false},
        DragRow{"FromACellOfItsTable", Source::ACellOfItsTable, Payload::Picture, Qt::CopyAction, false},
        DragRow{"NoPicture", Source::Elsewhere, Payload::Text, Qt::CopyAction, false},
        DragRow{"MoveOnly", Source::Elsewhere, Payload::Picture, Qt::MoveAction, false}));

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

TEST(PhotoWellDrag, OutGivesThePictureAsPngAndTiff)
{
    const std::unique_ptr<QMimeData> data(ImageViewDragAndDrop::mimeDataForImage(portrait()));
    for (const char *type : {"image/png", "image/tiff"}) {
        const QImage read = QImage::fromData(data->data(QString::fromLatin1(type)));
        EXPECT_EQ(read.size(), portrait().size()) << type;
        EXPECT_EQ(read.pixelColor(48, 30), portrait().pixelColor(48, 30)) << type;
    }
}

} // namespace
