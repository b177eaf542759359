// SPDX-License-Identifier: GPL-3.0-or-later
// The one road around each dialog: a script run through the application's
// dialogs (the view's RunDialog, the real Qt dialog) and through
// `kestra-cli configure` (FormSession) gives the same saved image, on an
// image where the number of conversions matters.
#include <QTabWidget>

#include "app_test_support.h"
#include "core/forms/form_driver.h"
#include "ui/dialogs/dtmf_dlg.h"
#include "ui/dialogs/dtmf_init_dlg.h"
#include "ui/dialogs/fm_radio_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/dialogs/param_tuning_dlg.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

// Record 252 (B124) keeps its shift amount in the fixed block at 0x1F70;
// it and A005 transmit in no band.
RadioImage RoadImage() {
    RadioImage image = CleanRandomImage(4);
    for (int n : {5, 252}) {
        ChannelRecord rec(image, n);
        rec.SetRx(n == 5 ? 14500000u : 43500000u);
        rec.SetTx(30000000u);
        rec.SetShiftDirection(2);
    }
    return image;
}

// Applies the section's lines to the open dialog's form (of the DTMF
// dialog, to the page its tab shows) and closes it.
void DriveOpenDialog(const ProfileSection& section) {
    auto* d = qobject_cast<CFormDialog*>(QApplication::activeModalWidget());
    QVERIFY(d);
    int page = 0;
    if (auto* dtmf = qobject_cast<CDtmfDlg*>(d)) {
        page = DtmfDialog::PageOfName(section.Argument());
        dtmf->tabs()->setCurrentIndex(page);
    }
    for (const ProfileLine& line : section.lines) {
        std::string error;
        QVERIFY2(ApplyProfileLine(d->binder(page).form(), line, error), error.c_str());
    }
    d->accept();
}

// The application: the view on the image, each section's dialog opened as
// its command opens it, then saved.
RadioImage ThroughTheApplication(const RadioImage& image,
                                 const std::vector<ProfileSection>& sections) {
    AppState state;
    state.image = image;
    state.factoryMode = true;
    CProgramView view(state);
    for (const ProfileSection& s : sections) {
        const std::string name = s.FormName();
        QTimer::singleShot(0, [&s] { DriveOpenDialog(s); });
        if (name == "channel") {
            view.table()->SetCurrentCell(GridCell{ChannelOfSection(s), 1});
            view.OnChannelEdit();
        } else if (name == "batch") {
            view.OnBatchGeneration();
        } else if (name == "model") {
            // The channels new limits leave out go, as configure clears them.
            QTimer answer;
            answer.callOnTimeout([] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    test::ClickButton(box, QStringLiteral("确定"));
            });
            answer.start(10);
            view.OnModelInfo();
        } else {
            view.RunDialog(name.c_str(), "step", [&] {
                if (name == "options")
                    COptionalFeaturesDlg(state, &view).exec();
                else if (name == "fm")
                    CFmRadioDlg(state, &view).exec();
                else if (name == "dtmf")
                    CDtmfDlg(state, &view).exec();
                else if (name == "tuning")
                    CParamTuningDlg(state, &view).exec();
                else
                    CDtmfInitDlg(state, &view).exec();
            });
        }
    }
    view.ConvertGridToImage();
    return state.image;
}

} // namespace

class DialogRoadTest : public QObject {
    Q_OBJECT
private slots:
    void sameImageOnBothRoads_data() {
        QTest::addColumn<QString>("script");
        // Each dialog twice: every conversion counts.
        const char* const scripts[][2] = {
            {"channel", "[channel A007]\n信道名字=ROAD\n[channel B124]\n信道名字=B\n"},
            {"channel unchanged", "[channel B124]\n[channel A005]\n"},
            {"batch closed without 应用", "[batch]\n[batch]\n"},
            {"batch", "[batch]\n范围=从信道\n从信道=10\n到信道=12\n接收起始频率=146\n应用=\n[batch]\n"},
            {"model", "[model]\nB段上限=470\n[model]\n"},
            {"options", "[options]\n静噪电平=3\n[options]\n"},
            {"fm", "[fm]\n当前信道=3\n[fm]\n"},
            {"dtmf", "[dtmf 解码]\n组呼码=A\n[dtmf 编码]\n"},
            {"tuning", "[tuning]\n136-174 sql 1/低端++\n[tuning]\n"},
            {"decoder", "[decoder]\n[decoder]\n"},
        };
        for (const auto& s : scripts)
            QTest::newRow(s[0]) << QString::fromUtf8(s[1]);
    }

    void sameImageOnBothRoads() {
        QFETCH(QString, script);
        std::vector<ProfileSection> sections;
        std::string error;
        QVERIFY2(ParseProfile(script.toStdString(), "t", sections, error), error.c_str());
        const RadioImage image = RoadImage();
        const RadioImage app = ThroughTheApplication(image, sections);
        const RadioImage cli = Configure(image, sections, &error, true);
        QVERIFY2(error.empty(), error.c_str());
        // The application's byte first, then configure's.
        QVERIFY2(app == cli, FirstDifference(app, cli).c_str());
    }
};

QTEST_MAIN(DialogRoadTest)
#include "test_dialog_road.moc"
