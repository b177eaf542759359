// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers for the grids of the dialogs (QTableWidget).
#pragma once

class QString;
class QTableWidget;

namespace kestra {

// Shows title over the row labels of a table (the grid's first column).
void SetRowLabelTitle(QTableWidget* table, const QString& title);
// Draws the table's current cell in red and every other cell in the text
// colour.
void MarkCurrentCellRed(QTableWidget* table);

} // namespace kestra
