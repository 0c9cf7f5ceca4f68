// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace wf {

// Asked when a sighting names a bird that is not in the world list: add it
// as a new bird (Yes), take one of the nearest names instead, or go back to
// the box (No, the default).
class frmNewBird : public QDialog {
    Q_OBJECT
  public:
    // The dialog's result when a name of the list was chosen.
    static constexpr int UseName = 2;

    frmNewBird(const QString& typed, const QStringList& nearest, QWidget* parent = nullptr);
    // The name chosen from the list (with the result UseName).
    QString chosenName() const;

  private:
    QLabel* lblQuestion_;
    QListWidget* lstNearest_;
    QPushButton* cmdUse_;
    QPushButton* cmdYes_;
    QPushButton* cmdNo_;
};

}  // namespace wf
