// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

namespace wf {

class cDIBSection;
class MessageBoxes;

namespace mIntelJPEGLibrary {

// Writes the bitmap to filePath as a JPEG of the given quality (the image
// editor passes 90), upright and of the bitmap's size.
//
// When the file exists the user is asked "A file with the above title
// already exists. Would you like to overwrite the file?"; No returns false
// and leaves the file as it was. The new file is written under a temporary
// name in the same folder and renamed over the old one only when complete,
// so a failed write leaves the old file intact (and no temporary file); a
// replaced file's permissions and access and modification times carry over.
//
// Failures raise AppError 26001 with the source "wingfolio.mIntelJPEGLibrary":
// "Failed to initialise the IJL library: " and a status when the encoder
// cannot start, "Failed to save to JPG " and a status otherwise (a bitmap
// without pixel memory, a folder that is missing or not writable, a full
// disk, a name the file system refuses).
bool SaveJpegFile(const cDIBSection& dib, const QString& filePath, int jpegQuality,
                  MessageBoxes& messages);

// The same in two steps, for a caller that must first commit something else:
// PrepareJpegFile asks and writes the whole new file beside filePath (null
// when the user declines), and place() puts it in place. A prepared file that
// is never placed is removed, and a file it would have replaced stays as it was.
class PreparedJpeg {
  public:
    virtual ~PreparedJpeg() = default;
    // Raises AppError 26001 (kCommitFailed) when the file cannot be put in place.
    virtual void place() = 0;
};
std::unique_ptr<PreparedJpeg> PrepareJpegFile(const cDIBSection& dib, const QString& filePath,
                                              int jpegQuality, MessageBoxes& messages);

// Status numbers of the failures, after the descriptions above.
enum Status {
    kEncoderUnavailable = -1,  // the encoder could not be started
    kNoPixelMemory = -2,       // the bitmap holds no pixels
    kEncodeFailed = -3,        // the encoder refused the pixels
    kOpenFailed = -4,          // the file could not be made (missing folder, bad name...)
    kWriteFailed = -5,         // the file could not be written whole (disk full...)
    kCommitFailed = -6,        // the finished file could not be put in place
};

}  // namespace mIntelJPEGLibrary
}  // namespace wf
