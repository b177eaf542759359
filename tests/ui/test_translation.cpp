// SPDX-License-Identifier: GPL-3.0-or-later
// The text seam at work: a kestra_<language>.qm beside the program is found
// for the user's language, and the texts of every layer follow it, while the
// grid keeps deciding on its source texts.
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <cstring>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "app_test_support.h"
#include "core/codec/text_seam.h"
#include "link/link_texts.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// An English catalogue with a few texts of each layer; 写频软件 stays
// untranslated.
const char* const kEnglishTs = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context><name>kestra</name>
<message><source>就绪</source><translation>Ready</translation></message>
<message><source>通信出错</source><translation>Communication error</translation></message>
<message><source>无法打开文件“%1”：%2</source><translation>%2: cannot open “%1”</translation></message>
<message><source>接收频率</source><translation>RX frequency</translation></message>
<message><source>高</source><translation>High</translation></message>
<message><source>低</source><translation>Low</translation></message>
<message><source>无</source><translation>None</translation></message>
</context>
</TS>
)";

} // namespace

class TestTranslation : public QObject {
    Q_OBJECT

    QTemporaryDir programDir_;

private slots:
    void initTestCase() {
        InitTestApplication();
        const QString ts = programDir_.filePath(QStringLiteral("kestra_en.ts"));
        QVERIFY(WriteAll(ts, kEnglishTs));
        QProcess lrelease;
        lrelease.start(QStringLiteral(KESTRA_LRELEASE),
                       {QStringLiteral("-silent"), ts, QStringLiteral("-qm"),
                        programDir_.filePath(QStringLiteral("kestra_en.qm"))});
        QVERIFY(lrelease.waitForFinished(30000));
        QCOMPARE(lrelease.exitCode(), 0);
    }

    void cleanupTestCase() { SetTextTranslator(nullptr); }

    // Chinese for zh*, English for every other language and for C (the
    // built-in catalogue); a catalogue beside the program comes first.
    void oneLanguagePerRun() {
        QVERIFY(!InstallTranslations(programDir_.path(), QLocale(QLocale::Chinese, QLocale::Taiwan)));
        QCOMPARE(T(text::kReady), QStringLiteral("就绪"));
        QVERIFY(InstallTranslations(QString(), QLocale(QLocale::German)));
        QCOMPARE(T(text::kAppTitle), QStringLiteral("Programming Software"));
        // Qt's words from the locale follow (the file dialog's "unknown" type).
        QCOMPARE(QLocale().language(), QLocale::English);
        QVERIFY(InstallTranslations(QString(), QLocale::c()));
        QCOMPARE(T(text::kReady), QStringLiteral("Ready"));
        // A count picks its English form.
        QCOMPARE(T(text::kCsvSummary, 1).arg(2), QStringLiteral("1 row to import, 2 to skip"));
        QCOMPARE(T(text::kCsvSummary, 2).arg(1), QStringLiteral("2 rows to import, 1 to skip"));
        QVERIFY(!InstallTranslations(QString(), QLocale(QLocale::Chinese)));
        QCOMPARE(T(text::kReady), QStringLiteral("就绪"));
        QCOMPARE(QLocale().language(), QLocale::Chinese);
    }

    // --lang anywhere before "--" wins and is taken out; else the choice
    // of 视图 → 语言 kept in the per-user settings; else the locale.
    void startLanguage() {
        Language language = Language::English;
        QString error;
        QStringList args{"kestra", "a.dat", "--lang=en", "--", "--lang"};
        QVERIFY(StartLanguage(args, QLocale(QLocale::Chinese), language, error));
        QCOMPARE(language, Language::English);
        QCOMPARE(args, QStringList({"kestra", "a.dat", "--", "--lang"}));
        args = QStringList{"kestra"};
        QVERIFY(StartLanguage(args, QLocale(QLocale::Chinese), language, error));
        QCOMPARE(language, Language::Chinese);
        QString failed;
        QVERIFY(ChooseLanguage(Language::English, &failed));
        QVERIFY(StartLanguage(args, QLocale(QLocale::Chinese), language, error));
        QCOMPARE(language, Language::English);
        // A choice that cannot be written says so, with the file (a folder
        // in its place refuses it even to root), and with the system's
        // reason where a write gives one (a file size limit, which binds
        // root too, stands in for a full disk); the trial leaves nothing.
        const QString file = QSettings().fileName();
        QVERIFY(QFile::remove(file) && QDir().mkpath(file));
        QVERIFY(!ChooseLanguage(Language::Chinese, &failed));
        QCOMPARE(failed, file);
        QCOMPARE(ChosenLanguage(), Language::English); // 视图 → 语言 keeps its mark
        QVERIFY(QDir(file).removeRecursively());
#ifndef _WIN32
        QVERIFY(ChooseLanguage(Language::English, &failed));
        const auto ignored = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit saved, limited;
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        limited = saved;
        limited.rlim_cur = 4;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        QString reason;
        const bool chosen = ChooseLanguage(Language::Chinese, &failed, &reason);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, ignored);
        QVERIFY(!chosen);
        QCOMPARE(reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files),
                 QStringList({QFileInfo(file).fileName()}));
#endif
        QSettings().clear();
    }

    // Every layer follows the catalogue; the grid shows translations and
    // stores source texts.
    void everyLayerFollowsTheCatalogue() {
        // British English is English: the catalogue beside the program.
        QVERIFY(InstallTranslations(programDir_.path() + QLatin1Char('/'),
                                    QLocale(QLocale::English, QLocale::UnitedKingdom)));
        QCOMPARE(T(text::kReady), QStringLiteral("Ready"));
        QCOMPARE(T(text::kAppTitle), QStringLiteral("写频软件"));
        // A link message travels as its source text and is shown translated.
        QCOMPARE(T(std::string(kTextCommunicationError)), QStringLiteral("Communication error"));
        // Core composes its messages in the catalogue too.
        QCOMPARE(TranslateText(kNoToneText), std::string("None"));

        AppState state;
        ApplyBuiltInDefaults(state.image);
        FinalizeImage(state.image, state.bandLimits);
        CProgramView view(state);
        view.show();
        ChannelTableModel* model = view.model();
        ChannelTableView* table = view.table();

        auto* rx = qobject_cast<QLineEdit*>(table->StartEditAt(GridCell{1, kColRx}));
        QVERIFY(rx);
        rx->setText(QStringLiteral("145.5"));
        table->CommitAndCloseEditor();
        QCOMPARE(model->grid().Text(1, kColPower), std::string(gridtext::kHigh));
        const QModelIndex power = model->IndexOf(GridCell{1, kColPower});
        QCOMPARE(model->data(power, Qt::DisplayRole).toString(), QStringLiteral("High"));
        QCOMPARE(model->data(power, Qt::EditRole).toString(), QStringLiteral("高"));
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("RX frequency"));

        // The choice editor lists the translations and stores the source text.
        auto* combo = qobject_cast<QComboBox*>(table->StartEditAt(GridCell{1, kColPower}));
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QStringLiteral("High"));
        QCOMPARE(combo->itemText(0), QStringLiteral("Low"));
        combo->setCurrentIndex(0);
        table->CommitAndCloseEditor();
        QCOMPARE(model->grid().Text(1, kColPower), std::string(gridtext::kLow));

        // The tone editor shows "no tone" translated, in its list too; left as shown, it stays
        // no tone.
        auto* tone = qobject_cast<QComboBox*>(table->StartEditAt(GridCell{1, kColRxTone}));
        QVERIFY(tone);
        QCOMPARE(tone->currentText(), QStringLiteral("None"));
        QCOMPARE(tone->itemText(0), QStringLiteral("None"));
        QCOMPARE(model->grid().editor.text, std::string(kNoToneText));
        table->CommitAndCloseEditor();
        QCOMPARE(model->grid().Text(1, kColRxTone), std::string(kNoToneText));

        // Copied as shown; pasted as shown or as source texts.
        QCOMPARE(model->Copy(GridRect{1, kColRxTone, 1, kColPower}),
                 std::string("None\tNone\tLow"));
        QVERIFY(model->Paste(GridCell{1, kColTxTone}, "无\tHigh").problems.empty());
        QCOMPARE(model->grid().Text(1, kColPower), std::string(gridtext::kHigh));
    }
};

QTEST_MAIN(TestTranslation)
#include "test_translation.moc"
