// SPDX-License-Identifier: GPL-3.0-or-later
// Data rows of Qt Test functions whose two columns are texts.
#pragma once

#include <QString>
#include <QTest>

#include <cstddef>

namespace kestra::test {

// One row per {name, first, second}, under two QString columns.
template <std::size_t N>
void AddTextRows(const char* first, const char* second, const char* const (&rows)[N][3]) {
    QTest::addColumn<QString>(first);
    QTest::addColumn<QString>(second);
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
}

} // namespace kestra::test
