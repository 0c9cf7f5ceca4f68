// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include "QtPrinters.h"

#include "AppError.h"
#include "CameraJpeg.h"
#include "PhotoImport.h"
#include "Store.h"
#include "TempDir.h"
#include "ThumbnailCache.h"

namespace wf {
namespace {

using test::CameraExif;
using test::TempDir;

const QDateTime kTaken(QDate(2026, 5, 3), QTime(7, 42, 10));

// A picture twice as wide as it is high: red on the left, blue on the right.
QImage widePicture() {
    QImage img(64, 32, QImage::Format_RGB32);
    img.fill(Qt::red);
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 64; ++x) {
            img.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    return img;
}

class PhotoImportTest : public ::testing::Test {
  protected:
    TempDir tmp;
    DataFolder folder{tmp.file(QStringLiteral("data"))};
    std::unique_ptr<Store> store = Store::createInMemory();
    qint64 osprey = store->addSubject(Category::Birds, QStringLiteral("Western Osprey"));
    qint64 grebe = store->addSubject(Category::Birds, QStringLiteral("Great Crested Grebe"));

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = tmp.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString camera(const QString& name, const CameraExif& x) {
        return write(name, test::jpegWithExif(widePicture(), x));
    }
    qint64 sight(qint64 bird, QDate date, const QString& lat = {}, const QString& lon = {}) {
        Sighting s;
        s.birdid = bird;
        s.date = date;
        s.site = QStringLiteral("Rutland Water");
        s.latitude = lat;
        s.longitude = lon;
        return store->appendSighting(s);
    }
};

TEST_F(PhotoImportTest, TheExifOfACameraJpegIsReadAndItsOrientationHonoured) {
    CameraExif x;
    x.taken = kTaken;
    x.hasGps = true;
    x.latitude = 52.6512;
    x.longitude = -0.6481;
    x.orientation = 6;  // turned a quarter clockwise to stand upright
    const PhotoFile p = PhotoFile::inspect(camera(QStringLiteral("IMG_0001.JPG"), x));
    ASSERT_TRUE(p.ok()) << p.problem.toStdString();
    EXPECT_EQ(p.kind, PhotoFile::Kind::Jpeg);
    EXPECT_EQ(p.exif.taken, kTaken);
    EXPECT_NEAR(p.exif.latitude.toDouble(), 52.6512, 1e-4);
    EXPECT_NEAR(p.exif.longitude.toDouble(), -0.6481, 1e-4);
    EXPECT_EQ(p.exif.camera, QStringLiteral("Canon EOS R7"));
    EXPECT_EQ(p.exif.orientation, 6);
    EXPECT_EQ(p.exif.originalName, QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(p.size, QSize(64, 32));
    // Shown upright: taller than wide, the red half on top.
    ASSERT_FALSE(p.thumbnail.isNull());
    EXPECT_GT(p.thumbnail.height(), p.thumbnail.width());
    const QColor top = p.thumbnail.pixelColor(p.thumbnail.width() / 2, 4);
    EXPECT_GT(top.red(), 180) << top.name().toStdString();
    EXPECT_LT(top.blue(), 80);
}

TEST_F(PhotoImportTest, EveryBadFileIsRefusedByNameWithItsReason) {
    const QByteArray jpeg = test::jpegWithExif(widePicture(), {});
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        widePicture().save(&b, "PNG");
    }
    // A JPEG whose frame header says 30,000 x 30,000: refused unread.
    QByteArray huge = jpeg;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0x75);
    huge[sof + 6] = char(0x30);
    huge[sof + 7] = char(0x75);
    huge[sof + 8] = char(0x30);
    const QString good = write(QStringLiteral("good.jpg"), jpeg);
    const QString link = tmp.file(QStringLiteral("link.jpg"));
    ASSERT_TRUE(QFile::link(good, link));
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {write(QStringLiteral("empty.jpg"), {}), "is empty"},
        {write(QStringLiteral("notes.jpg"), "just some words, no picture"), "is not a picture"},
        {write(QStringLiteral("really-png.jpg"), png), "is named as JPEG but holds PNG"},
        {write(QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3)), "is a damaged JPEG"},
        {write(QStringLiteral("huge.jpg"), huge), "over 100 megapixels"},
        {write(QStringLiteral("clip.gif"), "GIF89a"), "is not a picture the journal takes"},
        {link, "is a symbolic link"},
        {tmp.file(QStringLiteral("gone.jpg")), "is not a file"},
    };
    for (const auto& c : cases) {
        const PhotoFile p = PhotoFile::inspect(c.path);
        EXPECT_FALSE(p.ok()) << c.path.toStdString();
        EXPECT_TRUE(p.problem.contains(QString::fromUtf8(c.reason)))
            << QFileInfo(c.path).fileName().toStdString() << ": " << p.problem.toStdString();
    }
    if (geteuid() != 0) {  // root reads whatever the permissions say
        const QString locked = write(QStringLiteral("locked.jpg"), jpeg);
        QFile(locked).setPermissions(QFileDevice::WriteOwner);
        EXPECT_TRUE(PhotoFile::inspect(locked).problem.contains(QStringLiteral("cannot be read")));
    }
    // The good one among them goes on.
    EXPECT_TRUE(PhotoFile::inspect(good).ok());
    // A PNG is taken, to be written as JPEG.
    EXPECT_EQ(PhotoFile::inspect(write(QStringLiteral("scan.png"), png)).kind,
              PhotoFile::Kind::Convert);
}

TEST_F(PhotoImportTest, TheSightingProposedIsTheOnlyOneOrTheNearestOrNone) {
    const QDate day = kTaken.date();
    const qint64 only = sight(osprey, day);
    CameraExif x;
    x.taken = kTaken;
    x.hasGps = true;
    x.latitude = 52.65;
    x.longitude = -0.65;
    const QString photo = camera(QStringLiteral("a.jpg"), x);
    std::vector<PhotoChoice> one = PhotoImport::propose(*store, {photo});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].sightingId, only);
    EXPECT_EQ(one[0].birdid, osprey);
    EXPECT_TRUE(one[0].title.startsWith(QStringLiteral("Western Osprey, ")));

    // Two that day with positions: the nearer one, wherever it is listed.
    store->deleteSighting(only);
    sight(osprey, day, QStringLiteral("52.60"), QStringLiteral("-0.70"));
    const qint64 near = sight(grebe, day, QStringLiteral("52.651"), QStringLiteral("-0.649"));
    std::vector<PhotoChoice> two = PhotoImport::propose(*store, {photo});
    EXPECT_EQ(two[0].sightingId, near);
    EXPECT_EQ(two[0].birdid, grebe);

    // Two, but the picture has no position: none is guessed.
    x.hasGps = false;
    std::vector<PhotoChoice> blind =
        PhotoImport::propose(*store, {camera(QStringLiteral("b.jpg"), x)});
    EXPECT_EQ(blind[0].sightingId, 0);
    EXPECT_EQ(blind[0].birdid, 0);

    // No sighting on the day taken.
    x.taken = kTaken.addDays(1);
    EXPECT_EQ(PhotoImport::propose(*store, {camera(QStringLiteral("c.jpg"), x)})[0].sightingId, 0);
}

TEST_F(PhotoImportTest, AcceptedFilesAreStoredWithTheirExifAndTiesTheRestTold) {
    const qint64 seen = sight(osprey, kTaken.date());
    CameraExif x;
    x.taken = kTaken;
    x.orientation = 6;
    const QString jpegPath = camera(QStringLiteral("IMG_0002.JPG"), x);
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        widePicture().save(&b, "PNG");
    }
    const QString pngPath = write(QStringLiteral("scan.png"), png);
    const QString empty = write(QStringLiteral("empty.jpg"), {});
    std::vector<PhotoChoice> choices =
        PhotoImport::propose(*store, PhotoImport::filesIn({jpegPath, pngPath, empty}));
    ASSERT_EQ(choices.size(), 3u);
    choices[1].birdid = grebe;  // chosen by the user for the scan
    choices[1].title = QStringLiteral("Grebe: scanned / old slide");

    EXPECT_EQ(PhotoImport::store(*store, folder, choices), 2);
    EXPECT_TRUE(choices[0].outcome.isEmpty());
    EXPECT_TRUE(choices[2].outcome.contains(QStringLiteral("is empty")));
    const auto pictures = store->entryList(Category::Birds, kImage);
    ASSERT_EQ(pictures.size(), 2u);
    for (const ListedEntry& listed : pictures) {
        const Entry e = *store->entry(listed.id);
        const QString file = *folder.picturePath(e.fname);
        ASSERT_TRUE(QFileInfo::exists(file)) << e.fname.toStdString();
        EXPECT_FALSE(e.fname.contains(u'/'));
        if (e.subid == osprey) {
            // Byte for byte, its EXIF kept beside it, tied to the sighting.
            QFile stored(file);
            QFile original(jpegPath);
            ASSERT_TRUE(stored.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
            EXPECT_EQ(stored.readAll(), original.readAll());
            EXPECT_EQ(store->pictureExif(e.id)->orientation, 6);
            EXPECT_EQ(store->pictureExif(e.id)->taken, kTaken);
            EXPECT_EQ(store->sightingOfPicture(e.id), seen);
            EXPECT_EQ(store->picturesOfSighting(seen), std::vector<qint64>{e.id});
            // Shown upright wherever it is read with its orientation.
            QImageReader reader(file);
            reader.setAutoTransform(true);
            EXPECT_EQ(reader.read().size(), QSize(32, 64));
        } else {
            EXPECT_EQ(QImageReader(file).format(), QByteArray("jpeg"));
            EXPECT_FALSE(store->sightingOfPicture(e.id));
        }
    }
    // A deleted sighting takes its ties; a deleted entry its EXIF.
    store->deleteSighting(seen);
    EXPECT_EQ(store->rowCount("picture_sighting"), 0);
    for (const ListedEntry& listed : pictures) {
        store->deleteEntry(listed.id);
    }
    EXPECT_EQ(store->rowCount("picture_exif"), 0);
}

TEST_F(PhotoImportTest, ANameTakenInImagesIsToldAndTheOthersStored) {
    CameraExif x;
    x.taken = kTaken;
    std::vector<PhotoChoice> choices = PhotoImport::propose(
        *store, {camera(QStringLiteral("a.jpg"), x), camera(QStringLiteral("b.jpg"), x)});
    for (PhotoChoice& c : choices) {
        c.birdid = osprey;
        c.title = QStringLiteral("Dive");
    }
    // The next entry's id is known: a stray file already holds its name.
    const qint64 next =
        store->database().execAndGet("SELECT coalesce(max(id), 0) + 1 FROM data").getInt64();
    QDir().mkpath(folder.imagesDir());
    QFile stray(folder.imagesDir() + QStringLiteral("/Western Osprey Dive_%1.jpg").arg(next));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write("not ours");
    stray.close();
    EXPECT_EQ(PhotoImport::store(*store, folder, choices), 1);
    EXPECT_TRUE(choices[0].outcome.contains(QStringLiteral("is taken in Images")))
        << choices[0].outcome.toStdString();
    EXPECT_TRUE(choices[1].outcome.isEmpty());
    QFile again(stray.fileName());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("not ours"));
}

}  // namespace
}  // namespace wf

namespace wf {
namespace {

TEST(ThumbnailCache, AThumbnailIsKeptUnderItsFilesNameSizeAndTime) {
    test::TempDir tmp;
    const QString picture = tmp.file(QStringLiteral("Wren 1.jpg"));
    QImage img(400, 200, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    ASSERT_TRUE(img.save(picture, "JPG"));
    const ThumbnailCache cache(tmp.file(QStringLiteral("cache")));
    EXPECT_TRUE(cache.cached(picture).isNull());
    const QImage made = cache.thumbnail(picture);
    EXPECT_EQ(made.size(), QSize(ThumbnailCache::kSize, ThumbnailCache::kSize / 2));
    EXPECT_FALSE(cache.cached(picture).isNull());
    EXPECT_EQ(QDir(tmp.file(QStringLiteral("cache"))).entryList(QDir::Files).size(), 1);
    // The file changed: its old thumbnail is no longer its.
    const QString before = ThumbnailCache::keyOf(picture);
    QImage taller(100, 300, QImage::Format_RGB32);
    taller.fill(Qt::red);
    ASSERT_TRUE(taller.save(picture, "JPG"));
    QFile(picture).setFileTime(QDateTime::currentDateTime().addSecs(60),
                               QFileDevice::FileModificationTime);
    EXPECT_NE(ThumbnailCache::keyOf(picture), before);
    EXPECT_TRUE(cache.cached(picture).isNull());
    EXPECT_GT(cache.thumbnail(picture).height(), cache.thumbnail(picture).width());
    // Not a picture, or a link: nothing made.
    QFile notes(tmp.file(QStringLiteral("notes.jpg")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("words");
    notes.close();
    EXPECT_TRUE(cache.thumbnail(notes.fileName()).isNull());
    ASSERT_TRUE(QFile::link(picture, tmp.file(QStringLiteral("link.jpg"))));
    EXPECT_TRUE(cache.thumbnail(tmp.file(QStringLiteral("link.jpg"))).isNull());
}

}  // namespace
}  // namespace wf
