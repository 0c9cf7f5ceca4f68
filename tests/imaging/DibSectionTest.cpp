// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>

#include "AppError.h"
#include "QtPrinters.h"
#include "TestDoubles.h"
#include "cDIBSection.h"

using namespace wf;

namespace {

// Blue, green, red of pixel (x, row) where row counts scan lines in memory.
struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};

Bgr pixel(const cDIBSection& d, int x, int row) {
    const PixelView v = d.pixels();
    return {v.at(row, x * 3), v.at(row, x * 3 + 1), v.at(row, x * 3 + 2)};
}

void setPixel(cDIBSection& d, int x, int row, Bgr c) {
    const PixelView v = d.pixels();
    v.at(row, x * 3) = uchar(c.b);
    v.at(row, x * 3 + 1) = uchar(c.g);
    v.at(row, x * 3 + 2) = uchar(c.r);
}

long errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(DibSection, ScanLinesArePaddedToFourBytes) {
    cDIBSection d;
    const int widths[] = {1, 2, 4, 5};
    const int expected[] = {4, 8, 12, 16};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(d.Create(widths[i], 3));
        EXPECT_EQ(d.BytesPerScanLine(), expected[i]) << widths[i];
        EXPECT_EQ(d.pixels().columns(), expected[i]);
    }
}

TEST(DibSection, LifecycleHandlesAndHeader) {
    cDIBSection d;
    EXPECT_EQ(d.hdc(), 0u);
    EXPECT_EQ(d.hDib(), 0u);
    EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
    ASSERT_TRUE(d.Create(7, 5));
    EXPECT_NE(d.hdc(), 0u);
    EXPECT_NE(d.hDib(), 0u);
    EXPECT_NE(d.DIBSectionBitsPtr(), nullptr);
    d.ClearUp();
    EXPECT_EQ(d.hdc(), 0u);
    EXPECT_EQ(d.hDib(), 0u);
    EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(d.Width(), 7);
    EXPECT_EQ(d.Height(), 5);
    // A failed creation leaves it empty with the size it was given.
    EXPECT_FALSE(d.Create(0, 5));
    EXPECT_EQ(d.hdc(), 0u);
    EXPECT_EQ(d.Width(), 0);
    EXPECT_EQ(d.Height(), 5);
    EXPECT_FALSE(d.Create(100000, 100000));  // more than a bitmap can address
    EXPECT_EQ(d.DIBSectionBitsPtr(), nullptr);
}

TEST(DibSection, PictureComesInBottomUpAndGoesOutUpright) {
    QImage pic(3, 2, QImage::Format_RGB32);
    pic.setPixel(0, 0, qRgb(255, 0, 0));  // top left red
    pic.setPixel(1, 0, qRgb(0, 255, 0));
    pic.setPixel(2, 0, qRgb(0, 0, 255));
    pic.setPixel(0, 1, qRgb(10, 20, 30));  // bottom left
    pic.setPixel(1, 1, qRgb(40, 50, 60));
    pic.setPixel(2, 1, qRgb(70, 80, 90));
    cDIBSection d;
    d.CreateFromPicture(pic);
    ASSERT_NE(d.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(pixel(d, 0, 1), (Bgr{0, 0, 255}));  // top row: last scan line
    EXPECT_EQ(pixel(d, 2, 1), (Bgr{255, 0, 0}));
    EXPECT_EQ(pixel(d, 0, 0), (Bgr{30, 20, 10}));  // bottom row: first scan line
    EXPECT_EQ(d.toImage().convertToFormat(QImage::Format_RGB32), pic);

    QImage target(5, 4, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter p(&target);
    d.PaintPicture(p, 1, 1);
    p.end();
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 2), qRgb(70, 80, 90));
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(DibSection, TransparentPicturesLieOverWhite) {
    QImage pic(2, 1, QImage::Format_ARGB32);
    pic.setPixel(0, 0, qRgba(0, 0, 0, 0));
    pic.setPixel(1, 0, qRgba(0, 0, 255, 255));
    cDIBSection d;
    d.CreateFromPicture(pic);
    EXPECT_EQ(pixel(d, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(pixel(d, 1, 0), (Bgr{255, 0, 0}));
    cDIBSection none;
    none.CreateFromPicture(QImage());
    EXPECT_EQ(none.DIBSectionBitsPtr(), nullptr);
}

TEST(DibSection, PixelAccessIsCheckedAgainstTheMemory) {
    cDIBSection d;
    ASSERT_TRUE(d.Create(2, 2));
    const PixelView v = d.pixels();
    EXPECT_EQ(errorOf([&] { v.at(2, 0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.at(0, 8); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.at(-1, 0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.row(1, 4, 5); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { v.at(1, 7); }), 0);  // padding is inside the memory
    cDIBSection empty;
    EXPECT_EQ(errorOf([&] { empty.pixels().at(0, 0); }), err::SubscriptOutOfRange);
}

TEST(DibSection, ResampleToTheSameSizeIsAnExactCopy) {
    cDIBSection d;
    ASSERT_TRUE(d.Create(5, 3));
    d.RandomiseBits();
    const auto copy = d.Resample(3, 5);
    ASSERT_NE(copy, nullptr);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(pixel(*copy, x, row), pixel(d, x, row));
        }
    }
    cDIBSection one;
    ASSERT_TRUE(one.Create(1, 1));
    EXPECT_NE(one.Resample(1, 1), nullptr);
}

TEST(DibSection, ResampleWorkedExampleAndArgumentOrder) {
    cDIBSection d;
    ASSERT_TRUE(d.Create(2, 2));
    // Red 0 at (0, 0), 100 at (1, 0), 200 at (0, 1), 40 at (1, 1).
    setPixel(d, 0, 0, {1, 2, 0});
    setPixel(d, 1, 0, {3, 4, 100});
    setPixel(d, 0, 1, {5, 6, 200});
    setPixel(d, 1, 1, {7, 8, 40});
    const auto big = d.Resample(4, 4);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(pixel(*big, 0, 0), pixel(d, 0, 0));
    EXPECT_EQ(pixel(*big, 3, 3).r, 79);
    const auto wide = d.Resample(100, 200);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->Width(), 200);
    EXPECT_EQ(wide->Height(), 100);
    EXPECT_EQ(d.Resample(0, 10), nullptr);
}

TEST(DibSection, HalfwayValuesRoundToEven) {
    for (auto [upper, lower, expected] : {std::tuple{10, 11, 10}, std::tuple{11, 12, 12}}) {
        cDIBSection d;
        ASSERT_TRUE(d.Create(2, 2));
        setPixel(d, 0, 0, {0, 0, upper});
        setPixel(d, 0, 1, {0, 0, lower});
        const auto r = d.Resample(2, 3);  // dy = 0.5 on scan line 1, dx = 0 at x = 0
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(pixel(*r, 0, 1).r, expected) << upper << " " << lower;
    }
}

TEST(DibSection, OnePixelWideOrHighSourcesCannotBeResampled) {
    cDIBSection narrow;
    ASSERT_TRUE(narrow.Create(1, 5));
    EXPECT_EQ(errorOf([&] { narrow.Resample(10, 10); }), err::SubscriptOutOfRange);
    cDIBSection flat;
    ASSERT_TRUE(flat.Create(5, 1));
    EXPECT_EQ(errorOf([&] { flat.Resample(10, 10); }), err::SubscriptOutOfRange);
    cDIBSection empty;
    EXPECT_EQ(errorOf([&] { empty.Resample(3, 3); }), err::SubscriptOutOfRange);
}

TEST(DibSection, RandomiseBitsColourAndGreyLeavePaddingAlone) {
    cDIBSection d;
    ASSERT_TRUE(d.Create(5, 4));  // one padding byte a scan line
    const PixelView v = d.pixels();
    for (int row = 0; row < 4; ++row) {
        v.at(row, 15) = 0xAB;
    }
    d.RandomiseBits();
    int nonZero = 0;
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(pixel(d, x, row).b, 0);
            nonZero += pixel(d, x, row).g != 0;
        }
        EXPECT_EQ(v.at(row, 15), 0xAB);
    }
    EXPECT_GT(nonZero, 0);
    d.RandomiseBits(true);
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 5; ++x) {
            const Bgr p = pixel(d, x, row);
            EXPECT_EQ(p.b, p.g);
            EXPECT_EQ(p.g, p.r);
        }
        EXPECT_EQ(v.at(row, 15), 0xAB);
    }
}

TEST(DibSection, ClipboardTakesAnOrdinaryImageNeverADib) {
    test::FakeClipboard clipboard;
    test::ScriptedMessageBoxes messages;
    cDIBSection d;
    ASSERT_TRUE(d.Create(3, 2));
    d.RandomiseBits();
    EXPECT_FALSE(d.CopyToClipboard(clipboard, messages, true));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap "
                             "instead!!!"));
    EXPECT_TRUE(clipboard.image().isNull());
    EXPECT_TRUE(d.CopyToClipboard(clipboard, messages));
    EXPECT_EQ(clipboard.image(), d.toImage());
    cDIBSection empty;
    EXPECT_FALSE(empty.CopyToClipboard(clipboard, messages));
}

TEST(DibSection, LoadPictureBltCopiesAPartAndRefusesOtherOperations) {
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(qRgb(0, 0, 0));
    pic.setPixel(2, 1, qRgb(9, 8, 7));
    cDIBSection d;
    ASSERT_TRUE(d.Create(2, 2));
    d.LoadPictureBlt(pic, 2, 1, -1, -1);
    EXPECT_EQ(pixel(d, 0, 1), (Bgr{7, 8, 9}));  // picture row 0 is the last scan line
    EXPECT_EQ(errorOf([&] { d.LoadPictureBlt(pic, 0, 0, -1, -1, 0x00EE0086); }),
              err::InvalidArgument);
}
