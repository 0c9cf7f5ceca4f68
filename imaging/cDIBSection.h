// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <QImage>
#include <QtGlobal>
#include <memory>

class QPainter;

namespace wf {

class Clipboard;
class MessageBoxes;

// The standard raster operation that copies the source unchanged.
inline constexpr quint32 vbSrcCopy = 0xCC0020;

// The pixel memory viewed as a two-dimensional byte array of
// BytesPerScanLine columns and Height rows. Every access is checked: one
// outside the memory raises AppError err::SubscriptOutOfRange.
class PixelView {
  public:
    PixelView(uchar* data, int columns, int rows) : data_(data), columns_(columns), rows_(rows) {}
    uchar& at(int row, int column) const;
    // Row row, checked to hold the columns [first, first + count).
    uchar* row(int row, int first, int count) const;
    int columns() const { return columns_; }
    int rows() const { return rows_; }

  private:
    uchar* data_;
    int columns_;
    int rows_;
};

// A 24-bit bitmap whose pixels the program addresses directly: blue, green,
// red, scan lines padded to 4 bytes and lying bottom-up (the first scan line
// in memory is the picture's bottom row). Its "drawing context" and "bitmap"
// are objects over that memory, with non-zero handles while created.
class cDIBSection {
    Q_DECLARE_TR_FUNCTIONS(wf::cDIBSection)

  public:
    cDIBSection();
    ~cDIBSection();
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // Puts the picture on the clipboard as an ordinary image. Asked for a
    // DIB, shows why it will not and returns false.
    bool CopyToClipboard(Clipboard& clipboard, MessageBoxes& messages, bool bAsDIB = false);
    // Fills the header for lWidth x lHeight and creates the bitmap over fresh
    // pixel memory; hDib receives its handle. True when one was made.
    bool CreateDIB(quintptr lhDC, int lWidth, int lHeight, quintptr& hDib);
    // Makes this bitmap a copy of the picture (any format; transparent parts
    // over white), its top row in the last scan line.
    void CreateFromPicture(const QImage& picThis);
    bool Create(int lWidth, int lHeight);
    int BytesPerScanLine() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Copies from the picture at (lSrcLeft, lSrcTop) into this bitmap at
    // (0, 0); a negative width or height stands for this bitmap's own.
    void LoadPictureBlt(const QImage& lhDC, int lSrcLeft = 0, int lSrcTop = 0, int lSrcWidth = -1,
                        int lSrcHeight = -1, quint32 eRop = vbSrcCopy);
    // Draws this bitmap, upright, onto the painter's surface.
    void PaintPicture(QPainter& lhDC, int lDestLeft = 0, int lDestTop = 0, int lDestWidth = -1,
                      int lDestHeight = -1, int lSrcLeft = 0, int lSrcTop = 0,
                      quint32 eRop = vbSrcCopy) const;
    quintptr hdc() const;
    quintptr hDib() const;
    uchar* DIBSectionBitsPtr() const;
    void RandomiseBits(bool bGray = false);
    void ClearUp();
    // A new bitmap lNewWidth wide and lNewHeight high (note: height first),
    // bilinearly resampled; nothing when it cannot be created. A source one
    // pixel wide or high resampled to another size raises
    // err::SubscriptOutOfRange.
    std::unique_ptr<cDIBSection> Resample(int lNewHeight, int lNewWidth) const;

    // The picture as an upright QImage (a copy).
    QImage toImage() const;
    PixelView pixels() const;

  private:
    struct Surface;  // the drawing context and the bitmap selected into it
    void InterpolateInto(cDIBSection& dest) const;

    std::unique_ptr<Surface> context_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace wf
