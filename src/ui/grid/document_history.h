// SPDX-License-Identifier: GPL-3.0-or-later
// DocumentHistory: the undo and redo history of one document window and
// whether it holds unsaved changes.
//
// A step holds the whole document (image, band limits, grid texts: a
// DocumentSnapshot) before and after one change, so that undo and redo give
// back exactly the bytes and texts there were. The changes that make steps:
// a committed grid cell, a paste, a dialog that changed the image when it
// closed, each "应用" of the batch dialog, a read from the radio and a CSV
// import. A change that leaves the document as it was makes no step.
//
// The document is modified while the history is away from its clean point:
// the state last opened, saved, read from the radio or created. Undoing back
// to that point clears the mark. A read from the radio is a step (undo gives
// back the document it replaced) and becomes the clean point.
#pragma once

#include <QObject>
#include <QUndoStack>

#include "core/grid/document_snapshot.h"

namespace kestra {

class ChannelTableModel;

class DocumentHistory : public QObject {
    Q_OBJECT
public:
    // Steps kept: each holds two snapshots of about 50 KiB.
    static constexpr int kStepsKept = 200;

    explicit DocumentHistory(ChannelTableModel* model, QObject* parent = nullptr);
    // Reports nothing while it goes (the stack clears itself as it is
    // destroyed, when the view around it is half gone).
    ~DocumentHistory() override;

    QUndoStack* stack() { return &stack_; }

    // The document as it is now.
    DocumentSnapshot Take() const;
    // Makes a step from before to the document as it is now, named text (a
    // KESTRA_TEXT source text); none when nothing changed. True when a step
    // was made.
    bool Record(const char* text, const DocumentSnapshot& before);
    // The document as it is now is the saved (or read, opened, created) one.
    void MarkClean();

    bool IsModified() const { return !stack_.isClean(); }
    // Asked about before the document is closed or replaced: whenever it is
    // modified.
    bool NeedsSaving() const { return IsModified(); }

    void Undo();
    void Redo();

signals:
    // The modified mark changed.
    void modifiedChanged(bool modified);
    // Undo or redo became possible or impossible, or the modified mark
    // changed.
    void stateChanged();

private:
    ChannelTableModel* model_;
    QUndoStack stack_;
};

} // namespace kestra
