// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmFont.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "Services.h"

namespace wf {

namespace {

// A check box for an attribute that may be mixed: partly checked then.
void setTri(QCheckBox* box, rtf::Tri value, std::optional<bool>& field) {
    box->setTristate(value == rtf::Tri::Mixed);
    box->setCheckState(value == rtf::Tri::On    ? Qt::Checked
                       : value == rtf::Tri::Off ? Qt::Unchecked
                                                : Qt::PartiallyChecked);
    if (value != rtf::Tri::Mixed) {
        field = value == rtf::Tri::On;
    }
}

}  // namespace

frmFont::frmFont(const rtf::SelectionFormat& sel, DialogRunner& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      cmbFont_(new QFontComboBox(this)),
      txtSize_(new QDoubleSpinBox(this)),
      cmdColor_(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(tr("Font"));
    cmbFont_->setObjectName(QStringLiteral("cmbFont"));
    txtSize_->setObjectName(QStringLiteral("txtSize"));
    txtSize_->setRange(1, 1638);
    txtSize_->setDecimals(1);
    txtSize_->setSingleStep(0.5);
    cmdColor_->setObjectName(QStringLiteral("cmdColor"));
    const char* names[] = {"chkBold", "chkItalic", "chkUnderline", "chkStrikeout"};
    const char* captions[] = {QT_TR_NOOP("&Bold"), QT_TR_NOOP("&Italic"), QT_TR_NOOP("&Underline"),
                              QT_TR_NOOP("Stri&keout")};
    for (int i = 0; i < 4; ++i) {
        chk_[i] = new QCheckBox(tr(captions[i]), this);
        chk_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    // What the selection has one value for.
    choice_.family = sel.fontFamily;
    choice_.size = sel.pointSize;
    choice_.color = sel.color;
    if (sel.fontFamily) {
        cmbFont_->setCurrentFont(QFont(*sel.fontFamily));
        cmbFont_->setEditText(*sel.fontFamily);
    } else {
        cmbFont_->setEditText(QString());
    }
    if (sel.pointSize) {
        txtSize_->setValue(*sel.pointSize);
    } else {
        txtSize_->setSpecialValueText(QStringLiteral(" "));
        txtSize_->setValue(txtSize_->minimum());
    }
    setTri(chk_[0], sel.bold, choice_.bold);
    setTri(chk_[1], sel.italic, choice_.italic);
    setTri(chk_[2], sel.underline, choice_.underline);
    setTri(chk_[3], sel.strike, choice_.strike);
    showColor();

    // What the user sets counts from then on.
    connect(cmbFont_, &QFontComboBox::currentFontChanged, this,
            [this](const QFont& f) { choice_.family = f.family(); });
    connect(txtSize_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        txtSize_->setSpecialValueText(QString());
        choice_.size = v;
    });
    std::optional<bool>* fields[] = {&choice_.bold, &choice_.italic, &choice_.underline,
                                     &choice_.strike};
    for (int i = 0; i < 4; ++i) {
        connect(chk_[i], &QCheckBox::clicked, this, [this, i, field = fields[i]] {
            chk_[i]->setTristate(false);
            *field = chk_[i]->checkState() == Qt::Checked;
        });
    }
    connect(cmdColor_, &QPushButton::clicked, this, &frmFont::chooseColor);

    auto* form = new QFormLayout;
    form->addRow(tr("&Font:"), cmbFont_);
    form->addRow(tr("&Size:"), txtSize_);
    for (QCheckBox* c : chk_) {
        form->addRow(QString(), c);
    }
    form->addRow(tr("&Colour:"), cmdColor_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void frmFont::chooseColor() {
    QColorDialog dialog(choice_.color && choice_.color->isValid() ? *choice_.color : Qt::black,
                        this);
    dialog.setObjectName(QStringLiteral("dlgColor"));
    if (dialogs_.exec(dialog) == QDialog::Accepted) {
        choice_.color = dialog.selectedColor();
        showColor();
    }
}

void frmFont::showColor() {
    if (choice_.color && choice_.color->isValid()) {
        cmdColor_->setText(choice_.color->name());
        cmdColor_->setStyleSheet(QStringLiteral("background: %1").arg(choice_.color->name()));
    } else {
        cmdColor_->setText(choice_.color ? tr("Automatic") : QString());
        cmdColor_->setStyleSheet(QString());
    }
}

}  // namespace wf
