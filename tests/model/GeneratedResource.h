#pragma once

#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

// The data files in resources/ are made by scripts in tools/ from installed
// package data. These helpers let a test check that the committed file is
// exactly what its script makes, so that nobody edits one by hand.
namespace GeneratedResource {

[[nodiscard]] inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void expectGeneratorReproduces(const QString &tool, const QString &fileName)
{
    const QString output = TestEnvironment::makeScratchFolder(tool) + QLatin1Char('/') + fileName;
    QProcess generator;
    generator.start(QStringLiteral(QUILLMARK_TOOLS_DIR "/") + tool, {output});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const QByteArray generated = readFile(output);
    ASSERT_FALSE(generated.isEmpty());
    EXPECT_EQ(generated, readFile(QStringLiteral(QUILLMARK_RESOURCES_DIR "/") + fileName));
    EXPECT_EQ(generated, readFile(QStringLiteral(":/") + fileName));
}

} // namespace GeneratedResource
