// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include "Pictures.h"
#include "RichText.h"

using namespace wf;
using namespace wf::rtf;

namespace {

QImage redOverBlue(int w, int h, bool clear = false) {
    QImage pic(w, h, clear ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pic.setPixel(x, y,
                         y < h / 2 ? qRgba(220, 20, 20, clear ? 128 : 255) : qRgb(20, 20, 220));
        }
    }
    return pic;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    image.save(&out, format);
    return bytes;
}

// The image characters of a document, in order.
std::vector<QTextImageFormat> images(const QTextDocument& doc) {
    std::vector<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                out.push_back(it.fragment().charFormat().toImageFormat());
            }
        }
    }
    return out;
}

QImage shown(const QTextDocument& doc, const QTextImageFormat& f) {
    return doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
}

}  // namespace

// Two pictures pasted between words are written as PNG and JPEG blips with
// their sizes, read back where they stood, and kept byte for byte by a
// second save.
TEST(RtfPictures, PastedPicturesAreWrittenAndReadBackWithoutLoss) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Before "));
    pictures::insert(c, redOverBlue(40, 30, true), 500);  // transparency: PNG
    c.insertText(QStringLiteral(" between "));
    pictures::insert(c, redOverBlue(2400, 1200), 500);  // a photograph: JPEG
    c.insertText(QStringLiteral(" after"));
    const QString rtf = writeRtf(doc);
    EXPECT_TRUE(
        rtf.contains(QStringLiteral("{\\pict\\pngblip\\picw40\\pich30\\picwgoal600\\pichgoal450")));
    // Stored at most 1,600 pixels wide, shown at most 500.
    EXPECT_TRUE(rtf.contains(
        QStringLiteral("{\\pict\\jpegblip\\picw1600\\pich800\\picwgoal7500\\pichgoal3750")));

    QTextDocument back;
    EXPECT_TRUE(readRtf(rtf, back));
    EXPECT_EQ(back.toPlainText(), QStringLiteral("Before \uFFFC between \uFFFC after"));
    const auto read = images(back);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].width(), 40);
    EXPECT_EQ(read[1].width(), 500);
    EXPECT_EQ(read[1].height(), 250);
    const QImage first = shown(back, read[0]);
    ASSERT_EQ(first.size(), QSize(40, 30));
    EXPECT_EQ(qAlpha(first.pixel(5, 5)), 128);
    const QImage second = shown(back, read[1]);
    ASSERT_EQ(second.size(), QSize(1600, 800));
    EXPECT_GT(qRed(second.pixel(800, 100)), 180);  // upright: red on top
    EXPECT_GT(qBlue(second.pixel(800, 700)), 180);
    EXPECT_EQ(writeRtf(back), rtf);
}

// Pictures written by other word processors: a JPEG inside {\*\shppict}
// with its {\nonshppict} twin (shown once), a PNG given as \bin bytes, a
// scaled PNG, and a metafile shown as a box of its size and written back
// as it came.
TEST(RtfPictures, PicturesOfOtherWordProcessorsAreShown) {
    const QByteArray jpeg = encoded(redOverBlue(64, 32), "JPG");
    const QByteArray png = encoded(redOverBlue(10, 10), "PNG");
    const QByteArray wmf = QByteArray::fromHex("d7cdc69a00000000");
    QString rtf = QStringLiteral(
                      "{\\rtf1\\ansi A{\\*\\shppict{\\pict{\\*\\picprop}\\jpegblip\\picw64"
                      "\\pich32\\picwgoal1920\\pichgoal960\n") +
                  QString::fromLatin1(jpeg.toHex()) +
                  QStringLiteral("}}{\\nonshppict{\\pict\\wmetafile8\\picw1\\pich1 0102}}B");
    rtf += QStringLiteral("{\\pict\\pngblip\\picscalex50\\picscaley200\\bin%1 ").arg(png.size());
    rtf += QString::fromLatin1(png);
    rtf += QStringLiteral("}C{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 ") +
           QString::fromLatin1(wmf.toHex()) + QStringLiteral("}D\\par}");
    QTextDocument doc;
    EXPECT_TRUE(readRtf(rtf, doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("A\uFFFCB\uFFFCC\uFFFCD"));
    const auto read = images(doc);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].width(), 128);  // 1920 twips
    EXPECT_EQ(shown(doc, read[0]).size(), QSize(64, 32));
    EXPECT_EQ(read[1].width(), 5);  // 10 pixels at half width, double height
    EXPECT_EQ(read[1].height(), 20);
    EXPECT_EQ(read[2].width(), 96);  // an inch
    EXPECT_EQ(shown(doc, read[2]).size(), QSize(96, 48));
    const QString out = writeRtf(doc);
    EXPECT_TRUE(out.contains(QStringLiteral("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440"
                                            "\\pichgoal720\r\n") +
                             QString::fromLatin1(wmf.toHex())));
    EXPECT_TRUE(out.contains(QString::fromLatin1(jpeg.toHex().left(128))));
    // Plain text for searching carries no picture.
    EXPECT_EQ(plainText(rtf), QStringLiteral("ABCD"));
}

// The viewer shows a wide picture at the text's width; the picture kept
// does not change.
TEST(RtfPictures, AWidePictureIsShownAtTheTextsWidth) {
    QTextDocument doc;
    QTextCursor c(&doc);
    pictures::insert(c, redOverBlue(900, 300), 2000);
    const QString rtf = writeRtf(doc);
    pictures::fitToWidth(doc, 450);
    ASSERT_EQ(images(doc).size(), 1u);
    EXPECT_EQ(images(doc)[0].width(), 450);
    EXPECT_EQ(images(doc)[0].height(), 150);
    EXPECT_EQ(writeRtf(doc), rtf);
    pictures::fitToWidth(doc, 2000);  // back to its own size when there is room
    EXPECT_EQ(images(doc)[0].width(), 900);
}

// Damaged picture data never harms the text around it.
TEST(RtfPictures, DamagedPictureDataLeavesTheText) {
    for (const char* rtf :
         {"{\\rtf1 x{\\pict\\pngblip 89504e47zz}y\\par}",
          "{\\rtf1 x{\\pict\\jpegblip\\bin99999 }y}",
          "{\\rtf1 x{\\pict\\pngblip\\picwgoal-5\\pichgoal99999999 0}y}", "{\\rtf1 x{\\pict"}) {
        SCOPED_TRACE(rtf);
        QTextDocument doc;
        readRtf(QString::fromLatin1(rtf), doc);
        EXPECT_TRUE(doc.toPlainText().startsWith(u'x'));
        writeRtf(doc);
    }
}

TEST(RtfPictures, LibreOfficeShowsThePictures) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Two pictures: "));
    pictures::insert(c, redOverBlue(40, 30, true), 500);
    pictures::insert(c, redOverBlue(200, 100), 500);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("article.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(writeRtf(doc).toLatin1());
    f.close();
    QProcess p;
    p.start(soffice, {QStringLiteral("--headless"),
                      QStringLiteral("-env:UserInstallation=file://") +
                          tmp.filePath(QStringLiteral("profile")),
                      QStringLiteral("--convert-to"), QStringLiteral("html:XHTML Writer File:UTF8"),
                      QStringLiteral("--outdir"), tmp.path(), path});
    ASSERT_TRUE(p.waitForFinished(120000));
    QFile html(tmp.filePath(QStringLiteral("article.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(html.readAll());
    EXPECT_EQ(page.count(QStringLiteral("<img")), 2) << page.left(2000).toStdString();
}
