// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>

#include "QtPrinters.h"

#include "AppError.h"
#include "ListDocument.h"
#include "RichText.h"
#include "Store.h"
#include "TempDir.h"
#include "TripReport.h"

namespace wf {
namespace {

using test::TempDir;

// The text of a PDF as poppler reads it back, its lines joined by spaces.
QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext (poppler-utils) is not installed";
        return {};
    }
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

class TripReportTest : public ::testing::Test {
  protected:
    TempDir tmp;
    DataFolder folder{tmp.path()};
    std::unique_ptr<Store> store = Store::createInMemory();
    qint64 mallard = store->addSubject(Category::Birds, QStringLiteral("Mallard"));
    qint64 osprey = store->addSubject(Category::Birds, QStringLiteral("Western Osprey"));
    qint64 grebe = store->addSubject(Category::Birds, QStringLiteral("Great Crested Grebe"));
    QByteArray jpeg;

    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(folder.imagesDir()));
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(QColor(30, 90, 160));
        ASSERT_TRUE(
            picture.save(folder.imagesDir() + QStringLiteral("/Osprey fishing.jpg"), "JPG"));
        QFile f(folder.imagesDir() + QStringLiteral("/Osprey fishing.jpg"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        jpeg = f.readAll();
    }

    qint64 outing(QDate date, const QString& site, const std::vector<qint64>& birds) {
        Outing o;
        o.date = date;
        o.site = site;
        o.country = QStringLiteral("England");
        o.durationMin = QStringLiteral("150");
        const qint64 id = store->addOuting(o);
        for (const qint64 bird : birds) {
            Sighting s;
            s.birdid = bird;
            s.date = date;
            s.site = site;
            store->setOutingOf(store->appendSighting(s), id);
        }
        return id;
    }

    void file(qint64 outingId, const QString& type, const QString& title, const QString& text,
              const QString& fname = QStringLiteral(" ")) {
        Entry e;
        e.catid = int(Category::Outings);
        e.subid = outingId;
        e.type = type;
        e.title = title;
        e.caption = text;
        e.fname = fname;
        store->appendEntry(e);
    }
};

TEST_F(TripReportTest, ThePdfHoldsEverySpeciesTheNarrativeAndTheCaptions) {
    // Seen before: the mallard is no lifer on the trip.
    outing(QDate(2025, 1, 1), QStringLiteral("Home"), {mallard});
    const qint64 trip = outing(QDate(2026, 5, 3), QStringLiteral("Rutland Water"),
                               {mallard, osprey, grebe, osprey});
    file(trip, kArticle, QStringLiteral("Morning"),
         QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Two \\b ospreys\\b0  fished "
                        "the south arm.\\par Then the rain came.\\par}"));
    file(trip, kImage, QStringLiteral("Osprey with a trout"), {},
         QStringLiteral("Osprey fishing.jpg"));
    file(trip, kImage, QStringLiteral("Lost picture"), {}, QStringLiteral("gone.jpg"));
    file(trip, kLink, QStringLiteral("Reserve page"), {},
         QStringLiteral("https://example.org/rutland"));

    const TripReport report(*store, folder, {trip});
    const QString pdf = tmp.file(QStringLiteral("trip.pdf"));
    report.writePdf(pdf);
    const QString text = pdfText(pdf);
    for (const char* expected :
         {"Trip Report", "Rutland Water", "150 minutes", "Mallard", "Western Osprey",
          "Great Crested Grebe", "Two ospreys fished the south arm.", "Then the rain came.",
          "Osprey with a trout", "Reserve page", "3 species, 2 of them lifers"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    }
    // The picture is in the document, not a stand-in for a missing one.
    QProcess images;
    images.start(QStandardPaths::findExecutable(QStringLiteral("pdfimages")),
                 {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(images.waitForFinished(30000));
    const QStringList rows =
        QString::fromUtf8(images.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << rows.join(u'\n').toStdString();  // two heading lines
    EXPECT_TRUE(rows[2].simplified().contains(QStringLiteral(" 640 480 ")))
        << rows[2].toStdString();
    // The lifers are marked; the mallard is not one.
    EXPECT_EQ(text.count(QStringLiteral("lifer")), 3);  // two marks and the heading
    EXPECT_FALSE(text.contains(QStringLiteral("Lost picture")));
}

TEST_F(TripReportTest, TheWebPageHasEveryPictureBesideItAsTheJournalKeepsIt) {
    const qint64 trip = outing(QDate(2026, 5, 3), QStringLiteral("Rutland Water"), {osprey});
    file(trip, kImage, QStringLiteral("Osprey & trout <1>"), {},
         QStringLiteral("Osprey fishing.jpg"));
    // An article with a picture inside it.
    QTextDocument withPicture;
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::red);
    withPicture.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p1")), small);
    withPicture.setHtml(QStringLiteral("<p>Sketch: <img src='p1'></p>"));
    file(trip, kArticle, QStringLiteral("Sketch"), rtf::writeRtf(withPicture));

    const QString page = tmp.file(QStringLiteral("My trip.html"));
    TripReport(*store, folder, {trip}).writeHtml(page);
    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Osprey &amp; trout &lt;1&gt;")));
    const QString pictures = TripReport::picturesFolderFor(page);
    EXPECT_EQ(QFileInfo(pictures).fileName(), QStringLiteral("My trip_files"));
    // Every picture the page names is there, relative to it.
    const QRegularExpression img(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
    int found = 0;
    for (auto it = img.globalMatch(html); it.hasNext();) {
        const QString src = QUrl::fromPercentEncoding(it.next().captured(1).toUtf8());
        EXPECT_TRUE(QFileInfo::exists(tmp.file(src))) << src.toStdString();
        EXPECT_FALSE(QImage(tmp.file(src)).isNull()) << src.toStdString();
        ++found;
    }
    EXPECT_EQ(found, 2);
    // The journal's JPEG is copied byte for byte.
    QFile copy(pictures + QStringLiteral("/Osprey fishing.jpg"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), jpeg);
    // Written again over itself: still whole.
    TripReport(*store, folder, {trip}).writeHtml(page);
    EXPECT_TRUE(QFileInfo::exists(pictures + QStringLiteral("/Osprey fishing.jpg")));
}

TEST_F(TripReportTest, AStretchOfDaysListsItsOutingsInOrderAndTheWholeTripsSpecies) {
    const qint64 second = outing(QDate(2026, 5, 4), QStringLiteral("Eyebrook"), {grebe});
    const qint64 first = outing(QDate(2026, 5, 3), QStringLiteral("Rutland Water"), {mallard});
    outing(QDate(2026, 6, 1), QStringLiteral("Later"), {osprey});
    const std::vector<qint64> ids = store->outingsBetween(QDate(2026, 5, 1), QDate(2026, 5, 31));
    ASSERT_EQ(ids, (std::vector<qint64>{first, second}));
    const TripReport report(*store, folder, ids);
    EXPECT_EQ(report.outingCount(), 2);
    const std::unique_ptr<QTextDocument> doc = report.document();
    const QString text = doc->toPlainText();
    EXPECT_LT(text.indexOf(QStringLiteral("Rutland Water")),
              text.indexOf(QStringLiteral("Eyebrook")));
    EXPECT_TRUE(text.contains(QStringLiteral("All species of the trip: 2")));
    EXPECT_FALSE(text.contains(QStringLiteral("Western Osprey")));
}

TEST_F(TripReportTest, AFileThatCannotBeWrittenIsToldNotPassedOver) {
    const qint64 trip = outing(QDate(2026, 5, 3), QStringLiteral("Rutland Water"), {mallard});
    const TripReport report(*store, folder, {trip});
    const QString nowhere = tmp.file(QStringLiteral("no such folder/trip.pdf"));
    EXPECT_THROW(report.writePdf(nowhere), AppError);
    EXPECT_THROW(report.writeHtml(tmp.file(QStringLiteral("no such folder/trip.html"))), AppError);
}

TEST(ListDocument, LinesAreIndentedAndOnlyTheCountedOnesNumbered) {
    QTextDocument doc;
    doc.setHtml(listDocumentHtml(QStringLiteral("Year List 2026"), QStringLiteral("England"),
                                 {{0, QStringLiteral("Ducks"), false},
                                  {1, QStringLiteral("Mallard"), true},
                                  {1, QStringLiteral("Teal & <Garganey>"), true}}));
    const QString text = doc.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Year List 2026")));
    EXPECT_TRUE(text.contains(QStringLiteral("1\nMallard")) ||
                text.contains(QStringLiteral("1\tMallard")) ||
                text.contains(QStringLiteral("1 Mallard")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Teal & <Garganey>")));
    EXPECT_FALSE(text.contains(QStringLiteral("3")));
}

}  // namespace
}  // namespace wf
