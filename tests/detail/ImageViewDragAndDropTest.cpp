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
    bool editable;
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

TEST_P(PhotoWellDrag, IsTakenOnlyFromElsewhereWithAPictureWhileEditable)
{
    const DragRow &row = GetParam();
    QTableView table;
    QWidget cell(table.viewport());
    QWidget elsewhere;
    ImageViewDragAndDrop well;
    well.setTableView(&table);
    well.setEditable(row.editable);
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
    testing::Values(DragRow{"FromElsewhere", true, Source::Elsewhere, Payload::Picture, Qt::CopyAction, true},
        DragRow{"APictureFile", true, Source::Elsewhere, Payload::PictureFile, Qt::CopyAction, true},
        DragRow{"NotEditable", false, Source::Elsewhere, Payload::Picture, Qt::CopyAction, false},
        DragRow{"ItsOwnPicture", true, Source::Itself, Payload::Picture, Qt::CopyAction, false},
        DragRow{"FromItsTable", true, Source::ItsTable, Payload::Picture, Qt::CopyAction, false},
        DragRow{"FromACellOfItsTable", true, Source::ACellOfItsTable, Payload::Picture, Qt::CopyAction, false},
        DragRow{"NoPicture", true, Source::Elsewhere, Payload::Text, Qt::CopyAction, false},
        DragRow{"MoveOnly", true, Source::Elsewhere, Payload::Picture, Qt::MoveAction, false}));

TEST(PhotoWellDrop, ReplacesThePictureThenTellsTheDelegateOnce)
{
    ImageViewDragAndDrop well;
    CountingDelegate delegate;
    well.setDelegate(&delegate);
    well.setEditable(true);
    QMimeData data;
    data.setImageData(portrait());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    deliver(&well, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(delegate.images.size(), 1);
    EXPECT_EQ(delegate.images.first(), well.image());
    EXPECT_EQ(well.image().size(), portrait().size());
}

TEST(PhotoWellDrop, OfDataWithoutAPictureFailsAndKeepsThePicture)
{
    ImageViewDragAndDrop well;
    CountingDelegate delegate;
    well.setDelegate(&delegate);
    well.setEditable(true);
    well.setImage(portrait());
    QMimeData data;
    data.setData(QStringLiteral("image/png"), "not a picture");
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    deliver(&well, &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_TRUE(delegate.images.isEmpty());
    EXPECT_EQ(well.image(), portrait());
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
