// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmPic.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "EntryEditor.h"
#include "EntryNodes.h"
#include "FileChooser.h"
#include "MainWindowApi.h"
#include "PictureSave.h"
#include "PictureView.h"
#include "SubjectPicker.h"
#include "Words.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

namespace wf {

namespace {

// Twips of the picture area and the least picture width.
constexpr double kAreaWidth = 8175;
constexpr double kAreaHeight = 5655;
constexpr double kLeastWidth = 50;

int px(double twips, const QWidget* w) {
    return int(twips * w->logicalDpiX() / 1440.0 + 0.5);
}

}  // namespace

QString frmPic::fileName(const QString& subject, const QString& title, qint64 id) {
    return pictureFileName(subject, title, id);
}

frmPic::frmPic(AppState& state, MainWindowApi& main, QWidget* parent)
    : EntryFrame(state, main, parent,
                 {"frmPic", QT_TRANSLATE_NOOP("wf::EntryFrame", "Add a New Image"), "Image"}),
      Picture1_(new QFrame(this)),
      Picture2_(new QLabel),
      pictureView_(new PictureView(Picture2_, Picture1_)),
      lblClick_(new QLabel(tr("Click Here To Paste Image"), Picture1_)),
      cmdClear_(new QPushButton(tr("Clear Image"), this)),
      lblSighting_(new QLabel(tr("Si&ghting"), this)),
      cmbSighting_(new QComboBox(this)) {
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    setAcceptDrops(true);  // picture files from a file manager go to Import Pictures
    Picture1_->setFrameShape(QFrame::Box);
    Picture1_->setFixedSize(px(kAreaWidth, this), px(kAreaHeight, this));
    Picture2_->setObjectName(QStringLiteral("Picture2"));
    lblClick_->setObjectName(QStringLiteral("lblClick"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setPointSize(14);
    lblClick_->setFont(times);
    lblClick_->adjustSize();
    lblClick_->setCursor(Qt::PointingHandCursor);
    lblClick_->installEventFilter(this);
    // The area takes the focus in its turn, shows it with a thick frame in
    // the highlight colour, and pastes with Ctrl+V, Shift+Insert or Space.
    Picture1_->setFocusPolicy(Qt::StrongFocus);
    Picture1_->setToolTip(tr("Click, or press Ctrl+V, to paste the picture copied"));
    Picture1_->installEventFilter(this);
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::Paste), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
          QKeySequence(Qt::Key_Space)}) {
        auto* paste = new QAction(Picture1_);
        paste->setShortcut(keys);
        paste->setShortcutContext(Qt::WidgetShortcut);
        Picture1_->addAction(paste);
        connect(paste, &QAction::triggered, this, &frmPic::lblClick_Click);
    }
    cmdClear_->setObjectName(QStringLiteral("cmdClear"));
    cmdClear_->setAutoDefault(false);
    connect(cmdClear_, &QPushButton::clicked, this, &frmPic::cmdClear_Click);
    cmbSighting_->setObjectName(QStringLiteral("cmbSighting"));
    lblSighting_->setBuddy(cmbSighting_);
    fields()->addWidget(lblSighting_, 2, 0);
    fields()->addWidget(cmbSighting_, 2, 1);
    lblSighting_->hide();
    cmbSighting_->hide();
    body()->addWidget(Picture1_);
    buttons()->addWidget(cmdClear_);
    finish();
    setTabOrder(txtTitle_, cmbSighting_);
    setTabOrder(cmbSighting_, Picture1_);
    Form_Load();
    changes_.watch([this] {
        return QStringList{cmbSub_->currentText(), txtTitle_->text(),
                           QString::number(picture_.cacheKey()),
                           cmbSighting_->currentData().toString()};
    });
}

void frmPic::resetArea() {
    pictureView_->setGeometry(Picture1_->contentsRect());
    pictureView_->clear();
    lblClick_->move((Picture1_->width() - lblClick_->width()) / 2,
                    (Picture1_->height() - lblClick_->height()) / 2);
    lblClick_->raise();
}

void frmPic::showPicture(const QImage& image) {
    // The picture itself is kept whole; a large one is shown scaled to fit
    // the area, a small one at its own size, centred.
    picture_ = image;
    pictureView_->setImage(image);
}

void frmPic::Form_Load() {
    cmdClear_->setEnabled(false);
    cmdSave_->setEnabled(false);
    resetArea();
    try {
        const auto current = loadEntry(QT_TRANSLATE_NOOP("wf::EntryFrame", "Editing Image Title"));
        if (!editing_) {
            return;
        }
        cmdClear_->setEnabled(false);
        cmdSave_->setEnabled(true);
        lblClick_->hide();
        if (!current) {
            return;
        }
        const Entry* e = &current->first;
        if (e->catid == int(Category::Birds)) {
            // Which of the bird's sightings it shows: tied or untied here.
            cmbSighting_->addItem(tr("None"), qint64(0));
            for (const Sighting& s : state_.db().sightingsOf(e->subid)) {
                QString text = s.date.isValid() ? words::date(s.date) : tr("no date");
                if (!s.site.isEmpty()) {
                    text += QStringLiteral(", ") + s.site;
                }
                cmbSighting_->addItem(text, s.id);
            }
            const qint64 tied = state_.db().sightingOfPicture(e->id).value_or(0);
            cmbSighting_->setCurrentIndex(std::max(0, cmbSighting_->findData(tied)));
            lblSighting_->show();
            cmbSighting_->show();
        }
        const std::optional<QString> path = state_.folder.picturePath(e->fname);
        QImage image;
        if (path && !QFileInfo(*path).isSymLink()) {  // a link is never followed
            QImageReader reader(*path);
            reader.setAutoTransform(true);
            image = reader.read();
        }
        if (image.isNull()) {
            // The title can still be edited and saved.
            state_.services.messages.notify(
                tr("The picture file \"%1\" cannot be read; only the title can be "
                   "changed.")
                    .arg(e->fname),
                QStringLiteral("Wingfolio"), MsgIcon::Information);
            return;
        }
        showPicture(image);
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
}

void frmPic::dragEnterEvent(QDragEnterEvent* event) {
    if (!editing_ && !localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmPic::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (editing_ || files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    qint64 bird = 0;
    if (state_.birds()) {
        try {
            bird = state_.db().findSubject(Category::Birds, cmbSub_->currentText()).value_or(0);
        } catch (const AppError&) {
        }
    }
    // The bird typed goes on to the import; a picture pasted here would be
    // lost, so then the editor asks first.
    if (picture_.isNull()) {
        QDialog::reject();
    } else {
        reject();
    }
    if (isVisible()) {
        return;
    }
    // Once the editor has closed.
    MainWindowApi* main = &main_;
    QObject* context = parentWidget() ? static_cast<QObject*>(parentWidget()) : qApp;
    QTimer::singleShot(0, context, [main, files, bird] { main->importPictures(files, bird); });
}

bool frmPic::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblClick_ && event->type() == QEvent::MouseButtonRelease) {
        lblClick_Click();
        return true;
    }
    if (watched == Picture1_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool focused = event->type() == QEvent::FocusIn;
        QPalette look = palette();
        if (focused) {
            look.setColor(QPalette::WindowText, look.color(QPalette::Highlight));
        }
        Picture1_->setPalette(look);
        Picture1_->setLineWidth(focused ? 3 : 1);
    }
    return QDialog::eventFilter(watched, event);
}

void frmPic::lblClick_Click() {
    const QImage image = state_.services.clipboard.image();
    if (image.isNull()) {
        state_.services.messages.notify(
            tr("No picture in memory. Make sure you have properly copied a picture "
               "into the Windows Clipboard."),
            tr("Error Pasting Image"), MsgIcon::Exclamation);
        return;
    }
    showPicture(image);
    if (image.width() * 1440.0 / logicalDpiX() >= kLeastWidth) {
        cmdSave_->setEnabled(true);
        lblClick_->hide();
        cmdClear_->setEnabled(true);
    }
}

void frmPic::cmdClear_Click() {
    picture_ = QImage();
    resetArea();
    lblClick_->show();
    cmdSave_->setEnabled(false);
}

void frmPic::cmdSave_Click() {
    if (!entry_editor::checkFields(
            state_, cmbSub_, txtTitle_,
            {tr("You must enter a title for the article."), QStringLiteral("Wingfolio")})) {
        return;
    }
    const QString subject = cmbSub_->currentText();
    const QString title = txtTitle_->text();
    try {
        if (editing_) {
            Entry e = entry_editor::entryToEdit(state_, "wingfolio.frmPic");
            e.title = title;  // the file and its name stay as they are
            state_.db().inTransaction([&] {
                state_.db().updateEntry(e);
                if (cmbSighting_->isVisible() || cmbSighting_->count() > 0) {
                    const qint64 sighting = cmbSighting_->currentData().toLongLong();
                    state_.db().tiePicture(
                        e.id, sighting != 0 ? std::optional<qint64>(sighting) : std::nullopt);
                }
            });
            state_.EditMode = false;
            main_.entrySaved(QStringLiteral("I") + QString::number(e.id), false);
            accept();
            return;
        }
        saveNew(subject, title);
    } catch (const AppError& e) {
        // The number, as always, and what went wrong (a full disk, named).
        state_.services.messages.notify(tr("Image Error # ") + QString::number(e.number()) +
                                            QStringLiteral("\n\n") + e.description(),
                                        tr("Image Error"));
    }
}

void frmPic::saveNew(const QString& subject, const QString& title) {
    const StoredPicture stored =
        storeNewPicture(state_.db(), state_.folder, state_.category(), subject, title, picture_,
                        state_.services.messages);
    if (stored.declined) {
        state_.services.messages.notify(
            tr("Failed to save the picture to the file: '") + stored.path + u'\'',
            QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
        return;
    }
    NewEntryNode node;
    node.category = state_.category();
    node.subjectText = subject;
    node.keyLetter = QStringLiteral("I");
    node.title = title;
    node.picture = 2;
    node.subid = stored.subid;
    node.subjectHadEntries = stored.subjectHadEntries;
    node.id = stored.id;
    insertEntryNode(main_, node);
    main_.entrySaved(QStringLiteral("I") + QString::number(stored.id), true);
    accept();
}

}  // namespace wf
