// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Module.h"
#include "ZipCsv.h"

namespace wf::test {
namespace {

// The zip module stands for every module: found in the build tree, asked for
// once, and a missing module or entry answered with why.
TEST(ModuleTest, AnEntryIsFoundOnceAndAMissingOneSaysWhy) {
    QString why;
    const QFunctionPointer read = moduleEntry(QStringLiteral("zip"), kZipCsvEntry, &why);
    ASSERT_NE(read, nullptr) << why.toStdString();
    EXPECT_EQ(moduleEntry(QStringLiteral("zip"), kZipCsvEntry), read);

    EXPECT_EQ(moduleEntry(QStringLiteral("nosuch"), "wingfolio_nothing", &why), nullptr);
    EXPECT_TRUE(why.contains(QLatin1String("libwingfolio_nosuch.so"))) << why.toStdString();

    why.clear();
    EXPECT_EQ(moduleEntry(QStringLiteral("zip"), "wingfolio_nothing", &why), nullptr);
    EXPECT_TRUE(why.contains(QLatin1String("libwingfolio_zip.so ("))) << why.toStdString();
    // Asked again: the same answer, without looking again.
    QString again;
    EXPECT_EQ(moduleEntry(QStringLiteral("zip"), "wingfolio_nothing", &again), nullptr);
    EXPECT_EQ(again, why);
}

}  // namespace
}  // namespace wf::test
