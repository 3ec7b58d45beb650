// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture file of the program's, read when it is first drawn. A picture box that never comes
// on screen (a panel waiting below the window, the setup window's buttons) costs a look at the
// file's header for its size, and no more.

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

namespace lutavo {

class FileImage {
  public:
    explicit FileImage(QString path) : path_(std::move(path)) {}

    // From the file's header; empty when the file cannot be read as a picture.
    QSize size();
    bool readable() { return !size().isEmpty(); }
    // The pixels, read at the first call; null when the file cannot be read.
    const QImage& image();
    // Whether the pixels have been read.
    bool read() const { return image_.has_value(); }

  private:
    QString path_;
    std::optional<QSize> size_;
    std::optional<QImage> image_;
};

using FileImageRef = std::shared_ptr<FileImage>;

}  // namespace lutavo
