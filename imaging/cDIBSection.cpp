// SPDX-License-Identifier: GPL-3.0-or-later
#include "cDIBSection.h"

#include <QPainter>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <random>
#include <vector>

#include "AppError.h"
#include "Services.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.cDIBSection");

[[noreturn]] void outOfRange() {
    throw AppError(err::SubscriptOutOfRange, kSource, QStringLiteral("Subscript out of range"));
}

// Rounds to the nearest integer, a value exactly halfway to the even one.
// Adding and taking away 2^52 leaves the default rounding of the hardware
// to do it, for every value this class works with (well below 2^51).
inline double roundHalfEven(double v) {
    constexpr double k = 6755399441055744.0;  // 1.5 * 2^52
    return (v + k) - k;
}

inline uchar clampByte(double v) {
    return uchar(std::clamp(v, 0.0, 255.0));
}

// The picture in 24-bit blue-green-red, transparent parts laid over white.
QImage toBgr(const QImage& picture) {
    if (picture.format() == QImage::Format_BGR888) {
        return picture;
    }
    if (picture.hasAlphaChannel()) {
        QImage opaque(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter p(&opaque);
        p.drawImage(0, 0, picture);
        p.end();
        return opaque.convertToFormat(QImage::Format_BGR888);
    }
    return picture.convertToFormat(QImage::Format_BGR888);
}

}  // namespace

uchar& PixelView::at(int row, int column) const {
    if (data_ == nullptr || row < 0 || row >= rows_ || column < 0 || column >= columns_) {
        outOfRange();
    }
    return data_[qsizetype(row) * columns_ + column];
}

uchar* PixelView::row(int row, int first, int count) const {
    if (data_ == nullptr || row < 0 || row >= rows_ || first < 0 || count < 0 ||
        first + qint64(count) > columns_) {
        outOfRange();
    }
    return data_ + qsizetype(row) * columns_ + first;
}

// The "drawing context": it holds the bitmap, which owns the pixel memory.
struct cDIBSection::Surface {
    struct Bitmap {
        std::unique_ptr<uchar[]> bits;
    };
    std::unique_ptr<Bitmap> bitmap;
};

cDIBSection::cDIBSection() = default;

cDIBSection::~cDIBSection() {
    ClearUp();
}

int cDIBSection::BytesPerScanLine() const {
    return (width_ * 3 + 3) & ~3;
}

quintptr cDIBSection::hdc() const {
    return reinterpret_cast<quintptr>(context_.get());
}

quintptr cDIBSection::hDib() const {
    return context_ ? reinterpret_cast<quintptr>(context_->bitmap.get()) : 0;
}

uchar* cDIBSection::DIBSectionBitsPtr() const {
    return context_ && context_->bitmap ? context_->bitmap->bits.get() : nullptr;
}

PixelView cDIBSection::pixels() const {
    uchar* bits = DIBSectionBitsPtr();
    return PixelView(bits, bits ? BytesPerScanLine() : 0, bits ? height_ : 0);
}

bool cDIBSection::CreateDIB(quintptr lhDC, int lWidth, int lHeight, quintptr& hDib) {
    width_ = lWidth;
    height_ = lHeight;
    hDib = 0;
    if (lhDC == 0 || lhDC != hdc() || lWidth <= 0 || lHeight <= 0) {
        return false;
    }
    const qint64 size = qint64((qint64(lWidth) * 3 + 3) & ~qint64(3)) * lHeight;
    if (size > qint64(INT_MAX)) {
        return false;  // more than a bitmap can address
    }
    auto bitmap = std::make_unique<Surface::Bitmap>();
    bitmap->bits.reset(new (std::nothrow) uchar[size_t(size)]());
    if (!bitmap->bits) {
        return false;
    }
    context_->bitmap = std::move(bitmap);
    hDib = reinterpret_cast<quintptr>(context_->bitmap.get());
    return true;
}

bool cDIBSection::Create(int lWidth, int lHeight) {
    ClearUp();
    context_ = std::make_unique<Surface>();
    quintptr dib = 0;
    if (!CreateDIB(hdc(), lWidth, lHeight, dib)) {
        context_.reset();
        return false;
    }
    return true;
}

void cDIBSection::ClearUp() {
    context_.reset();
}

void cDIBSection::CreateFromPicture(const QImage& picThis) {
    if (!Create(picThis.width(), picThis.height())) {
        return;
    }
    LoadPictureBlt(picThis, 0, 0, -1, -1, vbSrcCopy);
}

void cDIBSection::LoadPictureBlt(const QImage& lhDC, int lSrcLeft, int lSrcTop, int lSrcWidth,
                                 int lSrcHeight, quint32 eRop) {
    if (eRop != vbSrcCopy) {
        throw AppError(err::InvalidArgument, kSource,
                       QStringLiteral("Only the source-copy raster operation is supported."));
    }
    if (DIBSectionBitsPtr() == nullptr || lhDC.isNull()) {
        return;
    }
    const int w = lSrcWidth < 0 ? width_ : lSrcWidth;
    const int h = lSrcHeight < 0 ? height_ : lSrcHeight;
    const QImage src = toBgr(lhDC);
    // The part of the request that lies within both pictures.
    const int left = std::max(lSrcLeft, 0);
    const int top = std::max(lSrcTop, 0);
    const int cols =
        std::min({w - (left - lSrcLeft), src.width() - left, width_ - (left - lSrcLeft)});
    const int rows = std::min({h - (top - lSrcTop), src.height() - top, height_ - (top - lSrcTop)});
    if (cols <= 0 || rows <= 0) {
        return;
    }
    const PixelView view = pixels();
    for (int r = 0; r < rows; ++r) {
        // Picture row destRow (from the top) lies in scan line height - 1 - destRow.
        const int destRow = (top - lSrcTop) + r;
        uchar* out = view.row(height_ - 1 - destRow, (left - lSrcLeft) * 3, cols * 3);
        std::memcpy(out, src.constScanLine(top + r) + left * 3, size_t(cols) * 3);
    }
}

QImage cDIBSection::toImage() const {
    const uchar* bits = DIBSectionBitsPtr();
    if (bits == nullptr) {
        return {};
    }
    QImage out(width_, height_, QImage::Format_BGR888);
    const int bpl = BytesPerScanLine();
    for (int r = 0; r < height_; ++r) {
        std::memcpy(out.scanLine(r), bits + qsizetype(height_ - 1 - r) * bpl, size_t(width_) * 3);
    }
    return out;
}

void cDIBSection::PaintPicture(QPainter& lhDC, int lDestLeft, int lDestTop, int lDestWidth,
                               int lDestHeight, int lSrcLeft, int lSrcTop, quint32 eRop) const {
    if (eRop != vbSrcCopy) {
        throw AppError(err::InvalidArgument, kSource,
                       QStringLiteral("Only the source-copy raster operation is supported."));
    }
    if (DIBSectionBitsPtr() == nullptr) {
        return;
    }
    const int w = lDestWidth < 0 ? width_ : lDestWidth;
    const int h = lDestHeight < 0 ? height_ : lDestHeight;
    const QPainter::CompositionMode mode = lhDC.compositionMode();
    lhDC.setCompositionMode(QPainter::CompositionMode_Source);
    lhDC.drawImage(QRect(lDestLeft, lDestTop, w, h), toImage(), QRect(lSrcLeft, lSrcTop, w, h));
    lhDC.setCompositionMode(mode);
}

bool cDIBSection::CopyToClipboard(Clipboard& clipboard, MessageBoxes& messages, bool bAsDIB) {
    if (bAsDIB) {
        messages.notify(tr("I don't know how to put a DIB on the clipboard! Copy as bitmap "
                           "instead!!!"),
                        QStringLiteral("Wingfolio"));
        return false;
    }
    const QImage image = toImage();
    if (image.isNull()) {
        return false;
    }
    clipboard.setImage(image);
    return true;
}

void cDIBSection::RandomiseBits(bool bGray) {
    std::mt19937 rng(std::uint32_t(QTime::currentTime().msecsSinceStartOfDay()));
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    auto value = [&] { return uchar(roundHalfEven(draw(rng) * 255.0)); };
    const PixelView view = pixels();
    const int xEnd = (width_ - 1) * 3;
    if (bGray) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x <= xEnd; x += 3) {
                const uchar v = value();
                view.at(y, x) = v;
                view.at(y, x + 1) = v;
                view.at(y, x + 2) = v;
            }
        }
        return;
    }
    for (int x = 0; x <= xEnd; x += 3) {
        for (int y = 0; y < height_; ++y) {
            view.at(y, x) = 0;
            view.at(y, x + 1) = value();
            view.at(y, x + 2) = value();
        }
    }
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int lNewHeight, int lNewWidth) const {
    auto dest = std::make_unique<cDIBSection>();
    if (!dest->Create(lNewWidth, lNewHeight)) {
        return nullptr;
    }
    if (lNewWidth == width_ && lNewHeight == height_) {
        // An exact copy of every pixel.
        const PixelView from = pixels();
        const PixelView to = dest->pixels();
        for (int r = 0; r < height_ && from.rows() > 0; ++r) {
            std::memcpy(to.row(r, 0, width_ * 3), from.row(r, 0, width_ * 3), size_t(width_) * 3);
        }
        return dest;
    }
    InterpolateInto(*dest);
    return dest;
}

void cDIBSection::InterpolateInto(cDIBSection& dest) const {
    const PixelView src = pixels();
    const PixelView out = dest.pixels();
    const int newWidth = dest.width_;
    const int newHeight = dest.height_;
    const float xScale = float(double(width_ - 1) / double(newWidth));
    const float yScale = float(double(height_ - 1) / double(newHeight));

    // The source columns and weights are the same on every scan line.
    std::vector<int> column(static_cast<size_t>(newWidth));
    std::vector<double> dxs(static_cast<size_t>(newWidth));
    for (int x = 0; x < newWidth; ++x) {
        const float fX = float(double(x) * double(xScale));
        const int iX = int(std::floor(fX));
        const float dx = float(fX - float(iX));
        column[size_t(x)] = iX * 3;
        dxs[size_t(x)] = double(dx);
    }
    // Columns grow with x, so the last pixel reaches furthest right: checking
    // the six bytes it reads checks every read of the scan line.
    const int reach = column[size_t(newWidth) - 1] + 6;
    if (column.front() < 0 || reach > src.columns()) {
        outOfRange();  // an empty source, or one pixel wide
    }
    // The vertical step depends only on the source column, not on x: work it
    // out once a scan line for each source column that some x reads.
    const int sourceColumns = reach / 3;
    std::vector<char> needed(static_cast<size_t>(sourceColumns), 0);
    for (int x = 0; x < newWidth; ++x) {
        needed[size_t(column[size_t(x)] / 3)] = 1;
        needed[size_t(column[size_t(x)] / 3 + 1)] = 1;
    }
    std::vector<double> vertical(static_cast<size_t>(sourceColumns) * 3);

    for (int y = 0; y < newHeight; ++y) {
        const float fY = float(double(y) * double(yScale));
        const int iY = int(std::floor(fY));
        const float dy = float(fY - float(iY));
        const uchar* upper = src.row(iY, 0, reach);
        const uchar* lower = src.row(iY + 1, 0, reach);
        uchar* target = out.row(y, 0, newWidth * 3);
        const double wUpper = 1.0 - double(dy);
        const double wLower = double(dy);
        for (int col = 0; col < sourceColumns; ++col) {
            if (needed[size_t(col)]) {
                const int c = col * 3;
                for (int ch = 0; ch < 3; ++ch) {
                    vertical[size_t(c + ch)] =
                        roundHalfEven(wUpper * upper[c + ch] + wLower * lower[c + ch]);
                }
            }
        }
        for (int x = 0; x < newWidth; ++x) {
            const int c = column[size_t(x)];
            const double dx = dxs[size_t(x)];
            const double wLeft = 1.0 - dx;
            const double* v = &vertical[size_t(c)];
            for (int ch = 0; ch < 3; ++ch) {
                target[x * 3 + ch] = clampByte(roundHalfEven(wLeft * v[ch] + dx * v[ch + 3]));
            }
        }
    }
}

}  // namespace wf
