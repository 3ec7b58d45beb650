// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_image.h"

#include <QImageReader>

namespace lutavo {

QSize FileImage::size() {
    if (!size_) size_ = QImageReader(path_).size();
    return *size_;
}

const QImage& FileImage::image() {
    if (!image_) {
        image_ = QImage(path_);
        size_ = image_->size();
    }
    return *image_;
}

}  // namespace lutavo
