// SPDX-License-Identifier: GPL-3.0-or-later
// CProgramDoc and CMyDocManager: the document glue of the desktop
// application. The dialogs, the grid and the exchanges all work on the one
// radio image of the AppState, and that image always belongs to the current
// document window: each document keeps its own image and band limits while
// another document is current (ParkImage) and puts them back when it becomes
// current again (UnparkImage), so that 写频, 存为 and every dialog act on
// the document the caption names, never on a mix of two files.
//
// A new document takes the image from Default.dat or the built-in defaults;
// opening a file takes the file's 16384 bytes (a file that cannot be loaded
// changes nothing); both fill the document's own image, which becomes the
// AppState's when its window opens. Saving converts the active view's grid
// into the image (GridToImage, which finalises it) and writes the image.
// Whether it holds unsaved changes is kept by its view's DocumentHistory.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "core/document/app_state.h"

namespace kestra {

class CProgramView;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(AppState& state, QObject* parent = nullptr);

    // The image a new document starts from, as the document's own.
    bool OnNewDocument();
    // The file's bytes as the document's own image; false (nothing changed)
    // with the reason in error when the file cannot be loaded.
    bool OnOpenDocument(const QString& path, QString* error);
    // The document stops being current: the AppState's image and band
    // limits are its own, kept until UnparkImage.
    void ParkImage();
    // The document becomes current: its own image (and band limits) into the
    // AppState. A document that has none yet takes the AppState's as it is.
    void UnparkImage();
    // GridToImage of activeView (when given), then the image into the file.
    bool OnSaveDocument(const QString& path, CProgramView* activeView, QString* error);

    // True when path is the document's file and no longer holds what the
    // document last read from it or saved there (another window or program
    // saved it since): its first 16384 bytes or its size differ. A file that
    // cannot be read has nothing to lose.
    bool FileChangedSince(const QString& path) const;
    // The size the file had when it was opened or last saved here: more than
    // 16384 for a longer file, of which only the image's bytes were read.
    long long SizeOnDisk() const { return sizeOnDisk_; }

    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path);
    // The file name, or "无标题" for a document that has none yet.
    QString Title() const;

signals:
    void titleChanged(const QString& title);

private:
    AppState& state_;
    QString pathName_;
    RadioImage onDisk_; // what the file held when last read or saved here
    long long sizeOnDisk_ = 0;
    bool hasImage_ = false;
    RadioImage image_;
    BandLimits limits_;
};

class CMyDocManager {
public:
    explicit CMyDocManager(AppState& state) : state_(state) {}

    // A path as the command line or a file dialog gives it: one leading
    // double quote stripped, cut at the last double quote, made absolute.
    static QString NormalisePath(const QString& path);

    std::unique_ptr<CProgramDoc> NewDocument();
    // A file that is already open is opened again as a new document.
    std::unique_ptr<CProgramDoc> OpenDocumentFile(const QString& path, QString* error);

private:
    AppState& state_;
};

} // namespace kestra
