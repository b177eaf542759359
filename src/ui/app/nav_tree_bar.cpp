// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/nav_tree_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

namespace {

// The caption strip: nothing but the close button at its right end.
class CaptionStrip : public QWidget {
public:
    CaptionStrip(QToolButton* close, QWidget* parent) : QWidget(parent) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(4, 2, 3, 2);
        layout->addStretch(1);
        layout->addWidget(close);
        setFixedHeight(CNavTreeBar::kCaptionHeight);
        // The panel may be narrower than the close button.
        setMinimumWidth(1);
    }
    QSize minimumSizeHint() const override { return QSize(0, CNavTreeBar::kCaptionHeight); }
};

} // namespace

namespace {
constexpr int kCommandRole = Qt::UserRole;
}

CNavTreeBar::CNavTreeBar(const QString& modelName, const std::vector<Item>& items, QWidget* parent)
    : QDockWidget(parent) {
    setObjectName(QStringLiteral("navTreeBar"));
    setWindowTitle(T(text::kTreePanelTitle));
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::LeftDockWidgetArea);

    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("navTreeClose"));
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setIconSize(QSize(10, 10));
    close_->setAutoRaise(true);
    close_->setToolTip(T(text::kTreePanelClose));
    close_->setAccessibleName(T(text::kTreePanelClose));
    close_->setFixedSize(18, 18);
    connect(close_, &QToolButton::clicked, this, &QDockWidget::close);
    setTitleBarWidget(new CaptionStrip(close_, this));

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("navTree"));
    tree_->setAccessibleName(T(text::kTreePanelTitle));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setItemsExpandable(true);
    tree_->setExpandsOnDoubleClick(false);
    // An explicit minimum lets the panel shrink to its narrowest width.
    tree_->setMinimumWidth(1);
    tree_->setFrameShape(QFrame::StyledPanel);
    root_ = new QTreeWidgetItem(tree_, QStringList(modelName));
    for (const Item& item : items) {
        auto* node = new QTreeWidgetItem(root_, QStringList(item.text));
        node->setData(0, kCommandRole, item.command);
    }
    tree_->expandAll();
    tree_->setCurrentItem(root_);
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
    tree_->installEventFilter(this);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(5, 6, 5, 6);
    layout->addWidget(tree_);
    body->setMinimumWidth(1);
    setWidget(body);
    setMinimumWidth(kMinWidth);
}

QTreeWidgetItem* CNavTreeBar::item(int command) const {
    for (int i = 0; i < root_->childCount(); ++i)
        if (root_->child(i)->data(0, kCommandRole).toInt() == command)
            return root_->child(i);
    return nullptr;
}

int CNavTreeBar::FittingWidth() const {
    // The widest item under its two indentations (the root's decoration and
    // its own), the tree's frame and the body's margins.
    int text = tree_->fontMetrics().horizontalAdvance(root_->text(0));
    for (int i = 0; i < root_->childCount(); ++i)
        text = std::max(text, tree_->fontMetrics().horizontalAdvance(root_->child(i)->text(0)));
    const int items = text + 2 * tree_->indentation() + 2 * tree_->frameWidth();
    return std::max(kInitialWidth, items + 2 * 5 + 12);
}

void CNavTreeBar::SetFrameWidth(int frameWidth) {
    setMaximumWidth(std::max(kMinWidth, frameWidth / 2));
}

void CNavTreeBar::Choose(QTreeWidgetItem* item) {
    const bool command = item && item != root_;
    tree_->setCurrentItem(root_);
    if (command)
        emit commandChosen(item->data(0, kCommandRole).toInt());
}

bool CNavTreeBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Choose(tree_->currentItem());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace kestra
