// SPDX-License-Identifier: GPL-3.0-or-later
// Importing pictures from the camera: for each file, the bird and sighting
// it most likely shows (from the day and place it was taken), then the
// accepted ones stored in one transaction.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <vector>

#include "DataFolder.h"
#include "PhotoFile.h"

namespace wf {

class Store;

// A file of the review table: what it is, and what the user made of it.
struct PhotoChoice {
    PhotoFile file;
    qint64 birdid = 0;      // the bird it is filed under; 0 for none yet
    qint64 sightingId = 0;  // the sighting it is tied to; 0 for none
    QString title;
    QString outcome;  // after storing: why it was not stored, if it was not
};

class PhotoImport {
    Q_DECLARE_TR_FUNCTIONS(wf::PhotoImport)
  public:
    // The picture files among paths: files as they are, folders by their
    // files (not their subfolders), sorted by name within a folder.
    static QStringList filesIn(const QStringList& paths);

    // Looks at each file and proposes its sighting: of the sightings on the
    // day it was taken, the nearest by GPS when the picture and sightings
    // have positions, else the only one, else none. The title proposed is
    // the bird and the date.
    static std::vector<PhotoChoice> propose(const Store& store, const QStringList& files);
    // The same for files looked at already (PhotoFile::inspect, which may
    // run on other threads): only the journal is read here.
    static std::vector<PhotoChoice> propose(const Store& store, std::vector<PhotoFile> files);

    // The sighting proposed for a picture taken on a day at a place (empty
    // coordinates when unknown), among that day's sightings; 0 for none.
    static qint64 proposedSighting(const std::vector<Sighting>& day, const QString& latitude,
                                   const QString& longitude);

    // Stores every file that is ok and has a bird, in one transaction: its
    // entry, its file in Images (JPEG as it is, the others written as JPEG),
    // its EXIF and its tie. A file that cannot be stored (a name taken in
    // Images, say) gets its outcome and the rest go on; a failure of the
    // journal stores nothing and leaves no file behind (AppError raised).
    // The number stored.
    static int store(Store& store, const DataFolder& folder, std::vector<PhotoChoice>& choices);
};

}  // namespace wf
