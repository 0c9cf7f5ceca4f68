// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace wf {

// A status bar panel as wide as its text. When the window is too narrow for
// every panel, a panel gives up room and shows its text cut with "…" rather
// than printing over its neighbour; a count ("Wales List = 12") keeps its
// number whole. The full text is always its tooltip.
class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    explicit StatusPanel(const QString& key, QWidget* parent = nullptr);

    // Sets the text and the tooltip that carries it whole.
    void setPanelText(const QString& text);
    // Whether the whole text fits the panel as it is now.
    bool textFits() const;
    // The text as the panel shows it at its present width: a count keeps
    // its number, the name before it gives way first.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace wf
