// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <cmath>
#include <map>
#include <set>

#include "AppError.h"
#include "Services.h"
#include "Store.h"
#include "Words.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.PhotoImport");

double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    constexpr double kRad = M_PI / 180.0;
    const double dlat = (lat2 - lat1) * kRad;
    const double dlon = (lon2 - lon1) * kRad;
    const double a =
        std::sin(dlat / 2) * std::sin(dlat / 2) +
        std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::sin(dlon / 2) * std::sin(dlon / 2);
    return 6371.0 * 2 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}

// The file name a picture gets in Images: as a picture saved in the image
// editor, with what a file name cannot hold made harmless.
QString storedName(const QString& bird, const QString& title, qint64 id) {
    QString name = bird + u' ' + title + u'_' + QString::number(id) + QStringLiteral(".jpg");
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20) {
            c = u'-';
        }
    }
    return name;
}

// Answers any question of the JPEG writer with No: an import never replaces
// a file.
class NeverReplace : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest&) override { return MsgAnswer::No; }
};

}  // namespace

QStringList PhotoImport::filesIn(const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths) {
        const QFileInfo info(p);
        if (info.isDir() && !info.isSymLink()) {
            QDir dir(p);
            const QStringList names = dir.entryList(QDir::Files | QDir::System, QDir::Name);
            for (const QString& n : names) {
                out << dir.filePath(n);
            }
        } else {
            out << p;
        }
    }
    return out;
}

qint64 PhotoImport::proposedSighting(const std::vector<Sighting>& day, const QString& latitude,
                                     const QString& longitude) {
    if (day.empty()) {
        return 0;
    }
    if (day.size() == 1) {
        return day.front().id;
    }
    bool okLat = false;
    bool okLon = false;
    const double lat = latitude.toDouble(&okLat);
    const double lon = longitude.toDouble(&okLon);
    if (!okLat || !okLon) {
        return 0;
    }
    qint64 best = 0;
    double bestKm = 0;
    for (const Sighting& s : day) {
        bool a = false;
        bool b = false;
        const double slat = s.latitude.toDouble(&a);
        const double slon = s.longitude.toDouble(&b);
        if (!a || !b) {
            continue;
        }
        const double km = distanceKm(lat, lon, slat, slon);
        if (best == 0 || km < bestKm) {
            best = s.id;
            bestKm = km;
        }
    }
    return best;
}

std::vector<PhotoChoice> PhotoImport::propose(const Store& store, const QStringList& files) {
    std::vector<PhotoFile> looked;
    looked.reserve(size_t(files.size()));
    for (const QString& f : files) {
        looked.push_back(PhotoFile::inspect(f));
    }
    return propose(store, std::move(looked));
}

std::vector<PhotoChoice> PhotoImport::propose(const Store& store, std::vector<PhotoFile> files) {
    std::vector<PhotoChoice> out;
    out.reserve(files.size());
    std::vector<QDate> days;
    for (PhotoFile& f : files) {
        PhotoChoice c;
        c.file = std::move(f);
        if (c.file.exif.taken.isValid()) {
            days.push_back(c.file.exif.taken.date());
        }
        out.push_back(std::move(c));
    }
    const std::map<QDate, std::vector<Sighting>> sightings = store.sightingsOnDays(days);
    for (PhotoChoice& c : out) {
        if (!c.file.ok() || !c.file.exif.taken.isValid()) {
            continue;
        }
        const QDate day = c.file.exif.taken.date();
        const auto it = sightings.find(day);
        if (it == sightings.end()) {
            continue;
        }
        c.sightingId = proposedSighting(it->second, c.file.exif.latitude, c.file.exif.longitude);
        for (const Sighting& s : it->second) {
            if (s.id == c.sightingId) {
                c.birdid = s.birdid;
                const QString bird =
                    store.subjectName(Category::Birds, s.birdid).value_or(QString());
                c.title = bird + QStringLiteral(", ") + words::date(day, DateStyle::Long);
            }
        }
    }
    return out;
}

int PhotoImport::store(Store& store, const DataFolder& folder, std::vector<PhotoChoice>& choices) {
    std::vector<QString> written;  // files made, removed again if the journal fails
    int stored = 0;
    try {
        QDir().mkpath(folder.imagesDir());
        store.inTransaction([&] {
            for (PhotoChoice& c : choices) {
                c.outcome.clear();
                if (!c.file.ok()) {
                    c.outcome = c.file.problem;
                    continue;
                }
                if (c.birdid == 0) {
                    c.outcome = tr("has no bird to be filed under");
                    continue;
                }
                const QString bird =
                    store.subjectName(Category::Birds, c.birdid).value_or(QString());
                Entry e;
                e.catid = int(Category::Birds);
                e.subid = c.birdid;
                e.type = kImage;
                e.title = c.title.trimmed().isEmpty() ? c.file.name : c.title.trimmed();
                e.id = store.appendEntry(e);
                e.fname = storedName(bird, e.title, e.id);
                const std::optional<QString> target = folder.picturePath(e.fname);
                if (!target || QFileInfo::exists(*target)) {
                    c.outcome = tr("cannot be stored: the name %1 is taken in Images").arg(e.fname);
                    store.deleteEntry(e.id);
                    continue;
                }
                if (c.file.kind == PhotoFile::Kind::Jpeg) {
                    if (!QFile::copy(c.file.path, *target)) {
                        c.outcome = tr("cannot be copied into Images");
                        store.deleteEntry(e.id);
                        continue;
                    }
                    written.push_back(*target);
                } else {
                    QImageReader reader(c.file.path);
                    reader.setAutoTransform(true);
                    const QImage picture = reader.read();
                    if (picture.isNull()) {
                        c.outcome = tr("cannot be decoded: %1").arg(reader.errorString());
                        store.deleteEntry(e.id);
                        continue;
                    }
                    cDIBSection dib;
                    dib.CreateFromPicture(picture);
                    NeverReplace never;
                    auto prepared = mIntelJPEGLibrary::PrepareJpegFile(dib, *target, 90, never);
                    if (!prepared) {
                        c.outcome =
                            tr("cannot be stored: the name %1 is taken in Images").arg(e.fname);
                        store.deleteEntry(e.id);
                        continue;
                    }
                    prepared->place();
                    written.push_back(*target);
                }
                store.updateEntry(e);
                store.setPictureExif(e.id, c.file.exif);
                if (c.sightingId != 0) {
                    store.tiePicture(e.id, c.sightingId);
                }
                ++stored;
            }
        });
    } catch (...) {
        for (const QString& f : written) {
            QFile::remove(f);
        }
        throw;
    }
    return stored;
}

}  // namespace wf
