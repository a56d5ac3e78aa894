#pragma once

#include "ViewControllerFixture.h"

#include "common/TestEnvironment.h"

#include "app/ImportPanelController.h"
#include "app/ProgressAlert.h"
#include "app/FileMenuCommands.h"
#include "app/FilePanel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

// The window of the controller tests with its open and save panels answered
// by the test: each answer is taken in turn, and the requests are kept.
class FileCommandsTest : public ViewControllerTest {
public:
    [[nodiscard]] QString writeFile(const QString &name, const QByteArray &bytes)
    {
        if (m_folder.isEmpty())
            m_folder = TestEnvironment::makeScratchFolder(QStringLiteral("files"));
        const QString path = QDir(m_folder).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }

protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        m_window.fileCommands()->setFilePanel([this](const FilePanel::Request &request, const FilePanel::Done &done) {
            m_requests.append(request);
            done(m_answers.isEmpty() ? FilePanel::Answer() : m_answers.takeFirst());
        });
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    void answer(const QString &path, quint32 encoding = 0) { m_answers.append({path, encoding}); }

    // The chooser once an import has put it up.
    [[nodiscard]] ImportPanelController *chooser() const
    {
        ImportPanelController *panel = m_window.fileCommands()->importPanelController();
        return panel && panel->isVisible() ? panel : nullptr;
    }

    [[nodiscard]] QStringList chooserNames() const
    {
        QStringList names;
        const QAbstractItemModel *model = chooser()->nameTableView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        return names;
    }

    // Clicks a row of the chooser, with the modifiers given.
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTableView *table = chooser()->nameTableView();
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    // Select, and the turn of the event loop on which the chooser's answer runs.
    void clickSelect() const
    {
        QTest::mouseClick(chooser()->selectButton(), Qt::LeftButton);
        endTurn();
    }
    void clickCancel() const { QTest::mouseClick(chooser()->cancelButton(), Qt::LeftButton); }

    [[nodiscard]] QStringList alertTexts() const
    {
        QStringList texts;
        for (const RecordingAlertPresenter::Alert &alert : m_alerts.alerts)
            texts.append(alert.messageText + QStringLiteral(" / ") + alert.informativeText);
        return texts;
    }

    // Presses the progress window's Cancel as soon as it shows.
    void cancelProgressWhenShown()
    {
        auto *timer = new QTimer(&m_window);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
            ProgressAlert *progress = m_window.progressAlert();
            if (progress->isVisible()) {
                timer->stop();
                timer->deleteLater();
                QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
            }
        });
        timer->start(5);
    }

    QList<FilePanel::Request> m_requests;
    QList<FilePanel::Answer> m_answers;
    QString m_folder;
};
