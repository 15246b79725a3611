#pragma once
// Files the tests hand to the program: written whole, the failure to write
// one reported where the test runs.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

inline QString WriteTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
    return path;
}
