// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextEdit>

namespace wf {

// The article editor's text box. Besides text it takes pictures: pasted
// (Ctrl+V, Shift+Insert) or dropped as image files, they go into the text
// where the cursor is, at most as wide as the box. Pasted text comes in
// plain.
class ArticleEdit : public QTextEdit {
    Q_OBJECT
  public:
    explicit ArticleEdit(QWidget* parent = nullptr);

    // Puts a picture into the text at the cursor; a wide one starts a
    // paragraph.
    void insertPicture(const QImage& image);
    // The widest a picture is shown in the box.
    int pictureWidth() const;

  protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace wf
