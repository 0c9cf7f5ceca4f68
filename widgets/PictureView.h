// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

namespace wf {

// Shows one picture in an area of its own. A picture larger than the area is
// scaled down to fit, keeping its proportions; a smaller one keeps its size;
// either is centred. Zoom in, zoom out, fit and actual size are on a small
// toolbar and on Ctrl+plus, Ctrl+minus and Ctrl+0 (and the wheel with Ctrl);
// scroll bars appear when the picture is zoomed past the area. The picture
// itself is never changed: only what is shown is scaled.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    // label: the widget that shows the picture (named by the caller).
    explicit PictureView(QLabel* label, QWidget* parent = nullptr);

    void setImage(const QImage& image);
    void clear();
    const QImage& image() const { return image_; }

    // The scale the picture is shown at (1 = actual size).
    double zoom() const { return zoom_; }
    bool fitting() const { return fit_; }

    void zoomIn();
    void zoomOut();
    void fitToArea();
    void actualSize();

    QLabel* label() const { return label_; }
    QScrollArea* scrollArea() const { return scroll_; }
    QToolBar* toolbar() const { return toolbar_; }
    QAction* action(const QString& key) const;

    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 8.0;
    static constexpr double kStep = 1.25;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setZoom(double zoom);
    void render();
    double fitZoom() const;

    QToolBar* toolbar_;
    QScrollArea* scroll_;
    QLabel* label_;
    QImage image_;
    double zoom_ = 1.0;
    bool fit_ = true;
};

}  // namespace wf
