// SPDX-License-Identifier: GPL-3.0-or-later
// TransferJob against the virtual radio: progress arrives on the job's thread
// in order and before the end, the result of every outcome, the image
// replaced only by a successful read, TransferBusy, and the region exchanges.
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>

#include "link/link_texts.h"
#include "link/transfer_job.h"
#include "link/virtual_radio.h"
#include "support/link_fixture.h"

using namespace kestra;

namespace {

// Everything one run of a job reported, in the order it was reported.
struct Report {
    std::vector<int> positions;
    std::vector<int> totals;
    bool progressAfterEnd = false;
    bool progressOffThread = false;
    int ends = 0;
    bool succeeded = false;
    bool busyAtEnd = true;
};

void Watch(TransferJob& job, AppState& state, Report& report) {
    QObject::connect(&job, &TransferJob::progress, &job, [&report](int position, int total) {
        report.progressAfterEnd |= report.ends > 0;
        report.progressOffThread |= QThread::currentThread() != qApp->thread();
        report.positions.push_back(position);
        report.totals.push_back(total);
    });
    QObject::connect(&job, &TransferJob::finished, &job, [&](bool succeeded) {
        ++report.ends;
        report.succeeded = succeeded;
        report.busyAtEnd = state.transferBusy;
    });
}

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

// Starts the job and waits for its end.
bool RunToEnd(TransferJob& job) {
    QSignalSpy ended(&job, &TransferJob::finished);
    if (!job.Start())
        return false;
    return ended.wait(30000) && !job.Running();
}

} // namespace

class TestTransferJob : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio_ = std::make_unique<VirtualRadio>();
        state_ = std::make_unique<AppState>();
        state_->portName = radio_->Start();
        QVERIFY2(!state_->portName.empty(), radio_->Error().c_str());
    }
    void cleanup() {
        radio_->Stop();
        radio_.reset();
    }

    void readReportsInOrderAndReplacesTheImage() {
        const RadioImage memory = test::PatternImage(5);
        const RadioImage before = test::PatternImage(6);
        radio_->SetMemory(memory);
        state_->image = before;
        TransferJob job(*state_, TransferExchange(TransferKind::Read));
        QCOMPARE(job.Steps(), 389);
        Report report;
        Watch(job, *state_, report);
        QVERIFY(RunToEnd(job));

        QCOMPARE(Summary(report), QString("ends 1, succeeded, steps 1..389 of 389"));
        QVERIFY(job.Result().succeeded);
        QVERIFY(job.Result().message.empty());
        QCOMPARE(test::FirstMismatch(state_->image, memory, before, kReadRanges), -1);
    }

    void failedReadLeavesTheImage_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        // The link tests run the whole fault matrix; here what the job
        // reports: a failure midway, before the blocks, and with a reason.
        QTest::newRow("hang-up after block 200") << 1 << kTextCommunicationError;
        QTest::newRow("foreign identification") << 3 << kTextRadioDataInvalid;
        QTest::newRow("no such port") << 4 << kTextCannotOpenPort;
    }

    void failedReadLeavesTheImage() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        RadioBehaviour behaviour;
        behaviour.hangUpAfterBlock = fault == 1 ? 200 : 0;
        if (fault == 3)
            behaviour.identification = {'X', 'Y', 'Z', 0, 0, 0, 0, 0};
        radio_->SetBehaviour(behaviour);
        if (fault == 4)
            state_->portName = "/dev/kestra-no-such-port";
        state_->image = test::PatternImage(7);
        const RadioImage before = state_->image;

        TransferJob job(*state_, TransferExchange(TransferKind::Read));
        Report report;
        Watch(job, *state_, report);
        QVERIFY(RunToEnd(job));
        // Progress stopped where the exchange did.
        QCOMPARE(Summary(report),
                 QString("ends 1, failed, steps ") + (fault == 1 ? "1..200 of 389" : "none"));
        QCOMPARE(QString::fromStdString(job.Result().message), message);
        // The second line: the system's reason, or the step that failed.
        QCOMPARE(QString::fromStdString(job.Result().detail).section(": ", 1),
                 fault == 1   ? QString("在块 0x1900 处没有回应")
                 : fault == 3 ? QString("识别信息不符（58 59 5A 00 00 00 00 00）")
                              : QString::fromStdString(std::strerror(ENOENT)));
        QVERIFY(state_->image == before);
        QVERIFY(!state_->transferBusy);
    }

    void writeAndInitialiseSendTheImage() {
        const RadioImage radioBefore = test::PatternImage(8);
        radio_->SetMemory(radioBefore);
        state_->image = test::PatternImage(9);
        const RadioImage image = state_->image;

        TransferJob write(*state_, TransferExchange(TransferKind::Write));
        QVERIFY(RunToEnd(write));
        QVERIFY(write.Result().succeeded);
        QVERIFY(write.Result().message.empty());
        QVERIFY(state_->image == image);
        QCOMPARE(test::FirstMismatch(radio_->Memory(), image, radioBefore, kWriteRanges), -1);

        // The same job runs again, handshake and all, as for the next radio.
        radio_->SetMemory(radioBefore);
        TransferJob initialise(*state_, TransferExchange(TransferKind::Initialise));
        QCOMPARE(initialise.Steps(), 512);
        for (int run = 0; run < 2; ++run) {
            const int completedBefore = radio_->Stats().exchangesCompleted;
            QVERIFY(RunToEnd(initialise));
            QCOMPARE(QString::fromStdString(initialise.Result().message),
                     QString(kTextInitialiseSucceeded));
            QTRY_COMPARE(radio_->Stats().exchangesCompleted, completedBefore + 1);
        }
        QVERIFY(radio_->Memory() == image);
        QVERIFY(state_->image == image);
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

    void regionExchanges() {
        // The exchanges themselves are tested in test_transfers; the job
        // counts their blocks as steps and reports their messages.
        const TransferRanges ranges{RegionRange(RegionKind::Calibration), {}};
        const RadioImage memory = test::PatternImage(12);
        const RadioImage before = test::PatternImage(13);
        radio_->SetMemory(memory);
        state_->image = before;
        TransferJob read(*state_, RegionJobExchange(RegionKind::Calibration, true));
        QCOMPARE(read.Steps(), 6);
        QCOMPARE(TransferJob(*state_, RegionJobExchange(RegionKind::DecoderTable, false)).Steps(),
                 2);
        Report report;
        Watch(read, *state_, report);
        QVERIFY(RunToEnd(read));
        QCOMPARE(QString::fromStdString(read.Result().message), QString(kTextReadSucceeded));
        QCOMPARE(Summary(report), QString("ends 1, succeeded, steps 1..6 of 6"));
        QCOMPARE(test::FirstMismatch(state_->image, memory, before, ranges), -1);

        TransferJob write(*state_, RegionJobExchange(RegionKind::Calibration, false));
        radio_->SetMemory(before);
        QVERIFY(RunToEnd(write));
        QCOMPARE(QString::fromStdString(write.Result().message), QString(kTextWriteSucceeded));
        QCOMPARE(test::FirstMismatch(radio_->Memory(), memory, before, ranges), -1);
    }

private:
    std::unique_ptr<VirtualRadio> radio_;
    std::unique_ptr<AppState> state_;
};

QTEST_GUILESS_MAIN(TestTransferJob)
#include "test_transfer_job.moc"
