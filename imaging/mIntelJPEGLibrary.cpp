// SPDX-License-Identifier: GPL-3.0-or-later
#include "mIntelJPEGLibrary.h"

#include <turbojpeg.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include "AppError.h"
#include "DiskProblem.h"
#include "Services.h"
#include "Tr.h"
#include "cDIBSection.h"

namespace wf::mIntelJPEGLibrary {

namespace {

const QString kSource = QStringLiteral("wingfolio.mIntelJPEGLibrary");

[[noreturn]] void saveFailed(int status) {
    throw AppError(err::JpegWriter, kSource,
                   wf::tr("Failed to save to JPG ") + QString::number(status));
}

// A write that the disk refused: the writer's own number, and the disk named.
[[noreturn]] void writeFailed(int status, const QByteArray& target, int errnum) {
    if (errnum != ENOSPC && errnum != EDQUOT && errnum != EIO) {
        saveFailed(status);
    }
    throw AppError(err::JpegWriter, kSource,
                   wf::tr("Failed to save to JPG %1. ").arg(status) +
                       diskProblem(QFile::decodeName(target), errnum, kSource).description());
}

struct EncoderDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
struct BufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

// What a replaced file had, to give to its successor: its mode bits exactly
// and its access and modification times.
struct Kept {
    mode_t mode = 0;
    timespec times[2] = {};
};

// A temporary file beside the target, removed unless it was put in place.
class TempFile {
  public:
    explicit TempFile(const QByteArray& target) : path_(target) {
        // Hidden, in the same folder, so that the rename stays on one file system.
        const qsizetype slash = path_.lastIndexOf('/');
        path_.insert(slash + 1, '.');
        path_.append(".XXXXXX");
        fd_ = ::mkstemp(path_.data());
    }
    ~TempFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!placed_) {
            ::unlink(path_.constData());
        }
    }
    bool ok() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    bool writeAll(const unsigned char* data, size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            data += n;
            size -= size_t(n);
        }
        return ::fsync(fd_) == 0;
    }
    // Closes the file and renames it over the target: a file that was there
    // is replaced whole (even a read-only one, as its owner asked), and a
    // symbolic link of that name is replaced, never followed.
    bool placeAt(const QByteArray& target) {
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        placed_ = closed && ::rename(path_.constData(), target.constData()) == 0;
        return placed_;
    }

  private:
    QByteArray path_;
    int fd_ = -1;
    bool placed_ = false;
};

}  // namespace

namespace {

class Prepared : public PreparedJpeg {
  public:
    Prepared(QByteArray target) : target_(std::move(target)), file_(target_) {}
    TempFile& file() { return file_; }
    void place() override {
        if (!file_.placeAt(target_)) {
            writeFailed(kCommitFailed, target_, errno);
        }
    }

  private:
    QByteArray target_;
    TempFile file_;
};

}  // namespace

bool SaveJpegFile(const cDIBSection& dib, const QString& filePath, int jpegQuality,
                  MessageBoxes& messages) {
    const std::unique_ptr<PreparedJpeg> prepared =
        PrepareJpegFile(dib, filePath, jpegQuality, messages);
    if (!prepared) {
        return false;
    }
    prepared->place();
    return true;
}

std::unique_ptr<PreparedJpeg> PrepareJpegFile(const cDIBSection& dib, const QString& filePath,
                                              int jpegQuality, MessageBoxes& messages) {
    const std::unique_ptr<void, EncoderDeleter> encoder(tjInitCompress());
    if (!encoder) {
        throw AppError(err::JpegWriter, kSource,
                       wf::tr("Failed to initialise the IJL library: ") +
                           QString::number(kEncoderUnavailable));
    }

    std::optional<Kept> kept;
    const QByteArray target = QFile::encodeName(filePath);
    struct stat st {};
    // A symbolic link of that name is refused, never written through.
    if (::lstat(target.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        saveFailed(kOpenFailed);
    }
    if (::stat(target.constData(), &st) == 0) {
        kept = Kept{mode_t(st.st_mode & 07777), {st.st_atim, st.st_mtim}};
        if (!messages.ask(wf::tr("A file with the above title already exists. Would you "
                                 "like to overwrite the file?"),
                          wf::tr("File Name in use"), MsgIcon::Question)) {
            return nullptr;
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
    auto prepared = std::make_unique<Prepared>(target);
    TempFile& file = prepared->file();
    if (!file.ok()) {
        writeFailed(kOpenFailed, target, errno);
    }
    if (!file.writeAll(jpeg, jpegSize)) {
        writeFailed(kWriteFailed, target, errno);
    }
    if (kept) {
        ::fchmod(file.fd(), kept->mode);
        ::futimens(file.fd(), kept->times);
    } else {
        // A new file gets the mode any new file gets.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file.fd(), 0666 & ~mask);
    }
    return prepared;
}

}  // namespace wf::mIntelJPEGLibrary
