// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace wf {

// The about box: the product's name, version, picture, where to find its
// maker, and the world list's attribution.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kWebPage = "https://wingfolio.org";
    static constexpr const char* kSupportEmail = "support@wingfolio.org";

    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace wf
