#pragma once
// A private program folder, data folder, config folder and developer root per test, so
// the stores and ini files of one test never touch another's (or the user's).
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace core3 {

class TempTree : public prt::test::TempProgramTree {
public:
    static void Write(const QString& path, const QByteArray& bytes) { prt::test::WriteTestFile(path, bytes); }
    static QByteArray Read(const QString& path) { return prt::test::ReadTestFile(path); }
};

} // namespace core3
