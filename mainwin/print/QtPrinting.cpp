// SPDX-License-Identifier: GPL-3.0-or-later
// Printing with Qt Print Support, loaded when the first page is printed.
#include <QDialog>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "Printing.h"

namespace wf {
namespace {

// The preview owns its printer and the copy of the document it shows.
class PreviewDialog : public QPrintPreviewDialog {
  public:
    PreviewDialog(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTextDocument> doc,
                  const QString& title, QWidget* parent)
        : QPrintPreviewDialog(printer.get(), parent),
          printer_(std::move(printer)),
          doc_(std::move(doc)) {
        setObjectName(QStringLiteral("dlgPrintPreview"));
        setWindowTitle(title);
        connect(this, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* p) { doc_->print(p); });
    }

  private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTextDocument> doc_;
};

class QtPrinting : public Printing {
  public:
    std::unique_ptr<QDialog> previewDialog(const QTextDocument& doc, const QString& title,
                                           QWidget* parent) const override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setDocName(title);
        std::unique_ptr<QTextDocument> copy(doc.clone());
        return std::make_unique<PreviewDialog>(std::move(printer), std::move(copy), title, parent);
    }

    bool printToPdf(const QTextDocument& doc, const QString& path) const override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        doc.print(&printer);
        return QFile::exists(path) && QFile(path).size() > 0;
    }
};

}  // namespace
}  // namespace wf

extern "C" Q_DECL_EXPORT const wf::Printing* wingfolio_printing() {
    static const wf::QtPrinting printing;
    return &printing;
}
