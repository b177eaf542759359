// SPDX-License-Identifier: GPL-3.0-or-later
// The factory dialogs on the offscreen display: the grid's in-place editor,
// and the read and write buttons against the virtual radio.
#include <QTableWidget>
#include <fstream>

#include "app_test_support.h"
#include "support/link_fixture.h"
#include "ui/dialogs/dtmf_init_dlg.h"
#include "ui/dialogs/param_tuning_dlg.h"
#include "ui/widgets/spin_edit.h"

using namespace kestra;
using namespace kestra::test;

namespace {

QString CellText(QTableWidget* table, int row, int col) {
    return table->item(row, col) ? table->item(row, col)->text() : QString();
}

} // namespace

class TestFactoryDialogs : public QObject {
    Q_OBJECT

    AppState state_;
    std::unique_ptr<VirtualRadio> radio_;
    ModalDriver driver_;
    std::unique_ptr<QTemporaryDir> tmp_;

    // Presses a factory button; returns the message that ends the exchange.
    // Its progress dialog starts and closes by itself, often before the
    // driver has seen it, so only the message is waited for.
    QString Exchange(QPushButton* button) {
        driver_.ExpectMessage();
        button->click();
        return driver_.AllHandled() ? driver_.messages().last() : QString();
    }

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() {
        state_.image = BuiltInImage();
        state_.bandLimits = BandLimits();
        radio_ = std::make_unique<VirtualRadio>();
        tmp_ = std::make_unique<QTemporaryDir>();
        state_.backupFolder = tmp_->filePath(QStringLiteral("backups")).toStdString();
        state_.portName = radio_->Start();
        QVERIFY(!state_.portName.empty());
    }
    void cleanup() {
        radio_.reset();
        QCOMPARE(driver_.unexpected(), 0);
    }

    void gridEditorSpinsAndClamps() {
        CParamTuningDlg dialog(state_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // On a screen too small for it (the test screen is 800 x 600), the
        // dialog fits, and 写数据 is in sight.
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.geometry()));
        QVERIFY(dialog.rect().contains(dialog.writeButton()->geometry().bottomRight()));
        QTableWidget* squelch = dialog.grid(0);
        QCOMPARE(squelch->verticalHeaderItem(2)->text(), QString("400-480 sql 1"));
        const QPoint at = squelch->visualRect(squelch->model()->index(2, 1)).center();
        QTest::mousePress(squelch->viewport(), Qt::LeftButton, {}, at);
        auto* spin = squelch->viewport()->findChild<SpinEdit*>();
        QVERIFY(spin && spin->isVisible());
        QVERIFY(spin->geometry().contains(at));
        spin->edit()->setText(QStringLiteral("127"));
        QTest::keyClick(spin, Qt::Key_Up); // wraps
        QCOMPARE(spin->edit()->text(), QString("0"));
        QTest::keyClicks(spin, QStringLiteral("x200")); // selected text replaced
        QTest::keyClick(spin, Qt::Key_Return);
        QCOMPARE(CellText(squelch, 2, 1), QString("127"));
        dialog.reject();
        QCOMPARE(int(state_.image.Byte(0x3F0C + 1)), 127);
    }

    void readAndWriteAgainstTheRadio() {
        RadioImage memory = state_.image;
        memory.SetByte(0x3F39, 40); // band A low power, low end
        radio_->SetMemory(memory);
        CParamTuningDlg tuning(state_);
        QString shown; // the message, and the field when it shows
        driver_.On<QMessageBox>([&](QMessageBox* box) {
            shown = box->text() + " | " + CellText(tuning.grid(1), 0, 0);
            return ClickButton(box, QStringLiteral("确定"));
        });
        tuning.readButton()->click();
        QCOMPARE(shown, QString("读数据成功 | 40"));

        // A silent radio: the message, and image and fields as they were.
        const RadioImage before = state_.image;
        RadioBehaviour silent;
        silent.silent = true;
        radio_->SetBehaviour(silent);
        radio_->SetMemory(RadioImage());
        QCOMPARE(Exchange(tuning.readButton()),
                 QString("通信出错\n%1: 握手没有回应").arg(QString::fromStdString(radio_->Device())));
        QVERIFY(state_.image == before);
        QCOMPARE(CellText(tuning.grid(1), 0, 0), QString("40"));
        tuning.reject();

        radio_->SetBehaviour(RadioBehaviour{});
        CDtmfInitDlg decoder(state_);
        // The first field has the focus (a stray Space on 读数据 read the
        // radio over the fields).
        decoder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&decoder));
        QWidget* focused = decoder.focusWidget();
        QVERIFY2(focused && (qobject_cast<SpinEdit*>(focused) ||
                             qobject_cast<SpinEdit*>(focused->parentWidget())),
                 focused ? focused->metaObject()->className() : "none");
        auto* twist = decoder.findChildren<SpinEdit*>().last();
        twist->edit()->selectAll();
        QTest::keyClicks(twist->edit(), QStringLiteral("g12b")); // g is no hexadecimal digit
        QCOMPARE(Exchange(decoder.writeButton()), QString("写数据成功"));
        QCOMPARE(Bytes(radio_->Memory()).mid(0x3E28, 4).toHex(), QByteArray("01c3012b"));
    }

    void regionWriteKeepsWhatItOverwrites_data() {
        QTest::addColumn<int>("fault");      // 0 none, 1 a silent radio, 2 no backup folder
        QTest::addColumn<QString>("answer"); // to the question when the backup fails
        QTest::addColumn<QString>("message");
        QTest::newRow("written") << 0 << QString() << "写数据成功";
        QTest::newRow("reading first fails")
            << 1 << QString()
            << "通信出错\nPORT: 握手没有回应\n写入前未能读出对讲机中的原有数据，没有写入任何数据。";
        QTest::newRow("no backup, not written") << 2 << "取消" << QString();
        QTest::newRow("no backup, written all the same") << 2 << "确定"
                                                         << "写数据成功";
    }

    // 写数据 reads the calibration from the radio first and keeps it as a
    // backup: without that read nothing is written; without the backup only
    // when the user says so (Cancel is the default).
    void regionWriteKeepsWhatItOverwrites() {
        QFETCH(int, fault);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        RadioImage memory = state_.image;
        for (int a = 0x3ED0; a < 0x3F70; ++a) // the radio's own tuning
            memory.SetByte(a, static_cast<std::uint8_t>(a * 7));
        radio_->SetMemory(memory);
        if (fault == 1) {
            RadioBehaviour silent;
            silent.silent = true;
            radio_->SetBehaviour(silent);
        }
        if (fault == 2) { // a plain file where the folder would be created
            const std::string plain = tmp_->filePath(QStringLiteral("plain")).toStdString();
            std::ofstream(plain) << "x";
            state_.backupFolder = plain + "/backups";
        }
        CParamTuningDlg tuning(state_);
        QString asked;
        if (fault == 2)
            driver_.On<QMessageBox>([&](QMessageBox* box) {
                asked = WithoutAccessKey(box->defaultButton()->text()) + " | " + box->text();
                return ClickButton(box, answer);
            });
        const int seen = driver_.messages().size(); // the driver is the test's
        if (!message.isEmpty())
            driver_.ExpectMessage();
        tuning.writeButton()->click();
        QVERIFY(driver_.AllHandled());
        tuning.reject();
        QCOMPARE(driver_.messages().value(seen),
                 QString(message).replace("PORT", QString::fromStdString(radio_->Device())));
        if (fault == 2)
            QVERIFY2(asked.startsWith("取消 | 无法保存对讲机中原有数据的备份："),
                     qPrintable(asked));
        const bool written = message == "写数据成功";
        const RadioImage now = radio_->Memory();
        QCOMPARE(test::SameRange(now, memory, 0x3ED0, 0x3F70), !written);
        QCOMPARE(test::SameRange(now, state_.image, 0x3ED0, 0x3F70), written);
        const QStringList kept =
            QDir(QString::fromStdString(state_.backupFolder)).entryList({"*-calibration.dat"});
        QCOMPARE(kept.size(), fault == 0 ? 1 : 0);
        if (fault == 0) {
            RadioImage copy;
            QVERIFY(LoadDatFile(
                QDir(QString::fromStdString(state_.backupFolder)).filePath(kept[0]).toStdString(),
                copy, nullptr));
            QVERIFY(test::SameRange(copy, memory, 0x3ED0, 0x3F70));
        }
    }
};

QTEST_MAIN(TestFactoryDialogs)
#include "test_factory_dialogs.moc"
