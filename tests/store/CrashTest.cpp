// SPDX-License-Identifier: GPL-3.0-or-later
// A journal opens again after the program is killed at any point of a save.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QImage>
#include <csignal>
#include <random>

#include <SQLiteCpp/SQLiteCpp.h>

#include "AppError.h"
#include "Resources.h"
#include "Services.h"
#include "Store.h"
#include "TempDir.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

using namespace wf;

namespace {

class Never : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest&) override { return MsgAnswer::No; }
};

// The child: saves articles, sightings and pictures without end, telling the
// parent the id of every entry whose save has returned.
[[noreturn]] void saveForever(const QString& path, int pipeOut, unsigned seed) {
    try {
        auto store = Store::open(path);
        std::mt19937 rng(seed);
        Never messages;
        cDIBSection dib;
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(qRgb(30, 90, 160));
        dib.CreateFromPicture(picture);
        for (int i = 0;; ++i) {
            Entry e;
            e.catid = 1;
            e.subid = 1 + qint64(rng() % 100);
            qint64 id = 0;
            if (i % 3 == 2) {
                // A picture: the file, then its row.
                e.type = kImage;
                e.title = QStringLiteral("Picture %1").arg(i);
                e.fname = QStringLiteral("p%1-%2.jpg").arg(seed).arg(i);
                mIntelJPEGLibrary::SaveJpegFile(
                    dib, QFileInfo(path).absolutePath() + QStringLiteral("/Images/") + e.fname, 90,
                    messages);
                store->inTransaction([&] { id = store->appendEntry(e); });
            } else {
                // An article long enough to make the file grow, and a sighting.
                e.type = kArticle;
                e.title = QStringLiteral("Article %1").arg(i);
                e.caption = QStringLiteral("{\\rtf1 ") +
                            QString(200000 + int(rng() % 400000), QChar(u'a' + i % 26)) +
                            QStringLiteral("}");
                Sighting s;
                s.birdid = e.subid;
                s.date = QDate(2020, 1, 1).addDays(i);
                s.site = QStringLiteral("Site %1").arg(i);
                store->inTransaction([&] {
                    id = store->appendEntry(e);
                    store->appendSighting(s);
                });
            }
            if (::write(pipeOut, &id, sizeof id) != sizeof id) {
                ::_exit(3);
            }
        }
    } catch (...) {
        ::_exit(2);
    }
}

}  // namespace

TEST(Crash, AJournalKilledDuringSavesOpensWholeWithEverySaveItReported) {
    test::TempDir tmp;
    const QString dir = tmp.file("data");
    QDir().mkpath(dir + QStringLiteral("/Images"));
    const QString path = dir + QStringLiteral("/aviary.mdb");
    Store::create(path, worldListPath());
    std::vector<qint64> committed;
    std::mt19937 rng(7);
    int hot = 0;
    constexpr int kKills = 100;
    for (int k = 0; k < kKills; ++k) {
        SCOPED_TRACE(k);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            saveForever(path, fds[1], unsigned(k));
        }
        ::close(fds[1]);
        // Once the child's first save is in (however fast the machine), it
        // is killed at a different point of a later save each time.
        qint64 first = 0;
        if (::read(fds[0], &first, sizeof first) == sizeof first) {
            committed.push_back(first);
        }
        ::usleep(useconds_t(rng() % 100000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        qint64 id = 0;
        while (::read(fds[0], &id, sizeof id) == sizeof id) {
            committed.push_back(id);
        }
        ::close(fds[0]);
        hot += QFileInfo(path + QStringLiteral("-journal")).size() > 0;
        // The next start opens the journal, whole.
        std::unique_ptr<Store> store;
        try {
            store = Store::open(path);
        } catch (const AppError& e) {
            FAIL() << e.description().toStdString();
        }
        EXPECT_EQ(store->database().execAndGet("PRAGMA integrity_check").getString(), "ok");
        for (const qint64 saved : committed) {
            ASSERT_TRUE(store->entry(saved).has_value()) << "entry " << saved << " was lost";
        }
    }
    // Some kills fell in the middle of a save (how many depends on the
    // machine's speed).
    EXPECT_GT(hot, 0);
    EXPECT_GE(committed.size(), size_t(kKills));
}
