// SPDX-License-Identifier: GPL-3.0-or-later
// The exchanges end to end on the real QSerialPort path against the virtual
// radio on a pseudo-terminal: a port held by others, killed holders and
// racing clients. TransferJob: the exchanges' round trips, progress arriving
// on the job's thread in order and before the end, TransferBusy. The exchange
// rules and their outcomes are test_link_exchange's, over a scripted port; a
// failed job through the dialog is test_transfers_ui's.
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <unistd.h>

#include "link/link_texts.h"
#include "link/transfer_job.h"
#include "link/transfers.h"
#include "link/virtual_radio.h"
#include "support/link_fixture.h"

using namespace kestra;
using test::Q;

namespace {

// Everything one run of a job reported, in the order it was reported.
struct Report {
    Report(TransferJob& job, const AppState& state) {
        QObject::connect(&job, &TransferJob::progress, &job, [this](int position, int total) {
            progressAfterEnd |= ends > 0;
            progressOffThread |= QThread::currentThread() != qApp->thread();
            positions.push_back(position);
            totals.push_back(total);
        });
        QObject::connect(&job, &TransferJob::finished, &job, [this, &state](bool ok) {
            ++ends;
            succeeded = ok;
            busyAtEnd = state.transferBusy;
        });
    }
    std::vector<int> positions;
    std::vector<int> totals;
    bool progressAfterEnd = false;
    bool progressOffThread = false;
    int ends = 0;
    bool succeeded = false;
    bool busyAtEnd = true;
};

// Everything a run reported, as one line: "ends 1, succeeded, steps 1..389 of 389".
QString Summary(const Report& r) {
    QString steps = "none";
    for (std::size_t i = 0; i < r.positions.size(); ++i)
        steps = r.positions[i] == int(i) + 1 && r.totals[i] == r.totals[0] && steps != "disorder"
                    ? QString("1..%1 of %2").arg(i + 1).arg(r.totals[0])
                    : "disorder";
    return QString("ends %1, %2, steps %3")
               .arg(r.ends)
               .arg(r.succeeded ? "succeeded" : "failed", steps) +
           (r.progressAfterEnd ? ", progress after the end" : "") +
           (r.progressOffThread ? ", progress off the thread" : "") +
           (r.busyAtEnd ? ", busy at the end" : "");
}

} // namespace

class TestTransfers : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio_ = std::make_unique<VirtualRadio>();
        device_ = radio_->Start();
        QVERIFY2(!device_.empty(), radio_->Error().c_str());
        state_ = std::make_unique<AppState>();
        state_->portName = device_;
    }

    void cleanup() {
        radio_->Stop();
        QVERIFY(!radio_->IsRunning());
        radio_.reset();
    }

    void portCannotOpen_data() {
        // %1 stands for the holder's process id.
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("reason");
        const char* const rows[][3] = {
            {"held by this program", "link", "端口被进程 %1（test_transfers）占用"},
            {"held by another Kestra", "serial", "端口被进程 %1（link_port_holder）占用"},
            {"held exclusively", "exclusive", "端口被进程 %1（link_port_holder）占用"},
            {"held with flock", "flock", "端口被进程 %1（link_port_holder）占用"},
            {"open without a lock", "open", "端口被进程 %1（link_port_holder）占用"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void portCannotOpen() {
        QFETCH(QString, holder);
        QFETCH(QString, reason);
        SerialLink link;
        test::PortHolder other;
        if (holder == "link") {
            QVERIFY(link.Open(device_, nullptr));
            reason = reason.arg(QCoreApplication::applicationPid());
        } else {
            QVERIFY(other.Hold(holder, device_));
            reason = reason.arg(other.pid());
        }

        RadioImage image = test::PatternImage(14);
        const RadioImage before = image;
        for (int exchange :
             {test::kRead, test::kWrite, test::kInitialise, test::kCalibrationRead}) {
            const TransferResult result = RunExchange(exchange, image);
            QVERIFY(!result.succeeded);
            QCOMPARE(Q(result.message), QString(kTextCannotOpenPort));
            QVERIFY2(Q(result.detail).contains(reason), result.detail.c_str());
            QVERIFY(result.portRefused); // no hint to choose another port
            QVERIFY(image == before);
        }
        QCOMPARE(radio_->Stats().bytesReceived, std::uint64_t(0));

        // Given up, even by SIGKILL, which leaves the holder's exclusive mode,
        // lock file and flock to the system, the port opens.
        link.Close();
        other.Kill();
        if (holder == "exclusive" && ::geteuid() != 0)
            QSKIP("a terminal left in exclusive mode opens only for root");
        const TransferResult result = RunExchange(test::kRead, image);
        QVERIFY2(result.succeeded, qPrintable(Q(result.message + " " + result.detail)));
    }

    void racingClientsOneWins() {
        // Two programs race for the port, and the winner is killed: in every
        // round exactly one of them gets it.
        for (int round = 0; round < 10; ++round) {
            test::PortHolder a;
            test::PortHolder b;
            a.Start("serial", device_);
            b.Start("serial", device_);
            const bool aHeld = a.Held();
            const bool bHeld = b.Held();
            QVERIFY2(
                aHeld != bHeld,
                qPrintable(QStringLiteral("round %1: %2 %3").arg(round).arg(aHeld).arg(bHeld)));
            (aHeld ? a : b).Kill();
        }
        QVERIFY(test::PortOpensAgain(device_));
    }

    // TransferJob: the exchanges above on the job's thread.

    // The steps a job announces are the steps it reports; a read replaces
    // the image, the other exchanges send it. The end marker reaches the
    // radio (which may count it just after the job has ended) and the port is
    // closed. A job runs again, handshake and all, as for the next radio.
    void jobExchanges_data() {
        QTest::addColumn<int>("exchange");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("message");
        QTest::newRow("read") << test::kRead << 389 << QString(kTextReadSucceeded);
        QTest::newRow("write") << test::kWrite << 389 << QString(kTextWriteSucceeded);
        QTest::newRow("initialise")
            << test::kInitialise << 512 << QString(kTextInitialiseSucceeded);
        QTest::newRow("calibration read") << test::kCalibrationRead << 6 << kTextReadSucceeded;
        QTest::newRow("decoder write") << test::kDecoderWrite << 2 << kTextWriteSucceeded;
    }

    void jobExchanges() {
        QFETCH(int, exchange);
        QFETCH(int, steps);
        QFETCH(QString, message);
        const RadioImage memory = test::PatternImage(5);
        const RadioImage before = test::PatternImage(6);
        const TransferRanges ranges = test::ExchangeRanges(exchange);
        state_->image = before;
        TransferJob job(*state_,
                        exchange <= test::kInitialise
                            ? TransferExchange(TransferKind(exchange))
                            : RegionJobExchange(test::RegionOf(exchange), test::Reads(exchange)));
        QCOMPARE(job.Steps(), steps);
        for (int run = 0; run < 2; ++run) {
            radio_->SetMemory(memory);
            Report report(job, *state_);
            QSignalSpy ended(&job, &TransferJob::finished);
            QVERIFY(job.Start());
            QVERIFY(ended.wait(30000) && !job.Running());
            QCOMPARE(Summary(report), QString("ends 1, succeeded, steps 1..%1 of %1").arg(steps));
            QCOMPARE(Q(job.Result().message), message);
            if (test::Reads(exchange)) {
                QCOMPARE(test::FirstMismatch(state_->image, memory, before, ranges), -1);
            } else {
                QVERIFY(state_->image == before);
                QCOMPARE(test::FirstMismatch(radio_->Memory(), before, memory, ranges), -1);
            }
            QTRY_COMPARE(radio_->Stats().exchangesCompleted, run + 1);
            QVERIFY(test::PortOpensAgain(device_));
            QObject::disconnect(&job, nullptr, nullptr, nullptr);
        }
    }

    void onlyOneExchangeAtATime() {
        TransferJob job(*state_, TransferExchange(TransferKind::Read));
        TransferJob other(*state_, TransferExchange(TransferKind::Write));
        state_->transferBusy = true;
        QVERIFY(!job.Start());
        QVERIFY(!job.Running());
        state_->transferBusy = false;

        QSignalSpy ended(&job, &TransferJob::finished);
        QVERIFY(job.Start());
        QVERIFY(job.Running());
        QVERIFY(state_->transferBusy);
        QVERIFY(!job.Start());
        QVERIFY(!other.Start());
        QVERIFY(ended.wait(30000));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!state_->transferBusy);
        QVERIFY(other.Start());
        QSignalSpy otherEnded(&other, &TransferJob::finished);
        QVERIFY(otherEnded.wait(30000));
    }

    void destroyedWhileRunning() {
        // The job waits for its exchange and leaves TransferBusy clear; the
        // unreported read does not touch the image.
        const RadioImage before = test::PatternImage(10);
        state_->image = before;
        {
            TransferJob job(*state_, TransferExchange(TransferKind::Read));
            QVERIFY(job.Start());
        }
        QVERIFY(!state_->transferBusy);
        QVERIFY(state_->image == before);
    }

private:
    // Runs one of the exchanges of link_fixture.h (test::kRead ...) on the radio's device.
    TransferResult RunExchange(int exchange, RadioImage& image,
                               const TransferOptions& options = {}) {
        if (exchange <= test::kInitialise)
            return RunTransfer(TransferKind(exchange), device_, image, options);
        return RunRegionExchange(test::RegionOf(exchange), test::Reads(exchange), device_, image,
                                 options);
    }

    std::unique_ptr<VirtualRadio> radio_;
    std::string device_;
    std::unique_ptr<AppState> state_;
};

QTEST_GUILESS_MAIN(TestTransfers)
#include "test_transfers.moc"
