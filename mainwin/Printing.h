// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QDialog;
class QTextDocument;
class QWidget;

namespace wf {

// Printing, on Qt Print Support: a module of its own (mainwin/print), so that
// starting the program loads neither it nor the printing system's libraries.
class Printing {
  public:
    virtual ~Printing() = default;
    // The print preview of a copy of doc, titled title; its Print button
    // asks for the printer and prints. A child of parent.
    virtual std::unique_ptr<QDialog> previewDialog(const QTextDocument& doc, const QString& title,
                                                   QWidget* parent) const = 0;
    // Prints doc into a PDF file as a printer lays it out; false when the
    // file cannot be written.
    virtual bool printToPdf(const QTextDocument& doc, const QString& path) const = 0;
};

// The function the module exports: const Printing* ().
inline constexpr const char* kPrintingEntry = "wingfolio_printing";

// Loads the module (once); null, with why in *error, when it cannot be.
const Printing* printing(QString* error);

}  // namespace wf
