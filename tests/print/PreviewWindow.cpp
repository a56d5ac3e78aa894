#include "PreviewWindow.h"

#include "PdfWords.h"

#include "common/GeneratedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "print/PrintInfo.h"
#include "app/PrintCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTest>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

void PreviewWindowTest::SetUp()
{
    m_locale = QLocale();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folder = TestEnvironment::makeScratchFolder(u"preview"_s);
    m_defaults = std::make_unique<UserDefaults>(folder + u"/Quillmark.conf"_s);
    m_contacts = std::make_shared<ContactTable>();
    for (int i = 0; i < 6; ++i)
        m_contacts->append(
            ContactRecord::makeWithPerson(MVPerson::initWithCNContact(GeneratedAddressBook::makeContact(i))));
    // The shared paper goes back to its start for every test.
    PrintInfo &paper = *PrintInfo::sharedPrintInfo();
    paper = PrintInfo();
}

void PreviewWindowTest::TearDown()
{
    m_window.reset();
    QLocale::setDefault(m_locale);
}

void PreviewWindowTest::openWindow()
{
    m_window = std::make_unique<WindowController>(WindowController::Services{m_defaults.get(), &m_alerts});
    m_controller = m_window->mainViewController();
    m_controller->setContactsViewController(&m_table);
    m_controller->setEditButton(&m_editButton);
    m_controller->setContactTable(m_contacts);
    m_controller->setRepresentedObject({});
    m_controller->setEditState(true);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->printCommands()->shouldChangePrintInfo(PrintInfo::sharedPrintInfo());
    endTurn();
}

void PreviewWindowTest::selectRows(const QList<std::pair<int, qint64>> &rows)
{
    m_table.selectedSubContactsList.clear();
    m_table.selectedContactsList.clear();
    for (const auto &[i, position] : rows) {
        const ContactRecordPtr &contact = m_contacts->at(i);
        m_table.selectedSubContactsList.append(
            std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, position));
        if (!m_table.selectedContactsList.contains(contact))
            m_table.selectedContactsList.append(contact);
    }
    if (!m_table.selectedSubContactsList.isEmpty())
        m_controller->rowSelectionDidChange(m_table.selectedSubContactsList.last());
}

QPoint PreviewWindowTest::onView(const QPointF &paperPoint) const
{
    const QRectF shown = view().bounds();
    return QPointF((paperPoint.x() - shown.x()) * view().width() / shown.width(),
        (paperPoint.y() - shown.y()) * view().height() / shown.height())
        .toPoint();
}

void PreviewWindowTest::drag(const QPointF &from, const QPointF &to) const
{
    QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, onView(from));
    constexpr int steps = 4;
    for (int step = 1; step <= steps; ++step) {
        const QPointF at = from + (to - from) * (double(step) / steps);
        QMouseEvent move(QEvent::MouseMove, onView(at), view().mapToGlobal(onView(at)), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(&view(), &move);
    }
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, onView(to));
}

bool PreviewWindowTest::printInto(const QString &path, QPrinter::PageOrder order)
{
    m_window->printCommands()->setPrintPanel(
        [this, path, order](QPrinter &printer, const std::function<void(bool)> &done) {
            ++m_printPanels;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPageOrder(order);
            done(true);
        });
    m_window->validateMenus();
    if (!m_window->printCommands()->printAction()->isEnabled())
        return false;
    m_window->printCommands()->printAction()->trigger();
    return true;
}

void PreviewWindowTest::choosePrintStyle(const QString &style)
{
    PrintPanels::choosePrintStyle(m_window->printStylePopup(), style);
}

QString PreviewWindowTest::pdfPath()
{
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QString::fromUtf8(test->test_suite_name()) + u'.' + QString::fromUtf8(test->name());
    const QString path = QDir(PdfWords::outputFolder()).filePath(name + u".pdf"_s);
    QFile::remove(path);
    return path;
}
