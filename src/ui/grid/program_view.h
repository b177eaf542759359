// SPDX-License-Identifier: GPL-3.0-or-later
// CProgramView: the form in every document window. It shows one ChannelGrid
// of the one radio image in a table, with the buttons "批量生成", "信道编辑"
// and (after the factory unlock) "初始化" above it, and carries the view
// commands: read, write and initialise through the progress dialog, the
// dialogs that belong to the view, and the factory unlock on Ctrl+F11.
//
// What the view does before and after each dialog is the table of
// core/forms/view_steps.h (RunDialog reads it): 信道编辑 and 编辑 -> 机型
// convert the grid first and render it after a change, 批量生成 converts
// first and renders after each "应用", the settings dialogs do neither.
//
// The grid is rendered when the view is created and after a successful read;
// it is converted into the image before a write or initialise, before saving
// and when the view is destroyed (unless its document was closed).
//
// Every change the view makes (a committed cell, a paste, a dialog that
// changed the image, each "应用", a read) is one step of its
// DocumentHistory; a successful read is also the new clean point.
#pragma once

#include <QWidget>
#include <functional>

#include "core/document/app_state.h"

class QKeyEvent;
class QPushButton;

namespace kestra {

class ChannelTableModel;
class ChannelTableView;
class DocumentHistory;
enum class TransferKind;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    explicit CProgramView(AppState& state, QWidget* parent = nullptr);
    ~CProgramView() override;

    ChannelTableModel* model() const { return model_; }
    ChannelTableView* table() const { return table_; }
    QPushButton* batchButton() const { return batchButton_; }
    QPushButton* channelEditButton() const { return channelEditButton_; }
    QPushButton* initialiseButton() const { return initialiseButton_; }
    DocumentHistory* history() const { return history_; }

    // The form's own size: the grid at its minimum width and about twenty
    // rows.
    QSize sizeHint() const override;

    // RenderGrid: the grid from the image.
    void RenderGrid();
    // GridToImage: the grid (with the open editor's text) into the image.
    void ConvertGridToImage();
    // The document's image as it stands: the grid's edits, an open editor's
    // text included, converted first. Every command that reads the image
    // (save, write, export, print, compare) takes it from here.
    const RadioImage& ImageAsItStands();

    // Runs a change of the image as one undo step named text: the grid is
    // converted first; when the image or band limits changed, the grid is
    // rendered again (renderAfter) and the step made.
    void RunAsStep(const char* text, const std::function<void()>& change, bool renderAfter);
    // Runs the dialog of a form ("channel", "options", ...) with the steps
    // the view runs around it (core/forms/view_steps.h, which kestra-cli
    // configure reads too), as one undo step named text.
    void RunDialog(const char* form, const char* text, const std::function<void()>& dialog);

    // View commands.
    void OnRead();
    void OnWrite();
    void OnInitialise();
    void OnChannelEdit();
    void OnBatchGeneration();
    void OnModelInfo();
    // Ctrl+F11: the password dialog; a matching password sets FactoryMode.
    void OnFactoryUnlock();
    // Shows "初始化" (factory mode).
    void ShowInitialiseButton();
    // The view goes without converting its grid into the image: its
    // document is closed (saved or discarded), and the image may already be
    // another document's.
    void DiscardGridOnDestroy() { convertOnDestroy_ = false; }

signals:
    // The factory unlock succeeded.
    void factoryUnlocked();
    // The progress dialog closed after an exchange: "读频完成", "写频完成",
    // "初始化完成", or the failure message; after a backup that was not
    // saved, "读频完成；备份失败：<reason>".
    void exchangeReported(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the exchange's progress dialog; true when the exchange succeeded.
    // backedUp, when given, says whether its backup was saved.
    bool RunTransferDialog(TransferKind kind, bool* backedUp = nullptr);
    // The button whose access key a key press outside every document window
    // of this view's main window (the navigation tree) stands for, while this
    // view's window is the current one; else null.
    QPushButton* ButtonForAccessKey(QObject* receiver, const QKeyEvent& key) const;

    AppState& state_;
    ChannelTableModel* model_;
    ChannelTableView* table_;
    DocumentHistory* history_;
    QPushButton* batchButton_;
    QPushButton* channelEditButton_;
    QPushButton* initialiseButton_;
    bool convertOnDestroy_ = true;
    // What "应用" runs while a dialog that renders on it is open.
    std::function<void()> renderOnApply_;
};

} // namespace kestra
