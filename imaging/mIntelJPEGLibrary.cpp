// SPDX-License-Identifier: GPL-3.0-or-later
#include "mIntelJPEGLibrary.h"

#include <turbojpeg.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <memory>
#include <optional>

#include "AppError.h"
#include "Services.h"
#include "cDIBSection.h"

namespace wf::mIntelJPEGLibrary {

namespace {

const QString kSource = QStringLiteral("wingfolio.mIntelJPEGLibrary");

[[noreturn]] void saveFailed(int status) {
    throw AppError(err::JpegWriter, kSource,
                   QStringLiteral("Failed to save to JPG ") + QString::number(status));
}

struct EncoderDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
struct BufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

// What a replaced file had, to give to its successor.
struct Kept {
    QFileDevice::Permissions permissions;
    QDateTime accessed;
    QDateTime modified;
};

}  // namespace

bool SaveJpegFile(const cDIBSection& dib, const QString& filePath, int jpegQuality,
                  MessageBoxes& messages) {
    const std::unique_ptr<void, EncoderDeleter> encoder(tjInitCompress());
    if (!encoder) {
        throw AppError(err::JpegWriter, kSource,
                       QStringLiteral("Failed to initialise the IJL library: ") +
                           QString::number(kEncoderUnavailable));
    }

    std::optional<Kept> kept;
    const QFileInfo existing(filePath);
    if (existing.exists()) {
        kept = Kept{existing.permissions(), existing.lastRead(), existing.lastModified()};
        if (!messages.ask(QStringLiteral("A file with the above title already exists. Would you "
                                         "like to overwrite the file?"),
                          QStringLiteral("File Name in use"), MsgIcon::Question)) {
            return false;
        }
    }

    const uchar* bits = dib.DIBSectionBitsPtr();
    if (bits == nullptr || dib.Width() <= 0 || dib.Height() <= 0) {
        saveFailed(kNoPixelMemory);
    }
    // The pixels as they lie: blue-green-red, padded scan lines, bottom-up.
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    const int status = tjCompress2(encoder.get(), bits, dib.Width(), dib.BytesPerScanLine(),
                                   dib.Height(), TJPF_BGR, &jpeg, &jpegSize, TJSAMP_420,
                                   std::clamp(jpegQuality, 1, 100), TJFLAG_BOTTOMUP);
    const std::unique_ptr<unsigned char, BufferDeleter> owned(jpeg);
    if (status != 0) {
        saveFailed(kEncodeFailed);
    }

    // Written whole under a temporary name, then renamed into place.
    QSaveFile file(filePath);
    // Unbuffered, so that a short write shows at once rather than being lost in a flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        saveFailed(kOpenFailed);
    }
    if (file.write(reinterpret_cast<const char*>(jpeg), qint64(jpegSize)) != qint64(jpegSize)) {
        file.cancelWriting();
        file.commit();  // removes the temporary file
        saveFailed(kWriteFailed);
    }
    if (!file.commit()) {
        saveFailed(kCommitFailed);
    }

    if (kept) {
        QFile written(filePath);
        if (written.open(QIODevice::ReadWrite)) {
            written.setFileTime(kept->accessed, QFileDevice::FileAccessTime);
            written.setFileTime(kept->modified, QFileDevice::FileModificationTime);
            written.close();
            written.setPermissions(kept->permissions);
        }
    }
    return true;
}

}  // namespace wf::mIntelJPEGLibrary
