// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/document_history.h"

#include <QUndoCommand>
#include <utility>

#include "ui/app/translation.h"
#include "ui/grid/channel_table_model.h"

namespace kestra {

namespace {

// One change: the document before and after it.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(ChannelTableModel* model, const QString& text, DocumentSnapshot before,
                 DocumentSnapshot after)
        : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { model_->Restore(before_); }
    void redo() override {
        // Pushing a step runs redo: the change has already been made.
        if (pushed_)
            model_->Restore(after_);
        pushed_ = true;
    }

private:
    ChannelTableModel* model_;
    DocumentSnapshot before_;
    DocumentSnapshot after_;
    bool pushed_ = false;
};

} // namespace

DocumentHistory::DocumentHistory(ChannelTableModel* model, QObject* parent)
    : QObject(parent), model_(model) {
    stack_.setUndoLimit(kStepsKept);
    connect(&stack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        emit modifiedChanged(!clean);
        emit stateChanged();
    });
    connect(&stack_, &QUndoStack::canUndoChanged, this, &DocumentHistory::stateChanged);
    connect(&stack_, &QUndoStack::canRedoChanged, this, &DocumentHistory::stateChanged);
    connect(&stack_, &QUndoStack::indexChanged, this, &DocumentHistory::stateChanged);
}

DocumentHistory::~DocumentHistory() {
    blockSignals(true);
    disconnect(&stack_, nullptr, this, nullptr);
}

DocumentSnapshot DocumentHistory::Take() const {
    return model_->Snapshot();
}

bool DocumentHistory::Record(const char* text, const DocumentSnapshot& before) {
    DocumentSnapshot after = Take();
    if (after == before)
        return false;
    stack_.push(new DocumentStep(model_, T(text), before, std::move(after)));
    return true;
}

void DocumentHistory::MarkClean() {
    stack_.setClean();
}

void DocumentHistory::Undo() {
    stack_.undo();
}

void DocumentHistory::Redo() {
    stack_.redo();
}

} // namespace kestra
