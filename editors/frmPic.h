// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "EntryFrame.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wf {

struct AppState;
class MainWindowApi;
class SubjectPicker;

// The image editor: a picture pasted from the clipboard, stored as a JPEG
// file in the Images folder and filed under a bird or a topic; or, in edit
// mode, the title of an existing picture.
class frmPic : public EntryFrame {
    Q_OBJECT
  public:
    frmPic(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);

    // The picture the dialog holds (what Save writes).
    const QImage& picture() const { return picture_; }
    class PictureView* pictureView() const {
        return pictureView_;
    }
    // The file name a new picture entry gets: subject, blank, title, "_",
    // id, ".jpg", the texts exactly as typed.
    static QString fileName(const QString& subject, const QString& title, qint64 id);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Picture files from a file manager: the editor closes and they are
    // imported, proposed for the bird typed.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Form_Load();
    void lblClick_Click();
    void cmdClear_Click();
    void cmdSave_Click() override;
    void saveNew(const QString& subject, const QString& title);
    void showPicture(const QImage& image);
    void resetArea();

    QFrame* Picture1_;
    QLabel* Picture2_;
    class PictureView* pictureView_;
    QLabel* lblClick_;
    QPushButton* cmdClear_;
    // In edit mode, for a bird's picture: the sighting it shows, or none.
    QLabel* lblSighting_;
    QComboBox* cmbSighting_;
    QImage picture_;
};

}  // namespace wf
