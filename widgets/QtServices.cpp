// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace wf {

QAbstractButton* QtMessageBoxes::configure(QMessageBox& box, const MessageRequest& r) {
    box.setWindowTitle(r.title);
    box.setText(r.text);
    switch (r.icon) {
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    if (r.buttons != MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        return nullptr;
    }
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    if (r.yesText.isEmpty()) {
        yes = box.addButton(QMessageBox::Yes);
        no = box.addButton(QMessageBox::No);
    } else {
        yes = box.addButton(r.yesText, QMessageBox::AcceptRole);
        no = box.addButton(r.noText, QMessageBox::RejectRole);
    }
    box.setDefaultButton(static_cast<QPushButton*>(r.noIsDefault ? no : yes));
    box.setEscapeButton(no);
    return yes;
}

MsgAnswer QtMessageBoxes::show(const MessageRequest& r) {
    QMessageBox box(QApplication::activeWindow());
    QAbstractButton* yes = configure(box, r);
    box.exec();
    if (r.buttons != MsgButtons::YesNo) {
        return MsgAnswer::Ok;
    }
    return box.clickedButton() == yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QImage QtClipboard::image() const {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr || !mime->hasImage()) {
        return {};
    }
    return qvariant_cast<QImage>(mime->imageData());
}

void QtClipboard::setImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

int QtDialogRunner::exec(QDialog& dialog) {
    return dialog.exec();
}

namespace {

class QtTimer : public Timer {
  public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTimeout(); });
    }
    void start(int intervalMs, bool repeat, std::function<void()> f) override {
        callback_ = std::move(f);
        timer_.setSingleShot(!repeat);
        timer_.start(intervalMs);
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

  private:
    void onTimeout() {
        auto f = callback_;  // the callback may stop or replace it
        if (f) {
            f();
        }
    }
    QTimer timer_;
    std::function<void()> callback_;
};

}  // namespace

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

std::unique_ptr<Timer> SystemClock::createTimer() {
    return std::make_unique<QtTimer>();
}

}  // namespace wf
