// SPDX-License-Identifier: GPL-3.0-or-later
// Images and files as bytes, to compare them byte for byte.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "core/image/radio_image.h"

namespace kestra::test {

// The count bytes of the image at offset (the whole image by default).
inline QByteArray Bytes(const RadioImage& image, int offset = 0, int count = int(kImageSize)) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

// Channel n's record.
inline QByteArray Record(const RadioImage& image, int n) {
    return Bytes(image, RecordOffset(n), kRecordSize);
}

// The whole content of a file; "<unreadable>" when it cannot be read, which
// no test expects of a file.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Writes data as the whole file; false when it cannot.
inline bool WriteAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace kestra::test
