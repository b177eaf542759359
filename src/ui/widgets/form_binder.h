// SPDX-License-Identifier: GPL-3.0-or-later
// FormBinder: the generic binding of an open form's fields (core/forms) to
// Qt widgets. A dialog is its layout plus this binding; it decides nothing.
//
// Usage:
//
//   // the form is open (form.Open()); widgets are made on first request,
//   // by the field's kind, so make them in tab order (top to bottom)
//   FormBinder* b = new FormBinder(form, dialog);
//   grid->addWidget(b->Label(ChannelEditForm::kRx), 1, 0);  // T(key), buddy
//   grid->addWidget(b->Widget(ChannelEditForm::kRx), 1, 1);
//   for (QRadioButton* r : b->RadioButtons(BatchChannelForm::kRange))
//       row->addWidget(r);                                   // one per choice
//   b->Refresh();                 // state -> widgets (again after each event)
//   ... when the dialog closes, however it closes: b->Finish()
//       (the focused edit loses the focus, then form.Close(); once)
//
// Widgets by FieldKind, and the form event each user action runs (after the
// widget's value has been written into the field's state):
//
//   Edit           QLineEdit      typing/pasting: TextTyped; read-only fields
//   SpinEdit       SpinEdit         are read-only line edits
//   TypeableCombo  QComboBox (editable, no completion, no insertion);
//                                 typing: TextTyped, picking: ListPicked
//   DropDownList   QComboBox      picking another entry: ListPicked
//   CheckBox       QCheckBox      click: BoxToggled
//   RadioGroup     QRadioButton per choice   click: RadioPressed
//   GridCell       QTableWidget   rows = state rows, columns = description columns;
//                                 an in-place edit closed: GridCellCommitted
//                                 (a left press on a cell, F2 or typing opens
//                                 the editor over the cell, its text wholly
//                                 selected; Enter, Esc and losing the focus
//                                 commit; see GridOptions)
//   PushButton     QPushButton    click: ButtonPressed (the row label of the
//                                 current row of desc.argumentGrid, if any)
//
//   focus enters a field          FocusGained
//   focus leaves an edit/spin/typeable combo   TextCommitted (not for the
//                                 field's own drop-down popup); on Tab it runs
//                                 before the next field is chosen, so a field
//                                 the rule enables is the one Tab goes to
//   up-down arrows, Up/Down keys  SpinStep(+1/-1)
//   Enter or Esc in a field       KeyPressed: CloseDialog rejects the dialog,
//                                 otherwise the key is swallowed
//
// Every edit applies the field's KeyFilter and text limit (in characters) to
// typed and pasted text alike (KeyFilterValidator). Choice texts are source
// texts shown through T(); a shown choice typed or picked goes back to the
// form as its source text.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "core/forms/form.h"

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QLabel;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace kestra {

// How a grid field's keys work beyond the common rules.
struct GridOptions {
    bool enterEdits = false;     // Enter on the grid opens the current cell's editor
    bool enterMovesDown = false; // Enter in the editor also moves one row down
    // The editor is a spin edit whose arrows step the cell's text (the form's
    // StepGridCell); Enter commits, Esc leaves the cell as it was. The cells
    // are centred and the current one drawn in red.
    bool spinCells = false;
};

// A grid's selection look: a light tint under the cells' own text colour, or
// none at all (the cells look as if unselected).
void ShowSelection(QTableWidget* table, bool shown);

class FormBinder : public QObject {
    Q_OBJECT
public:
    // The dialog is the widgets' parent and is rejected on a CloseDialog key.
    FormBinder(forms::Form& form, QDialog* dialog);

    forms::Form& form() const { return form_; }

    // The field's widget (made on the first call). For a radio group: the
    // first button (see RadioButtons).
    QWidget* Widget(int id);
    // A label for the field: `text`, or T(key) when empty. Its buddy is the
    // field's widget; it is hidden with the field.
    QLabel* Label(int id, const QString& text = QString());
    // The buttons of a radio group, one per choice, labelled T(choice).
    const std::vector<QRadioButton*>& RadioButtons(int id);
    // Typed accessors (nullptr when the field is of another kind).
    QTableWidget* Table(int id);
    void SetGridOptions(int id, const GridOptions& options);
    // The field a widget belongs to, or -1.
    int FieldOf(const QObject* widget) const;

    // Copies every field's state into its widgets: texts, selections, check
    // states, enabled and visible flags, grid rows and cells.
    void Refresh();
    // The dialog closes: an open cell editor commits, the focused edit loses
    // the focus (its focus-loss rule runs), then form.Close(). Later events are ignored. Runs once.
    void Finish();
    bool finished() const { return finished_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QWidget* widget = nullptr;
        std::vector<QRadioButton*> radios;
        QButtonGroup* group = nullptr;
        QLabel* label = nullptr;
        GridOptions grid;
    };

    QWidget* Create(int id);
    QWidget* CreateEdit(int id, const forms::FieldSpec& desc);
    QWidget* CreateSpin(int id, const forms::FieldSpec& desc);
    QWidget* CreateCombo(int id, const forms::FieldSpec& desc);
    QWidget* CreateCheckBox(int id, const forms::FieldSpec& desc);
    QWidget* CreateRadioGroup(int id, const forms::FieldSpec& desc);
    QWidget* CreateGrid(int id, const forms::FieldSpec& desc);
    QWidget* CreateButton(int id, const forms::FieldSpec& desc);
    // The user typed into a text field.
    void Typed(int id, const QString& text);
    void Watch(int id, QWidget* w);
    // An open cell editor commits and the focused edit's focus-loss rule
    // runs, with the focus left where it is (a button pressed by its key).
    void CommitPending();
    void RefreshField(int id);
    void RefreshGrid(int id, QTableWidget* table);
    // Runs one form event, then Refresh; nothing after Finish.
    template <typename F> void Run(F&& event);
    // The source text of a shown text (a translated choice goes back).
    std::string SourceOf(int id, const QString& shown) const;
    QString Shown(int id, const std::string& source) const;
    bool EditLike(int id) const;

    forms::Form& form_;
    QDialog* dialog_;
    std::vector<Binding> bindings_;
    int focused_ = -1;
    bool finished_ = false;
};

} // namespace kestra
