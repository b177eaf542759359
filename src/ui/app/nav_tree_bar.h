// SPDX-License-Identifier: GPL-3.0-or-later
// CNavTreeBar: the panel on the left of the main frame with the navigation
// tree (root = ModelName; below it the commands it is given: "信道信息",
// "可选功能", "DTMF"). A click on an item (or Enter) reports its command
// identifier and the selection returns to the root, so that choosing the
// same item again acts again. The panel's width stays between 11 pixels
// and half the frame's width; its caption strip carries a close button.
#pragma once

#include <QDockWidget>
#include <vector>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestra {

class CNavTreeBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 160;
    // The width that shows every item whole (at least kInitialWidth).
    int FittingWidth() const;
    static constexpr int kMinWidth = 11;
    static constexpr int kCaptionHeight = 22;

    struct Item {
        int command;
        QString text;
    };

    CNavTreeBar(const QString& modelName, const std::vector<Item>& items,
                QWidget* parent = nullptr);

    QTreeWidget* tree() const { return tree_; }
    QTreeWidgetItem* rootItem() const { return root_; }
    // The item of a command; nullptr when the tree has none.
    QTreeWidgetItem* item(int command) const;
    QToolButton* closeButton() const { return close_; }

    // Keeps the width within 11 pixels and half of frameWidth.
    void SetFrameWidth(int frameWidth);

signals:
    void commandChosen(int command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(QTreeWidgetItem* item);

    QTreeWidget* tree_;
    QTreeWidgetItem* root_;
    QToolButton* close_;
};

} // namespace kestra
