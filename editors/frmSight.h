// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "ChangeWatch.h"
#include "Types.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wf {

struct AppState;
class DateField;
class MainWindowApi;
class SubjectPicker;

// The sighting editor: one observation of a bird, new or corrected. A bird
// that is not in the world list is added only when the user says so. Save
// and Next stores a sighting and starts the next of the same day and place.
class frmSight : public QDialog {
    Q_OBJECT
  public:
    frmSight(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);
    // Opens the editor on a stored sighting, which Save rewrites in place.
    void editSighting(const Sighting& s);
    bool editing() const { return editing_.has_value(); }

    QComboBox* cmbBird() const { return cmbBird_; }
    SubjectPicker& picker() const { return *picker_; }
    // How many sightings this opening of the editor has stored.
    int saved() const { return saved_; }

    void done(int result) override;
    void reject() override;

  private:
    void Form_Load();
    // Stores the sighting; false when a check or the user stopped it.
    bool store();
    void cmdSave_Click();
    void cmdSaveNext_Click();
    // The bird's name to file under, after asking about one not in the
    // world list; nothing when the user went back to the box.
    std::optional<QString> birdToFile(const QString& typed);
    QStringList snapshot() const;
    QString typeChosen() const;
    // Offers the outings of the date and site shown, "New outing" and none.
    void fillOutings();

    AppState& state_;
    MainWindowApi& main_;
    QLabel* heading_;
    QComboBox* cmbBird_;
    SubjectPicker* picker_;
    DateField* DTPicker1_;
    QLineEdit* txtTime_;
    QComboBox* cmbType_;
    QLineEdit* txtCount_;
    QLineEdit* txtSite_;
    QComboBox* cmbDistrict_;
    QComboBox* cmbState_;
    QComboBox* cmbCountry_;
    QComboBox* cmbRegion_;
    QLineEdit* txtNotes_;
    QLineEdit* txtLatitude_ = nullptr;
    QLineEdit* txtLongitude_ = nullptr;
    QComboBox* cmbOuting_ = nullptr;
    // The outing last saved with, or of the sighting edited: chosen again
    // while it is one of the day's and site's.
    std::optional<qint64> keptOuting_;
    QPushButton* cmdSaveNext_;
    QPushButton* cmdSave_;
    QPushButton* cmdClose_;
    std::optional<Sighting> editing_;
    QStringList birdNames_;
    ChangeWatch changes_;
    int saved_ = 0;
};

// A time of day as typed ("7:05", "0705", "19.30"); null when empty, and
// nothing when it is no time.
std::optional<QTime> parseTimeOfDay(const QString& text);

}  // namespace wf
