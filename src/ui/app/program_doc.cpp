// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/program_doc.h"

#include <QDir>
#include <QFileInfo>

#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/document/file_io.h"
#include "ui/app/ini_file.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/grid/program_view.h"

namespace kestra {

CProgramDoc::CProgramDoc(AppState& state, QObject* parent) : QObject(parent), state_(state) {}

bool CProgramDoc::OnNewDocument() {
    NewDocumentImage(ProgramFoldersFor(state_.appDirectory), image_);
    limits_ = BandLimits{};
    LoadBandLimitsFromImage(image_, limits_);
    hasImage_ = true;
    return true;
}

bool CProgramDoc::OnOpenDocument(const QString& path, QString* error) {
    std::string reason;
    RadioImage loaded;
    long long size = 0;
    if (!LoadDatFile(path.toStdString(), loaded, &reason, &size)) {
        if (error)
            *error = QString::fromStdString(reason);
        return false;
    }
    image_ = loaded;
    onDisk_ = loaded;
    sizeOnDisk_ = size;
    limits_ = BandLimits{};
    LoadBandLimitsFromImage(image_, limits_);
    hasImage_ = true;
    SetPathName(path);
    return true;
}

void CProgramDoc::ParkImage() {
    image_ = state_.image;
    limits_ = state_.bandLimits;
    hasImage_ = true;
}

void CProgramDoc::UnparkImage() {
    if (!hasImage_)
        return;
    state_.image = image_;
    state_.bandLimits = limits_;
}

bool CProgramDoc::OnSaveDocument(const QString& path, CProgramView* activeView, QString* error) {
    const RadioImage& image = activeView ? activeView->ImageAsItStands() : state_.image;
    std::string reason;
    if (!SaveDatFile(path.toStdString(), image, &reason)) {
        if (error)
            *error = QString::fromStdString(reason);
        return false;
    }
    onDisk_ = image;
    sizeOnDisk_ = kImageSize;
    SetPathName(path);
    return true;
}

bool CProgramDoc::FileChangedSince(const QString& path) const {
    if (pathName_.isEmpty() || path != pathName_)
        return false;
    std::string now;
    long long size = 0;
    if (!ReadRegularFile(path.toStdString(), kImageSize, now, nullptr, &size))
        return false;
    return size != sizeOnDisk_ || now.size() != kImageSize ||
           now.compare(0, kImageSize, reinterpret_cast<const char*>(onDisk_.data()), kImageSize) !=
               0;
}

void CProgramDoc::SetPathName(const QString& path) {
    pathName_ = path;
    emit titleChanged(Title());
}

QString CProgramDoc::Title() const {
    if (pathName_.isEmpty())
        return T(text::kUntitled);
    return QFileInfo(pathName_).fileName();
}

QString CMyDocManager::NormalisePath(const QString& path) {
    // A name the Windows shell passed in quotes loses them. A quote elsewhere
    // is part of the name ('rep "home".dat' is a file of its own).
    QString p = path;
    if (p.size() >= 2 && p.startsWith('"') && p.endsWith('"'))
        p = p.mid(1, p.size() - 2);
    if (p.isEmpty())
        return p;
    return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
}

std::unique_ptr<CProgramDoc> CMyDocManager::NewDocument() {
    auto doc = std::make_unique<CProgramDoc>(state_);
    doc->OnNewDocument();
    return doc;
}

std::unique_ptr<CProgramDoc> CMyDocManager::OpenDocumentFile(const QString& path, QString* error) {
    auto doc = std::make_unique<CProgramDoc>(state_);
    if (!doc->OnOpenDocument(NormalisePath(path), error))
        return nullptr;
    return doc;
}

} // namespace kestra
