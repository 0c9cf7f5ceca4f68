// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <csignal>

#include "AppError.h"
#include "TempDir.h"
#include "TestDoubles.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

using namespace wf;
using wf::test::readAll;
using wf::test::TempDir;
using wf::test::writeAll;

namespace {

// A picture red above, blue below, 60 x 40.
QImage redOverBlue() {
    QImage pic(60, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            pic.setPixel(x, y, y < 20 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
        }
    }
    return pic;
}

bool near(QRgb a, QRgb b, int tolerance = 24) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class JpegWriterTest : public ::testing::Test {
  protected:
    TempDir tmp;
    test::ScriptedMessageBoxes messages;
    cDIBSection dib;
    void SetUp() override { dib.CreateFromPicture(redOverBlue()); }
    bool save(const QString& path) {
        return mIntelJPEGLibrary::SaveJpegFile(dib, path, 90, messages);
    }
    AppError failure(const QString& path) {
        try {
            save(path);
        } catch (const AppError& e) {
            return e;
        }
        return AppError(0, {}, {});
    }
    QStringList folderFiles() const {
        return QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

}  // namespace

TEST_F(JpegWriterTest, NewFileIsAnUprightJpegOfTheBitmapsSize) {
    const QString path = tmp.file("Robin Nest_3.jpg");
    ASSERT_TRUE(save(path));
    EXPECT_TRUE(messages.shown().empty());
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(60, 40));
    EXPECT_TRUE(near(back.pixel(30, 5), qRgb(220, 20, 20)));
    EXPECT_TRUE(near(back.pixel(30, 35), qRgb(20, 20, 220)));
    EXPECT_TRUE(near(back.pixel(0, 0), qRgb(220, 20, 20)));
    EXPECT_EQ(folderFiles(), QStringList{"Robin Nest_3.jpg"});
}

TEST_F(JpegWriterTest, OddWidthsWithPaddingStayUpright) {
    for (int width : {1, 3, 5, 7}) {
        QImage pic(width, 6, QImage::Format_RGB32);
        pic.fill(qRgb(20, 220, 20));
        for (int x = 0; x < width; ++x) {
            pic.setPixel(x, 5, qRgb(250, 250, 250));  // white bottom row
        }
        cDIBSection d;
        d.CreateFromPicture(pic);
        const QString path = tmp.file(QStringLiteral("w%1.jpg").arg(width));
        ASSERT_TRUE(mIntelJPEGLibrary::SaveJpegFile(d, path, 90, messages));
        const QImage back(path);
        ASSERT_EQ(back.size(), QSize(width, 6));
        EXPECT_GT(qGreen(back.pixel(0, 0)) - qRed(back.pixel(0, 0)), 100) << width;
    }
}

TEST_F(JpegWriterTest, ReplacingAsksAndKeepsTimesAndPermissions) {
    const QString path = tmp.file("old.jpg");
    writeAll(path, "old contents");
    // No: the file stays byte for byte.
    messages.queue(MsgAnswer::No);
    EXPECT_FALSE(save(path));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("A file with the above title already exists. Would you like to "
                             "overwrite the file?"));
    EXPECT_EQ(messages.last().title, QStringLiteral("File Name in use"));
    EXPECT_EQ(messages.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages.last().icon, MsgIcon::Question);
    EXPECT_EQ(readAll(path), QByteArray("old contents"));

    // Yes: replaced, with the old file's times and permissions (set now, as
    // reading the file above moved its access time).
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    const QDateTime when(QDate(2011, 4, 5), QTime(6, 7, 8));
    ASSERT_TRUE(old.setFileTime(when, QFileDevice::FileModificationTime));
    ASSERT_TRUE(old.setFileTime(when.addDays(1), QFileDevice::FileAccessTime));
    old.close();
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));

    messages.queue(MsgAnswer::Yes);
    EXPECT_TRUE(save(path));
    const QFileInfo info(path);
    EXPECT_EQ(info.lastModified(), when);
    EXPECT_EQ(info.lastRead(), when.addDays(1));
    EXPECT_FALSE(QImage(path).isNull());
    EXPECT_EQ(info.permissions() & 0x0FFF,
              (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
               QFileDevice::ReadUser | QFileDevice::WriteUser) &
                  0x0FFF);
    EXPECT_EQ(folderFiles(), QStringList{"old.jpg"});
}

TEST_F(JpegWriterTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const QString path = tmp.file("keep.jpg");
    writeAll(path, "precious");
    // A file layer that refuses more than 100 bytes (root ignores read-only
    // folders, not file size limits).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    messages.queue(MsgAnswer::Yes);
    const AppError e = failure(path);
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(e.number(), err::JpegWriter);
    EXPECT_EQ(e.source(), QStringLiteral("wingfolio.mIntelJPEGLibrary"));
    EXPECT_TRUE(e.description().startsWith(QStringLiteral("Failed to save to JPG ")));
    EXPECT_EQ(readAll(path), QByteArray("precious"));
    EXPECT_EQ(folderFiles(), QStringList{"keep.jpg"});
}

TEST_F(JpegWriterTest, NamesAndFoldersTheFileSystemRefuse) {
    // A '/' in a title makes a folder that is not there.
    AppError e = failure(tmp.file("Robin Male/Female_4.jpg"));
    EXPECT_EQ(e.number(), err::JpegWriter);
    EXPECT_EQ(e.description(),
              QStringLiteral("Failed to save to JPG %1").arg(mIntelJPEGLibrary::kOpenFailed));
    e = failure(tmp.file("missing/folder/x.jpg"));
    EXPECT_EQ(e.number(), err::JpegWriter);
    EXPECT_TRUE(folderFiles().isEmpty());
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(JpegWriterTest, BitmapWithoutPixelMemory) {
    cDIBSection empty;
    try {
        mIntelJPEGLibrary::SaveJpegFile(empty, tmp.file("e.jpg"), 90, messages);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::JpegWriter);
        EXPECT_EQ(
            e.description(),
            QStringLiteral("Failed to save to JPG %1").arg(mIntelJPEGLibrary::kNoPixelMemory));
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.file("e.jpg")));
}

TEST(JpegPadding, PadBytesFollowTheWidth) {
    cDIBSection d;
    ASSERT_TRUE(d.Create(1, 1));
    EXPECT_EQ(d.BytesPerScanLine() - d.Width() * 3, 1);
    ASSERT_TRUE(d.Create(4, 1));
    EXPECT_EQ(d.BytesPerScanLine() - d.Width() * 3, 0);
}

namespace {

// Replaces a read-only picture its owner asked to replace; true when the new
// picture is in place with the old mode bits exactly.
bool replaceReadOnly(const QString& dir, cDIBSection& dib) {
    const QString path = dir + QStringLiteral("/ro.jpg");
    writeAll(path, "old");
    if (::chmod(QFile::encodeName(path).constData(), 0444) != 0) {
        return false;
    }
    test::ScriptedMessageBoxes yes;
    yes.queue(MsgAnswer::Yes);
    try {
        if (!mIntelJPEGLibrary::SaveJpegFile(dib, path, 90, yes)) {
            return false;
        }
    } catch (const AppError&) {
        return false;
    }
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & 07777) == 0444 &&
           !QImage(path).isNull() && QDir(dir).entryList(QDir::Files | QDir::Hidden).size() == 1;
}

}  // namespace

TEST_F(JpegWriterTest, AReadOnlyPictureKeepsItsExactModeWhenReplaced) {
    EXPECT_TRUE(replaceReadOnly(tmp.path(), dib));
    if (::geteuid() != 0) {
        return;  // already run as a normal user
    }
    // Once more as a normal user who owns the folder and the file.
    const QString dir = tmp.file("user");
    ASSERT_TRUE(QDir().mkpath(dir));
    const uid_t nobody = 65534;
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0711), 0);  // let them in
    ASSERT_EQ(::chown(QFile::encodeName(dir).constData(), nobody, nobody), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setgid(nobody) == 0 && ::setuid(nobody) == 0 && replaceReadOnly(dir, dib);
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
