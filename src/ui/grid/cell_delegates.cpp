// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/cell_delegates.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QValidator>

#include "core/grid/grid_clipboard.h"
#include "ui/grid/channel_table_model.h"

namespace kestra {

namespace {

// Set on an editor once it holds the text StartCellEdit decided, so that
// later data changes of the model do not overwrite what the user typed.
constexpr const char* kInitialisedProperty = "kestraEditorInitialised";

class FrequencyValidator : public QValidator {
public:
    explicit FrequencyValidator(FrequencyEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        const std::string after = input.toStdString();
        const auto edit = FilterFrequencyEdit(edit_->acceptedText().toStdString(), after);
        if (!edit)
            return Invalid; // the line edit takes the change back
        if (edit->text != after) {
            input = QString::fromStdString(edit->text);
            pos = static_cast<int>(edit->cursor);
        }
        return Acceptable;
    }

private:
    FrequencyEdit* edit_;
};

} // namespace

FrequencyEdit::FrequencyEdit(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    setValidator(new FrequencyValidator(this));
}

void FrequencyEdit::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);
    // A single-line editor has no use for these keys, and they must not
    // reach the grid, which would move away and commit the editor.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        break;
    default:
        break;
    }
}

GridCellDelegate::GridCellDelegate(ChannelTableModel* model, EditorKind kind, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), kind_(kind) {}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const GridCell cell = ChannelTableModel::CellOf(index);
    ChannelTableModel* model = model_;
    auto live = [model, cell](const QString& text) {
        model->SetLiveEditorText(cell, text.toStdString());
    };
    QWidget* editor = nullptr;
    switch (kind_) {
    case EditorKind::Frequency: {
        auto* edit = new FrequencyEdit(parent);
        edit->setAlignment(Qt::AlignCenter);
        connect(edit, &QLineEdit::textChanged, edit, live);
        editor = edit;
        break;
    }
    case EditorKind::Tone: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What the user types stays as typed; no completion.
        combo->setCompleter(nullptr);
        combo->setMaxVisibleItems(16);
        for (const std::string& tone : SignallingList())
            combo->addItem(ChannelTableModel::ShownText(tone));
        connect(combo, &QComboBox::editTextChanged, combo, live);
        editor = combo;
        break;
    }
    case EditorKind::Choice: {
        auto* combo = new QComboBox(parent);
        for (const std::string& choice : ChoicesForColumn(cell.col))
            combo->addItem(ChannelTableModel::ShownText(choice));
        connect(combo, &QComboBox::currentTextChanged, combo, live);
        editor = combo;
        break;
    }
    case EditorKind::None:
        return nullptr;
    }
    editor->setObjectName(QStringLiteral("cellEditor"));
    // A screen reader names the editor after its cell: "A005 接收频率".
    const QAbstractItemModel* m = index.model();
    editor->setAccessibleName(m->headerData(index.row(), Qt::Vertical).toString() +
                              QLatin1Char(' ') +
                              m->headerData(index.column(), Qt::Horizontal).toString());
    emit editorOpened(editor);
    return editor;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (editor->property(kInitialisedProperty).toBool())
        return;
    const GridCell cell = ChannelTableModel::CellOf(index);
    const ChannelGrid& grid = model_->grid();
    const std::string text = grid.EditorOpen() && grid.editor.cell == cell
                                 ? grid.editor.text
                                 : grid.Text(cell.row, cell.col);
    const QString qtext = ChannelTableModel::ShownText(text);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(qtext);
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // The list starts at the entry equal to the text (none if no entry is).
        combo->setCurrentIndex(combo->findText(qtext, Qt::MatchExactly));
        if (combo->isEditable()) {
            combo->setEditText(qtext);
            combo->lineEdit()->selectAll();
        }
    }
    editor->setProperty(kInitialisedProperty, true);
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                    const QModelIndex& index) const {
    const GridCell cell = ChannelTableModel::CellOf(index);
    model_->SetLiveEditorText(cell, EditorText(editor).toStdString());
    model_->CommitEditor(cell);
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    // The cell that typing edits, inside a selected block: the style's focus
    // frame alone is hard to see on the selection's colour.
    if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_Selected)) {
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::HighlightedText), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

QString GridCellDelegate::EditorText(const QWidget* editor) {
    if (auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    return QString();
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            if (HoldsSeveralCells(QGuiApplication::clipboard()->text().toStdString())) {
                emit blockPasted();
                return true;
            }
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
            if (auto* editor = qobject_cast<QWidget*>(object)) {
                emit enterPressed(editor);
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace kestra
