// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace wf {

// Error numbers the program uses. Handlers show them after "Error # ".
namespace err {
inline constexpr long InvalidArgument = 5;       // a value out of its allowed range
inline constexpr long SubscriptOutOfRange = 9;   // a pixel or cell outside its memory
inline constexpr long TypeMismatch = 13;         // a node key whose number is not a number
inline constexpr long Cancelled = 18;            // the user stopped the work
inline constexpr long BadFileFormat = 321;       // a file to import that is not what it should be
inline constexpr long FileNotFound = 53;         // a file that should be there is not
inline constexpr long DeviceIO = 57;             // the disk failed to read or write
inline constexpr long DiskFull = 61;             // the disk has no room left
inline constexpr long PathAccess = 75;           // a file or folder that cannot be read or written
inline constexpr long InvalidPicture = 481;      // a picture file that cannot be decoded
inline constexpr long NoCurrentRecord = 3021;    // a row looked up by id is gone
inline constexpr long DatabaseDamaged = 3049;    // the journal is not a database of this program
inline constexpr long DatabaseLocked = 3051;     // the journal is in use or not accessible
inline constexpr long DatabaseError = 3146;      // any other failure of the database engine
inline constexpr long JpegWriter = 26001;        // the JPEG writer failed
inline constexpr long ElementNotFound = 35601;   // a tree node key that the tree does not hold
inline constexpr long DuplicateNodeKey = 35602;  // a tree node key that the tree already holds
}  // namespace err

// The one error type of the program: a number, where it came from, and what
// went wrong in words a user can read.
class AppError : public std::runtime_error {
  public:
    AppError(long number, QString source, QString description);

    long number() const noexcept { return number_; }
    const QString& source() const noexcept { return source_; }
    const QString& description() const noexcept { return description_; }

  private:
    long number_;
    QString source_;
    QString description_;
};

}  // namespace wf
