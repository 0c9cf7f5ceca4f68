// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureSave.h"

#include <memory>

#include "AppError.h"
#include "DataFolder.h"
#include "Services.h"
#include "Store.h"
#include "Tr.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

namespace wf {

namespace {

// Thrown inside the save's transaction when the user declined to replace a
// file: the row is not kept.
struct Declined {};

}  // namespace

QString pictureFileName(const QString& subject, const QString& title, qint64 id) {
    return subject + u' ' + title + u'_' + QString::number(id) + QStringLiteral(".jpg");
}

StoredPicture storeNewPicture(Store& db, const DataFolder& folder, Category category,
                              const QString& subject, const QString& title, const QImage& picture,
                              MessageBoxes& messages) {
    StoredPicture out;
    out.subid = db.findOrAddSubject(category, subject);
    out.subjectHadEntries = db.entryCount(category, out.subid) > 0;
    std::unique_ptr<mIntelJPEGLibrary::PreparedJpeg> prepared;
    try {
        db.inTransaction([&] {
            Entry e;
            e.catid = int(category);
            e.subid = out.subid;
            e.type = kImage;
            e.title = title;
            e.id = db.appendEntry(e);
            e.fname = pictureFileName(subject, title, e.id);
            db.updateEntry(e);
            out.id = e.id;
            // A name with a '/' would lead into another folder: the file
            // system refuses it, as it refuses any name it cannot hold.
            const std::optional<QString> target = folder.picturePath(e.fname);
            out.path = target.value_or(folder.imagesDir() + u'/' + e.fname);
            if (!target) {
                throw AppError(err::JpegWriter, QStringLiteral("wingfolio.mIntelJPEGLibrary"),
                               tr("Failed to save to JPG %1").arg(mIntelJPEGLibrary::kOpenFailed));
            }
            cDIBSection dib;
            dib.CreateFromPicture(picture);
            prepared = mIntelJPEGLibrary::PrepareJpegFile(dib, out.path, 90, messages);
            if (!prepared) {
                throw Declined{};
            }
        });
    } catch (const Declined&) {
        out.declined = true;
        out.id = 0;
        return out;
    }
    try {
        prepared->place();
    } catch (const AppError&) {
        db.deleteEntry(out.id);  // no entry without its picture
        throw;
    }
    return out;
}

}  // namespace wf
