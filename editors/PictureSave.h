// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include "Types.h"

namespace wf {

class DataFolder;
class MessageBoxes;
class Store;

// A new picture entry as it was stored.
struct StoredPicture {
    qint64 id = 0;
    qint64 subid = 0;
    bool subjectHadEntries = false;
    QString path;           // its file
    bool declined = false;  // the user would not replace a file of its name
};

// The file name a new picture entry gets: subject, blank, title, "_", id,
// ".jpg", the texts exactly as typed.
QString pictureFileName(const QString& subject, const QString& title, qint64 id);

// Stores a new picture under the subject named subject (found ignoring
// letter case, or made; the subject is kept even when the picture cannot
// be written): its row, and its JPEG file of quality 90 in the Images
// folder. The file is written whole beside the name it takes and put in
// place only once its row is committed: a failed save leaves the folder as
// it was, a picture it would have replaced included, and no row without its
// picture. Asks (through messages) before replacing a file of that name.
// Raises AppError when the row or the file cannot be written.
StoredPicture storeNewPicture(Store& db, const DataFolder& folder, Category category,
                              const QString& subject, const QString& title, const QImage& picture,
                              MessageBoxes& messages);

}  // namespace wf
