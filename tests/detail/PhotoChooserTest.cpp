// The photo chooser answered as a user answers it, the image's path typed
// into its name field, then Return or the Open button.
#include "DetailTestSupport.h"

#include "common/FileDialogUser.h"
#include "common/TestEnvironment.h"
#include "detail/ContactInfoRowCommands.h"
#include "platform/UndoManager.h"

#include <QContextMenuEvent>
#include <QImage>

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

using Answer = FileDialogUser::Answer;

class PhotoChooser : public PaneTest, public testing::WithParamInterface<Answer> { };

TEST_P(PhotoChooser, TheChosenImageBecomesThePhotoOnceTheChooserIsDone)
{
    m_controller.setEditState(true);
    show(fullContact());
    const QString folder = TestEnvironment::makeScratchFolder(u"photo-chooser"_s);
    QImage large(2048, 1024, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    const QString path = folder + u"/large.png"_s;
    ASSERT_TRUE(large.save(path));
    const QSize before = person().photo().size();
    ASSERT_NE(before, QSize(512, 256));

    ContactInfoView &view = pane();
    const QRect cell
        = view.visualRect(view.infoModel()->index(rowOf(FieldId::Photo), ContactInfoTableModel::ValueColumn));
    QContextMenuEvent click(QContextMenuEvent::Mouse, cell.center(), view.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view.viewport(), &click);
    QMenu *menu = view.rowCommands()->menu();
    ASSERT_TRUE(menu && menu->isVisible());
    QAction *replace = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->data().toString() == u"Replace Image"_s)
            replace = action;
    }
    ASSERT_NE(replace, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(replace).center());
    endTurn();

    FileDialogUser user;
    user.watchAnswer([this, before] { return person().photo().size() != before; });
    ASSERT_TRUE(user.answer(pane().findChild<QFileDialog *>(u"photoChooser"_s), path, GetParam()));
    EXPECT_FALSE(user.ranInsideDone());
    EXPECT_TRUE(user.outlivedItsAnswer());
    EXPECT_EQ(person().photo().size(), QSize(512, 256));
    EXPECT_TRUE(m_window.undoManager()->canUndo());
}

INSTANTIATE_TEST_SUITE_P(Answers, PhotoChooser, testing::Values(Answer::Return, Answer::Button),
    [](const testing::TestParamInfo<Answer> &info) { return info.param == Answer::Return ? "Return" : "Button"; });

} // namespace
