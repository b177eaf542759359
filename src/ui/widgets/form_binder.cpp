// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/form_binder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

#include "core/forms/profile_labels.h"
#include "ui/app/translation.h"
#include "ui/widgets/key_filter_validator.h"
#include "ui/widgets/spin_edit.h"

namespace kestra {

using forms::FieldKind;
using forms::FieldSpec;
using forms::FieldState;

namespace {

constexpr const char* kFieldProperty = "kestraFormField";
constexpr int kVisibleListItems = 20;

// The in-place editor of a grid field: a line edit with the grid's typing
// rules placed over the cell, showing its text wholly selected. Enter and Esc
// both commit (the focus goes back to the grid); so does losing the focus.
// Cells keep their own text colour over the (light) selection. With spin
// cells the editor is a spin edit instead (GridOptions::spinCells).
class CellDelegate : public QStyledItemDelegate {
public:
    using Commit = std::function<void(int row, int col, const QString& text)>;
    using Step = std::function<std::optional<std::string>(const std::string& text, int delta)>;

    CellDelegate(const FieldSpec& desc, Commit commit, Step step, QTableWidget* table)
        : QStyledItemDelegate(table), filter_(desc.filter), limit_(desc.textLimit),
          commit_(std::move(commit)), step_(std::move(step)), table_(table) {}

    void SetOptions(const GridOptions& options) { options_ = options; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        if (options_.spinCells) {
            auto* spin = new SpinEdit(parent);
            spin->SetRules(filter_, limit_);
            spin->setFrame(false);
            spin->setAlignment(Qt::AlignCenter);
            QObject::connect(spin, &SpinEdit::stepped, spin, [this, spin](int delta) {
                if (const auto stepped = step_(spin->edit()->text().toStdString(), delta))
                    spin->SetText(QString::fromStdString(*stepped));
                spin->edit()->selectAll();
            });
            open_ = spin;
            return spin;
        }
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        // The selected text in the usual colours, not the grid's light tint.
        const QPalette usual = QApplication::palette(edit);
        QPalette palette = edit->palette();
        for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setBrush(role, usual.brush(role));
        edit->setPalette(palette);
        new KeyFilterValidator(edit, filter_, limit_);
        open_ = edit;
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* spin = qobject_cast<SpinEdit*>(editor)) {
            spin->SetText(text);
            spin->edit()->selectAll();
            return;
        }
        auto* edit = static_cast<QLineEdit*>(editor);
        KeyFilterValidator::SetText(edit, text);
        edit->selectAll();
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* spin = qobject_cast<SpinEdit*>(editor);
        commit_(index.row(), index.column(),
                spin ? spin->edit()->text() : static_cast<QLineEdit*>(editor)->text());
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        editor->setGeometry(option.rect);
    }

    // Commits and closes the open editor, if any.
    void CommitOpen() {
        if (open_)
            Close(open_);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            const bool escape = key->key() == Qt::Key_Escape && !options_.spinCells;
            const auto mods = key->modifiers() & ~Qt::KeypadModifier;
            if ((enter || escape) && mods == Qt::NoModifier) {
                Close(static_cast<QWidget*>(object));
                const int row = table_->currentRow();
                if (enter && options_.enterMovesDown && row >= 0 && row + 1 < table_->rowCount())
                    table_->setCurrentCell(row + 1, table_->currentColumn());
                return true;
            }
            if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                !(mods & Qt::ControlModifier)) {
                // Tab commits and goes on to the next control, as from the
                // table itself.
                Close(static_cast<QWidget*>(object));
                QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers());
                QCoreApplication::sendEvent(table_, &again);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->palette.setBrush(QPalette::HighlightedText, option->palette.brush(QPalette::Text));
        if (options_.spinCells) {
            option->displayAlignment = Qt::AlignCenter;
            if (index == table_->currentIndex())
                option->palette.setColor(QPalette::Text, Qt::red);
        }
    }

private:
    // At once, not queued as the item views do on Enter; the view gives the
    // focus back to the grid.
    void Close(QWidget* editor) {
        open_ = nullptr;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

    forms::KeyFilter filter_;
    int limit_;
    Commit commit_;
    Step step_;
    QTableWidget* table_;
    GridOptions options_;
    mutable QPointer<QWidget> open_;
};

bool AsciiOnly(const forms::KeyFilter& filter) {
    return filter.allowed != nullptr || filter.printableAscii;
}

void SetEnabledFlag(QWidget* w, bool enabled) {
    if (w->testAttribute(Qt::WA_Disabled) == enabled)
        w->setEnabled(enabled);
}

void SetVisibleFlag(QWidget* w, bool visible) {
    if (w->isHidden() == visible)
        w->setHidden(!visible);
}

} // namespace

void ShowSelection(QTableWidget* table, bool shown) {
    QPalette palette = table->palette();
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    QColor look = base;
    if (shown) {
        // A light tint of the highlight, so that coloured text stays legible.
        const QColor h = QApplication::palette(table).color(QPalette::Active, QPalette::Highlight);
        look = QColor((h.red() + 2 * base.red()) / 3, (h.green() + 2 * base.green()) / 3,
                      (h.blue() + 2 * base.blue()) / 3);
    }
    if (palette.color(QPalette::Highlight) == look)
        return;
    palette.setColor(QPalette::Highlight, look);
    table->setPalette(palette);
}

FormBinder::FormBinder(forms::Form& form, QDialog* dialog)
    : QObject(dialog), form_(form), dialog_(dialog),
      bindings_(static_cast<std::size_t>(form.FieldCount())) {}

int FormBinder::FieldOf(const QObject* widget) const {
    const QVariant v = widget ? widget->property(kFieldProperty) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

bool FormBinder::EditLike(int id) const {
    const FieldKind kind = form_.Spec(id).kind;
    return kind == FieldKind::Edit || kind == FieldKind::SpinEdit ||
           kind == FieldKind::TypeableCombo;
}

std::string FormBinder::SourceOf(int id, const QString& shown) const {
    for (const std::string& choice : form_.Spec(id).choices)
        if (T(choice) == shown)
            return choice;
    return shown.toStdString();
}

QString FormBinder::Shown(int id, const std::string& source) const {
    for (const std::string& choice : form_.Spec(id).choices)
        if (choice == source)
            return T(choice);
    return QString::fromStdString(source);
}

template <typename F> void FormBinder::Run(F&& event) {
    if (finished_)
        return;
    event();
    Refresh();
}

void FormBinder::Watch(int id, QWidget* w) {
    w->setProperty(kFieldProperty, id);
    w->installEventFilter(this);
}

QWidget* FormBinder::Widget(int id) {
    Binding& b = bindings_.at(static_cast<std::size_t>(id));
    if (!b.widget) {
        b.widget = Create(id);
        // A screen reader names every field by its key, also one with no
        // label of its own beside it (an edit after a radio button) or one
        // whose label repeats in another row (随机, 间隔).
        // A radio button says its own text; the group's key describes each.
        const FieldSpec& desc = form_.Spec(id);
        if (desc.kind == FieldKind::RadioGroup) {
            for (QRadioButton* radio : b.radios)
                radio->setAccessibleDescription(T(desc.key));
        } else if (desc.kind != FieldKind::PushButton && !desc.key.empty()) {
            b.widget->setAccessibleName(T(desc.key));
        }
        if (b.label)
            b.label->setBuddy(b.widget);
        RefreshField(id);
    }
    return b.widget;
}

const std::vector<QRadioButton*>& FormBinder::RadioButtons(int id) {
    Widget(id);
    return bindings_.at(static_cast<std::size_t>(id)).radios;
}

QTableWidget* FormBinder::Table(int id) {
    return qobject_cast<QTableWidget*>(Widget(id));
}

QLabel* FormBinder::Label(int id, const QString& text) {
    Binding& b = bindings_.at(static_cast<std::size_t>(id));
    if (!b.label) {
        b.label = new QLabel(text.isEmpty() ? T(form_.Spec(id).key) : text, dialog_);
        if (b.widget)
            b.label->setBuddy(b.widget);
    }
    return b.label;
}

void FormBinder::Typed(int id, const QString& text) {
    Run([&] {
        form_.State(id).text = SourceOf(id, text);
        form_.TextTyped(id);
    });
}

QWidget* FormBinder::Create(int id) {
    const FieldSpec& desc = form_.Spec(id);
    switch (desc.kind) {
    case FieldKind::Edit:
        return CreateEdit(id, desc);
    case FieldKind::SpinEdit:
        return CreateSpin(id, desc);
    case FieldKind::TypeableCombo:
    case FieldKind::DropDownList:
        return CreateCombo(id, desc);
    case FieldKind::CheckBox:
        return CreateCheckBox(id, desc);
    case FieldKind::RadioGroup:
        return CreateRadioGroup(id, desc);
    case FieldKind::GridCell:
        return CreateGrid(id, desc);
    case FieldKind::PushButton:
        return CreateButton(id, desc);
    }
    return nullptr;
}

QWidget* FormBinder::CreateEdit(int id, const FieldSpec& desc) {
    auto* edit = new QLineEdit(dialog_);
    edit->setReadOnly(desc.readOnly);
    if (!desc.readOnly)
        new KeyFilterValidator(edit, desc.filter, desc.textLimit);
    edit->setAttribute(Qt::WA_InputMethodEnabled, !AsciiOnly(desc.filter) && !desc.readOnly);
    connect(edit, &QLineEdit::textEdited, this,
            [this, id](const QString& text) { Typed(id, text); });
    Watch(id, edit);
    return edit;
}

QWidget* FormBinder::CreateSpin(int id, const FieldSpec& desc) {
    auto* spin = new SpinEdit(dialog_);
    spin->SetRules(desc.filter, desc.textLimit);
    spin->setAttribute(Qt::WA_InputMethodEnabled, !AsciiOnly(desc.filter));
    connect(spin, &SpinEdit::textEdited, this,
            [this, id](const QString& text) { Typed(id, text); });
    connect(spin, &SpinEdit::stepped, this,
            [this, id](int delta) { Run([&] { form_.SpinStep(id, delta); }); });
    Watch(id, spin);
    Watch(id, spin->edit());
    return spin;
}

QWidget* FormBinder::CreateCombo(int id, const FieldSpec& desc) {
    auto* combo = new QComboBox(dialog_);
    combo->setMaxVisibleItems(kVisibleListItems);
    for (const std::string& choice : desc.choices)
        combo->addItem(T(choice));
    combo->setCurrentIndex(-1);
    Watch(id, combo);
    if (desc.kind == FieldKind::DropDownList) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, id](int index) {
            Run([&] {
                FieldState& s = form_.State(id);
                const auto& choices = form_.Spec(id).choices;
                s.index = index;
                s.text = index >= 0 ? choices[static_cast<std::size_t>(index)] : std::string();
                form_.ListPicked(id);
            });
        });
        return combo;
    }
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // What the user types stays as typed: no completion.
    combo->setCompleter(nullptr);
    new KeyFilterValidator(combo->lineEdit(), desc.filter, desc.textLimit);
    combo->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, !AsciiOnly(desc.filter));
    connect(combo->lineEdit(), &QLineEdit::textEdited, this,
            [this, id](const QString& text) { Typed(id, text); });
    connect(combo, &QComboBox::activated, this, [this, id](int index) {
        Run([&] {
            FieldState& s = form_.State(id);
            s.index = index;
            s.text = form_.Spec(id).choices.at(static_cast<std::size_t>(index));
            form_.ListPicked(id);
        });
    });
    Watch(id, combo->lineEdit());
    return combo;
}

QWidget* FormBinder::CreateCheckBox(int id, const FieldSpec& desc) {
    auto* box = new QCheckBox(T(desc.key), dialog_);
    connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
        Run([&] {
            form_.State(id).checked = checked;
            form_.BoxToggled(id);
        });
    });
    Watch(id, box);
    return box;
}

QWidget* FormBinder::CreateRadioGroup(int id, const FieldSpec& desc) {
    Binding& b = bindings_[static_cast<std::size_t>(id)];
    b.group = new QButtonGroup(this);
    for (std::size_t i = 0; i < desc.choices.size(); ++i) {
        auto* radio = new QRadioButton(T(desc.choices[i]), dialog_);
        b.group->addButton(radio, static_cast<int>(i));
        b.radios.push_back(radio);
        Watch(id, radio);
    }
    connect(b.group, &QButtonGroup::idClicked, this, [this, id](int index) {
        Run([&] {
            FieldState& s = form_.State(id);
            s.index = index;
            s.text = form_.Spec(id).choices.at(static_cast<std::size_t>(index));
            form_.RadioPressed(id);
        });
    });
    return b.radios.empty() ? nullptr : b.radios.front();
}

QWidget* FormBinder::CreateGrid(int id, const FieldSpec& desc) {
    auto* table = new QTableWidget(0, static_cast<int>(desc.columns.size()), dialog_);
    QStringList titles;
    for (const std::string& column : desc.columns)
        titles << T(column);
    table->setHorizontalHeaderLabels(titles);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // The arrow keys move between the cells; Tab goes on to the next control.
    table->setTabKeyNavigation(false);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    ShowSelection(table, true);
    // A left press on a cell opens its editor at once.
    connect(table, &QTableWidget::pressed, table, [table](const QModelIndex& index) {
        if (QApplication::mouseButtons() & Qt::LeftButton)
            table->edit(index);
    });
    table->setItemDelegate(new CellDelegate(
        desc,
        [this, id](int row, int col, const QString& text) {
            Run([&] {
                form_.SetCell(id, row, col, text.toStdString());
                form_.GridCellCommitted(id, row, col);
            });
        },
        [this, id](const std::string& text, int delta) {
            return form_.StepGridCell(id, text, delta);
        },
        table));
    Watch(id, table);
    return table;
}

QWidget* FormBinder::CreateButton(int id, const FieldSpec& desc) {
    auto* button = new QPushButton(T(desc.key), dialog_);
    connect(button, &QPushButton::clicked, this, [this, id] {
        // An access key presses the button with the focus left where it
        // was: what was typed there counts as the user left it.
        CommitPending();
        std::string argument;
        const int grid = form_.Spec(id).argumentGrid;
        if (grid >= 0) {
            const auto& rows = form_.State(grid).rows;
            QTableWidget* table = Table(grid);
            const int row = table ? table->currentRow() : -1;
            if (row >= 0 && row < static_cast<int>(rows.size()))
                argument = rows[static_cast<std::size_t>(row)];
        }
        Run([&] { form_.ButtonPressed(id, argument); });
    });
    Watch(id, button);
    return button;
}

void FormBinder::SetGridOptions(int id, const GridOptions& options) {
    QTableWidget* table = Table(id);
    if (!table)
        return;
    bindings_.at(static_cast<std::size_t>(id)).grid = options;
    if (auto* delegate = dynamic_cast<CellDelegate*>(table->itemDelegate()))
        delegate->SetOptions(options);
}

void FormBinder::Refresh() {
    for (int id = 0; id < form_.FieldCount(); ++id)
        RefreshField(id);
}

namespace {

void RefreshTypeableCombo(QComboBox* combo, const QString& text) {
    // What the user is typing stays as it is (cursor and all).
    if (combo->currentText() == text)
        return;
    const QSignalBlocker block(combo);
    KeyFilterValidator::Unchecked(combo->lineEdit(), [&] {
        // The list opens on the entry the text names, if any.
        const int entry = combo->findText(text, Qt::MatchExactly);
        if (entry >= 0)
            combo->setCurrentIndex(entry);
        if (combo->currentText() != text)
            combo->setEditText(text);
    });
}

void RefreshRadios(QButtonGroup* group, const std::vector<QRadioButton*>& radios, int index) {
    QAbstractButton* want = group->button(index);
    if (group->checkedButton() == want)
        return;
    if (want) {
        want->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QRadioButton* r : radios)
        r->setChecked(false);
    group->setExclusive(true);
}

} // namespace

void FormBinder::RefreshGrid(int id, QTableWidget* table) {
    const FieldState& st = form_.State(id);
    const int rows = static_cast<int>(st.rows.size());
    const int cols = static_cast<int>(form_.Spec(id).columns.size());
    const QSignalBlocker block(table);
    if (table->rowCount() != rows) {
        table->setRowCount(rows);
        QStringList labels;
        for (const std::string& row : st.rows)
            labels << QString::fromStdString(forms::TranslateLabel(
                row, [](const std::string& text) { return T(text).toStdString(); }));
        table->setVerticalHeaderLabels(labels);
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QString text = QString::fromStdString(form_.Cell(id, r, c));
            QTableWidgetItem* item = table->item(r, c);
            if (!item)
                table->setItem(r, c, new QTableWidgetItem(text));
            else if (item->text() != text)
                item->setText(text);
        }
    }
}

void FormBinder::RefreshField(int id) {
    Binding& b = bindings_.at(static_cast<std::size_t>(id));
    if (!b.widget)
        return;
    const FieldSpec& desc = form_.Spec(id);
    const FieldState& st = form_.State(id);
    std::vector<QWidget*> widgets{b.widget};
    switch (desc.kind) {
    case FieldKind::Edit: {
        auto* edit = static_cast<QLineEdit*>(b.widget);
        const QString text = Shown(id, st.text);
        if (edit->text() != text)
            KeyFilterValidator::SetText(edit, text);
        break;
    }
    case FieldKind::SpinEdit:
        static_cast<SpinEdit*>(b.widget)->SetText(Shown(id, st.text));
        break;
    case FieldKind::TypeableCombo:
        RefreshTypeableCombo(static_cast<QComboBox*>(b.widget), Shown(id, st.text));
        break;
    case FieldKind::DropDownList: {
        auto* combo = static_cast<QComboBox*>(b.widget);
        const int index = st.index < combo->count() ? st.index : -1;
        if (combo->currentIndex() != index) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(index);
        }
        break;
    }
    case FieldKind::CheckBox: {
        auto* box = static_cast<QCheckBox*>(b.widget);
        if (box->isChecked() != st.checked)
            box->setChecked(st.checked);
        break;
    }
    case FieldKind::RadioGroup:
        widgets.assign(b.radios.begin(), b.radios.end());
        RefreshRadios(b.group, b.radios, st.index);
        break;
    case FieldKind::GridCell:
        RefreshGrid(id, static_cast<QTableWidget*>(b.widget));
        break;
    case FieldKind::PushButton:
        break;
    }
    // Flags last: disabling the focused widget moves the focus, which runs
    // the focus-loss rule of the field it leaves.
    for (QWidget* w : widgets)
        SetVisibleFlag(w, st.visible);
    if (b.label)
        SetVisibleFlag(b.label, st.visible);
    for (QWidget* w : widgets)
        SetEnabledFlag(w, st.enabled);
}

void FormBinder::CommitPending() {
    for (const Binding& b : bindings_)
        if (auto* table = qobject_cast<QTableWidget*>(b.widget))
            if (auto* delegate = dynamic_cast<CellDelegate*>(table->itemDelegate()))
                delegate->CommitOpen();
    if (focused_ >= 0 && EditLike(focused_)) {
        const int id = focused_;
        Run([&] { form_.TextCommitted(id); });
    }
}

void FormBinder::Finish() {
    if (finished_)
        return;
    CommitPending();
    focused_ = -1;
    finished_ = true;
    form_.Close();
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    const int id = finished_ ? -1 : FieldOf(watched);
    if (id < 0)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // Coming back from the field's own drop-down list is no new focus.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && focused_ != id) {
            if (focused_ >= 0 && EditLike(focused_)) {
                const int left = focused_;
                focused_ = -1;
                Run([&] { form_.TextCommitted(left); });
            }
            focused_ = id;
            Run([&] { form_.FocusGained(id); });
        }
        break;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && focused_ == id) {
            focused_ = -1;
            if (EditLike(id))
                Run([&] { form_.TextCommitted(id); });
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab leaves an edit: its focus-loss rule runs before the next field
        // is chosen, so that a field the rule enables is that next field.
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && focused_ == id &&
            EditLike(id)) {
            focused_ = -1;
            Run([&] { form_.TextCommitted(id); });
            break;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool escape = key->key() == Qt::Key_Escape;
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((!enter && !escape) || mods != Qt::NoModifier)
            break;
        // A focused push button is pressed by Enter, as everywhere.
        if (enter && form_.Spec(id).kind == FieldKind::PushButton)
            break;
        const Binding& b = bindings_.at(static_cast<std::size_t>(id));
        if (enter && b.grid.enterEdits && watched == b.widget) {
            auto* table = static_cast<QTableWidget*>(b.widget);
            table->edit(table->currentIndex());
            return true;
        }
        forms::KeyOutcome outcome = forms::KeyOutcome::Swallowed;
        Run([&] {
            outcome =
                form_.KeyPressed(id, enter ? forms::DialogKey::Enter : forms::DialogKey::Escape);
        });
        if (outcome == forms::KeyOutcome::CloseDialog)
            dialog_->reject();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kestra
