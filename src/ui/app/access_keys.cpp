// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/access_keys.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <map>
#include <set>
#include <string_view>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

QChar MenuAccessKey(MenuId menu) {
    switch (menu) {
    case MenuId::File:
        return QLatin1Char('F');
    case MenuId::Edit:
        return QLatin1Char('E');
    case MenuId::Program:
        return QLatin1Char('P');
    case MenuId::Setup:
        return QLatin1Char('S');
    case MenuId::View:
        return QLatin1Char('V');
    case MenuId::Window:
        return QLatin1Char('W');
    case MenuId::Help:
        return QLatin1Char('H');
    case MenuId::None:
        break;
    }
    return QChar();
}

QChar CommandAccessKey(int id) {
    // Unique within each menu; the recent files of 文件 use 1 to 4.
    static const std::map<int, char> keys = {
        {kIdFileNew, 'N'},
        {kIdFileOpen, 'O'},
        {kIdFileOpenBackup, 'B'},
        {kIdFileClose, 'C'},
        {kIdFileSave, 'S'},
        {kIdFileSaveAs, 'A'},
        {kIdFileCompare, 'M'},
        {kIdFileImportCsv, 'I'},
        {kIdFileExportCsv, 'E'},
        {kIdFilePrint, 'P'},
        {kIdFilePrintPreview, 'V'},
        {kIdFileExportPdf, 'D'},
        {kIdFilePrintSetup, 'R'},
        {kIdAppExit, 'X'},
        {kIdEditUndo, 'U'},
        {kIdEditRedo, 'R'},
        {kIdEditChannels, 'C'},
        {kIdEditOptional, 'O'},
        {kIdEditDtmf, 'D'},
        {kIdEditModel, 'M'},
        {kIdEditFmRadio, 'A'},
        {kIdParamTuning, 'T'},
        {kIdDtmfInit, 'I'},
        {kIdRead, 'R'},
        {kIdWrite, 'W'},
        {kIdPortSetup, 'P'},
        {kIdViewToolbar, 'T'},
        {kIdViewStatusBar, 'S'},
        {kIdViewSplitter, 'B'},
        {kIdWindowCascade, 'C'},
        {kIdWindowTile, 'T'},
        {kIdWindowNext, 'N'},
        {kIdWindowPrevious, 'P'},
        {kIdAppAbout, 'A'},
        {kIdEditMoveUp, 'P'},
        {kIdEditMoveDown, 'W'},
        {kIdEditInsertChannel, 'N'},
        {kIdEditDeleteChannel, 'L'},
        {kIdEditSortChannels, 'S'},
        {kIdViewChinese, 'C'},
        {kIdViewEnglish, 'E'},
        {kIdEditFind, 'F'},
        {kIdEditFindNext, 'X'},
    };
    const auto it = keys.find(id);
    return it == keys.end() ? QChar() : QChar(QLatin1Char(it->second));
}

QChar SubmenuAccessKey(const char* submenu) {
    return submenu && std::string_view(submenu) == text::kViewLanguage ? QLatin1Char('L') : QChar();
}

QString WithAccessKey(const QString& text, QChar key) {
    QString out = text;
    out.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (key.isNull())
        return out;
    // A Latin text marks the letter where a word holds it.
    const QRegularExpression letter(
        QStringLiteral("\\b%1").arg(QRegularExpression::escape(QString(key))),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = letter.match(out);
    if (m.hasMatch() && out.at(0).unicode() < 0x80) {
        out.insert(m.capturedStart(), QLatin1Char('&'));
        return out;
    }
    if (out.at(0).unicode() < 0x80 && out.contains(key, Qt::CaseInsensitive)) {
        out.insert(out.indexOf(key, 0, Qt::CaseInsensitive), QLatin1Char('&'));
        return out;
    }
    const QString mark = QStringLiteral("(&%1)").arg(key.toUpper());
    for (const QString& dots : {QStringLiteral("..."), QStringLiteral("…")})
        if (out.endsWith(dots))
            return out.left(out.size() - dots.size()) + mark + dots;
    return out + mark;
}

QString WithoutAccessKey(const QString& text) {
    QString out = text;
    out.remove(QRegularExpression(QStringLiteral("\\(&[^&]\\)")));
    out.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    out.remove(QLatin1Char('&'));
    out.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return out;
}

namespace {

// The key a text already has, or a null QChar.
QChar KeyOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return QChar();
}

} // namespace

void GiveAccessKeys(QWidget* root) {
    // Buttons most dialogs share, with the letter their English name starts
    // with.
    static const std::pair<const char*, char> kCommon[] = {
        {text::kCommStart, 'S'},         {text::kCommExit, 'X'},
        {text::kCsvImport, 'I'},         {text::kCompareClose, 'C'},
        {text::kSave, 'S'},              {text::kDontSave, 'N'},
        {text::kBatchRandom, 'R'},       {text::kCompareChooseFile, 'F'},
        {text::kCompareNewestBackup, 'B'}, {text::kCsvKeepLocation, 'K'},
        {text::kCsvOverwrite, 'O'},
    };
    std::map<QString, char> common;
    for (const auto& [source, key] : kCommon)
        common.emplace(T(source), key);
    const QSet<QString> plain = {T(text::kOk), T(text::kCancel)};
    std::set<QChar> taken;
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (QChar k = KeyOf(b->text()); !k.isNull())
            taken.insert(k);
    for (QLabel* l : root->findChildren<QLabel*>())
        if (QChar k = KeyOf(l->text()); !k.isNull() && l->buddy())
            taken.insert(k);
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        const QString text = b->text();
        if (text.isEmpty() || plain.contains(text) || !KeyOf(text).isNull() ||
            !qobject_cast<QAbstractButton*>(b) || b->inherits("QToolButton"))
            continue;
        QChar key;
        const auto it = common.find(text);
        if (it != common.end() && !taken.count(QChar(QLatin1Char(it->second))))
            key = QLatin1Char(it->second);
        for (QChar c : text)
            if (key.isNull() && c.unicode() < 0x80 && c.isLetter() && !taken.count(c.toUpper()))
                key = c.toUpper();
        // A Chinese text takes any free letter, written after it ("应用(&O)");
        // a Latin one without a free letter of its own ("Apply", "+") stays
        // without: "Apply(O)" reads as part of its name.
        for (char c = 'A'; key.isNull() && c <= 'Z' && text.at(0).unicode() >= 0x80; ++c)
            if (!taken.count(QChar(QLatin1Char(c))))
                key = QLatin1Char(c);
        if (key.isNull())
            continue;
        taken.insert(key);
        b->setText(WithAccessKey(text, key));
    }
}

} // namespace kestra
