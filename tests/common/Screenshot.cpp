#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace Screenshot {

QString grab(QWidget *widget, const QString &suffix)
{
    const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
    if (folder.isEmpty() || !widget)
        return {};
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    QString name = test ? QString::fromUtf8(test->test_suite_name()) + u'.' + QString::fromUtf8(test->name())
                        : QStringLiteral("screenshot");
    if (!suffix.isEmpty())
        name += u'-' + suffix;
    // Parameterised tests are named "Rows/Suite.Test/3".
    name.replace(u'/', u'_');
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) {
        qWarning("%s: ERROR can't write %s", Q_FUNC_INFO, qPrintable(path));
        return {};
    }
    return path;
}

} // namespace Screenshot
