// CProgramDoc and CMyDocManager: the document glue of the desktop
// application. A document owns no data: every document works on the one
// radio image of the AppState. A new document fills the image from
// Default.dat or the built-in defaults; opening a file replaces the image
// with the file's 16384 bytes (a file that cannot be loaded changes nothing);
// saving converts the active view's grid into the image (GridToImage, which
// finalises it) and writes the image. Whether it holds unsaved changes is
// kept by its view's DocumentHistory.
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

    // The image a new document starts from.
    bool OnNewDocument();
    // The file's bytes into the image; false (image unchanged) with the
    // reason in error when the file cannot be loaded.
    bool OnOpenDocument(const QString& path, QString* error);
    // GridToImage of activeView (when given), then the image into the file.
    bool OnSaveDocument(const QString& path, CProgramView* activeView, QString* error);

    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path);
    // The file name, or "无标题" for a document that has none yet.
    QString Title() const;

signals:
    void titleChanged(const QString& title);

private:
    AppState& state_;
    QString pathName_;
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
