// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QDir>
#include <QImage>

#include "AppFixture.h"

namespace wf::test {

// A started program on a journal the test fills first.
class MainWindowFixture : public AppFixture {
  protected:
    std::unique_ptr<Store> prep;

    Store& journal() {
        if (!prep) {
            prep = DataFolder(dataDir()).openJournal(worldListPath());
        }
        return *prep;
    }
    qint64 birdId(const QString& name) { return *journal().findSubject(Category::Birds, name); }
    qint64 addEntry(Category cat, qint64 subid, const QString& type, const QString& title,
                    const QString& fname = QStringLiteral(" "), const QString& caption = {}) {
        Entry e;
        e.catid = int(cat);
        e.subid = subid;
        e.type = type;
        e.title = title;
        e.fname = fname;
        e.caption = caption;
        return journal().appendEntry(e);
    }
    qint64 addSighting(qint64 bird, QDate date, const QString& site = QStringLiteral("Marsh")) {
        Sighting s;
        s.birdid = bird;
        s.date = date;
        s.type = QStringLiteral("Adult");
        s.site = site;
        return journal().appendSighting(s);
    }
    void writePicture(const QString& fname, QSize size, QColor color = Qt::blue) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(color);
        ASSERT_TRUE(img.save(dataDir() + "/Images/" + fname, "JPG"));
    }
    frmMain& start() {
        prep.reset();  // the program opens the journal itself
        return startToMain();
    }
};

}  // namespace wf::test
