// SPDX-License-Identifier: GPL-3.0-or-later
// The exchanges end to end on the real QSerialPort path against the virtual
// radio on a pseudo-terminal: round trips, identification, band limits,
// every failure and its message, the port closed after every outcome, and
// the image untouched after every failed read. TransferJob: progress arrives
// on the job's thread in order and before the end, the image replaced only by
// a successful read, TransferBusy, and the region exchanges.
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <numeric>

#include <unistd.h>

#include "link/link_texts.h"
#include "link/transfer_job.h"
#include "link/transfers.h"
#include "link/virtual_radio.h"
#include "support/link_fixture.h"

using namespace kestra;
using test::Clock;
using test::MsSince;
using test::Q;

Q_DECLARE_METATYPE(kestra::TransferKind)

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

    void roundTrips_data() {
        QTest::addColumn<TransferKind>("kind");
        QTest::newRow("read") << TransferKind::Read;
        QTest::newRow("write") << TransferKind::Write;
        QTest::newRow("initialise") << TransferKind::Initialise;
    }

    void roundTrips() {
        QFETCH(TransferKind, kind);
        const RadioImage radioBefore = test::PatternImage(11);
        const RadioImage appBefore = test::PatternImage(22);
        radio_->SetMemory(radioBefore);
        RadioImage image = appBefore;
        std::vector<int> steps;
        int total = 0;
        const TransferResult result = Run(kind, image, false, &steps, &total);
        QVERIFY2(result.succeeded, result.message.c_str());
        QVERIFY(test::PortOpensAgain(device_));

        const TransferRanges ranges = RangesOf(kind);
        const int blocks = TransferBlockCount(kind);
        std::vector<int> expectedSteps(static_cast<std::size_t>(blocks));
        std::iota(expectedSteps.begin(), expectedSteps.end(), 1);
        QCOMPARE(steps, expectedSteps);
        QCOMPARE(total, blocks);

        const std::vector<RadioBlockRecord> seen = radio_->LastBlocks();
        QCOMPARE(static_cast<int>(seen.size()), blocks);
        QCOMPARE(seen.front().address, 0);
        QCOMPARE(seen.back().address, 0x3FE0);
        // The radio counts the exchange when it has taken the end marker, which
        // may be just after the client has returned.
        QTRY_COMPARE(radio_->Stats().exchangesCompleted, 1);

        if (kind == TransferKind::Read) {
            QVERIFY(result.message.empty());
            QCOMPARE(seen[384].address, 0x3F70);
            QCOMPARE(seen[384].length, 16);
            QCOMPARE(test::FirstMismatch(image, radioBefore, appBefore, ranges), -1);
            QVERIFY(radio_->Memory() == radioBefore);
        } else {
            QCOMPARE(Q(result.message),
                     kind == TransferKind::Write ? QString() : QString(kTextInitialiseSucceeded));
            QVERIFY(image == appBefore);
            QCOMPARE(test::FirstMismatch(radio_->Memory(), appBefore, radioBefore, ranges), -1);
        }

        if (kind == TransferKind::Initialise) // it writes everything
            QVERIFY(radio_->Memory() == appBefore);
    }

    // The rule is tested in test_link_exchange; here that every exchange
    // applies it on the real path, and that factory mode skips it.
    void identification_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<TransferKind>("kind");
        QTest::addColumn<bool>("factory");
        QTest::addColumn<bool>("accepted");
        const QByteArray blank(8, '\xFF');
        const QByteArray foreign("XYZ-9000", 8);
        QTest::newRow("model read")
            << QByteArray("QVN-K52\0", 8) << TransferKind::Read << false << true;
        QTest::newRow("blank read") << blank << TransferKind::Read << false << false;
        QTest::newRow("blank write") << blank << TransferKind::Write << false << true;
        QTest::newRow("foreign write") << foreign << TransferKind::Write << false << false;
        QTest::newRow("foreign initialise")
            << foreign << TransferKind::Initialise << false << false;
        QTest::newRow("foreign read, factory") << foreign << TransferKind::Read << true << true;
    }

    void identification() {
        QFETCH(QByteArray, id);
        QFETCH(TransferKind, kind);
        QFETCH(bool, factory);
        QFETCH(bool, accepted);
        RadioBehaviour behaviour;
        std::copy(id.begin(), id.end(), behaviour.identification.begin());
        radio_->SetBehaviour(behaviour);
        const RadioImage radioBefore = test::PatternImage(5);
        radio_->SetMemory(radioBefore);
        RadioImage image = test::PatternImage(6);
        const RadioImage before = image;
        const TransferResult result = Run(kind, image, factory);
        QCOMPARE(result.succeeded, accepted);
        QVERIFY(test::PortOpensAgain(device_));
        if (accepted)
            return;
        QCOMPARE(Q(result.message), QString(kTextRadioDataInvalid));
        QVERIFY(image == before);
        QVERIFY(radio_->Memory() == radioBefore);
        QVERIFY(radio_->LastBlocks().empty());
    }

    void bandLimitFill() {
        // The rules are tested in test_link_exchange; here that a read applies
        // them. The radio's memory holds no band 0 and 410-470 MHz for band 1;
        // its identification says 144-146 / 430-440 MHz.
        RadioImage memory = test::PatternImage(7);
        BandLimits stored;
        stored.low[1] = 41000000;
        stored.high[1] = 47000000;
        StoreBandLimitsToImage(stored, memory);
        memory[0x2E13] = 0xFF;
        radio_->SetMemory(memory);
        RadioBehaviour behaviour;
        behaviour.identLimits.low[0] = 14400000;
        behaviour.identLimits.high[0] = 14600000;
        behaviour.identLimits.low[1] = 43000000;
        behaviour.identLimits.high[1] = 44000000;
        radio_->SetBehaviour(behaviour);

        RadioImage image;
        QVERIFY(Run(TransferKind::Read, image).succeeded);
        BandLimits read;
        LoadBandLimitsFromImage(image, read);
        QCOMPARE(QList<int>({read.low[0], read.high[0], read.low[1], read.high[1]}),
                 QList<int>({14400000, 14600000, 41000000, 47000000}));
        // Everything else is the radio's memory.
        QVERIFY(test::SameRange(image, memory, 0, 0x2E10));
        QVERIFY(test::SameRange(image, memory, 0x2E18, 0x3000));
    }

    void greetingFaults_data() {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("answerOn");
        QTest::addColumn<int>("stray");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("greetings");
        QTest::newRow("answers the third greeting") << false << 3 << 0 << true << 3;
        QTest::newRow("silent through four attempts") << true << 1 << 0 << false << 4;
        QTest::newRow("stray byte before the first PG") << false << 1 << 1 << true << 2;
        QTest::newRow("stray byte before every PG") << false << 1 << 4 << false << 4;
    }

    void greetingFaults() {
        QFETCH(bool, silent);
        QFETCH(int, answerOn);
        QFETCH(int, stray);
        QFETCH(bool, succeeds);
        QFETCH(int, greetings);
        RadioBehaviour behaviour;
        behaviour.silent = silent;
        behaviour.answerOnAttempt = answerOn;
        behaviour.strayByteAttempts = stray;
        radio_->SetBehaviour(behaviour);
        const RadioImage memory = test::PatternImage(8);
        radio_->SetMemory(memory);
        RadioImage image = test::PatternImage(9);
        const RadioImage before = image;
        const auto start = Clock::now();
        const TransferResult result = Run(TransferKind::Read, image);
        const qint64 ms = MsSince(start);
        QCOMPARE(result.succeeded, succeeds);
        QCOMPARE(radio_->Stats().greetings, greetings);
        if (succeeds) {
            QCOMPARE(test::FirstMismatch(image, memory, before, kReadRanges), -1);
            return;
        }
        QCOMPARE(Q(result.message), QString(kTextCommunicationError));
        QCOMPARE(result.detail, radio_->Device() + ": 握手没有回应");
        QVERIFY(image == before);
        // Four attempts, each 8 ms of greeting and at most two silent one-byte
        // reads of 150 ms: the exchange gives up in about 1.25 s.
        QVERIFY2(ms < 2000, QByteArray::number(ms));
        if (silent)
            QVERIFY2(ms >= 1200, QByteArray::number(ms));
    }

    void midTransferFaults_data() {
        QTest::addColumn<TransferKind>("kind");
        QTest::addColumn<bool>("hangUp");
        QTest::newRow("read, wrong acknowledgement") << TransferKind::Read << false;
        QTest::newRow("read, hang-up") << TransferKind::Read << true;
        QTest::newRow("write, wrong acknowledgement") << TransferKind::Write << false;
        QTest::newRow("write, hang-up") << TransferKind::Write << true;
    }

    void midTransferFaults() {
        QFETCH(TransferKind, kind);
        QFETCH(bool, hangUp);
        const int k = 100;
        RadioBehaviour behaviour;
        (hangUp ? behaviour.hangUpAfterBlock : behaviour.wrongAckAfterBlock) = k;
        radio_->SetBehaviour(behaviour);
        const RadioImage radioBefore = test::PatternImage(12);
        radio_->SetMemory(radioBefore);
        RadioImage image = test::PatternImage(13);
        const RadioImage before = image;
        std::vector<int> steps;
        const auto start = Clock::now();
        const TransferResult result = Run(kind, image, false, &steps);
        QVERIFY(MsSince(start) < 2000);
        QVERIFY(!result.succeeded);
        QCOMPARE(Q(result.message), QString(kTextCommunicationError));
        QCOMPARE(radio_->Stats().exchangesCompleted, 0);
        QCOMPARE(radio_->LastBlocks().size(), std::size_t(k));
        // Progress stops at the last block that was acknowledged.
        QCOMPARE(static_cast<int>(steps.size()), hangUp ? k : k - 1);
        QVERIFY(image == before);
        if (kind == TransferKind::Write) {
            // The radio holds the blocks it took; the rest is as it was.
            QVERIFY(test::SameRange(radio_->Memory(), before, 0, k * 32));
            QVERIFY(test::SameRange(radio_->Memory(), radioBefore, k * 32, kImageSize));
        } else {
            QVERIFY(radio_->Memory() == radioBefore);
        }

        // The radio and the port recover: the next exchange succeeds.
        radio_->SetBehaviour(RadioBehaviour());
        QVERIFY(Run(kind, image).succeeded);
    }

    void portCannotOpen_data() {
        // %1 stands for the holder's process id.
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("reason");
        const char* const rows[][3] = {
            {"no such device", "", "%ENOENT"},
            {"held by this program", "link", "端口被进程 %1（test_transfers）占用"},
            {"held by another Kestra", "serial", "端口被进程 %1（link_port_holder）占用"},
            {"held exclusively", "exclusive", "端口被进程 %1（link_port_holder）占用"},
            {"held with flock", "flock", "端口被进程 %1（link_port_holder）占用"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void portCannotOpen() {
        QFETCH(QString, holder);
        QFETCH(QString, reason);
        std::string device = device_;
        SerialLink link;
        test::PortHolder other;
        if (holder.isEmpty()) {
            device = "/dev/kestra-no-such-port";
            reason = QString::fromLocal8Bit(std::strerror(ENOENT)); // in the test's language
        } else if (holder == "link") {
            QVERIFY(link.Open(device, nullptr));
            reason = reason.arg(QCoreApplication::applicationPid());
        } else {
            QVERIFY(other.Hold(holder, device));
            reason = reason.arg(other.pid());
        }

        RadioImage image = test::PatternImage(14);
        const RadioImage before = image;
        const TransferKind kinds[3] = {TransferKind::Read, TransferKind::Write,
                                       TransferKind::Initialise};
        for (TransferKind kind : kinds) {
            const TransferResult result = RunTransfer(kind, device, image, false, nullptr);
            QVERIFY(!result.succeeded);
            QCOMPARE(Q(result.message), QString(kTextCannotOpenPort));
            QVERIFY2(Q(result.detail).contains(reason), result.detail.c_str());
            QVERIFY(image == before);
        }
        const TransferResult region =
            RunRegionExchange(RegionKind::Calibration, true, device, image);
        QCOMPARE(Q(region.message), QString(kTextCannotOpenPort));
        QCOMPARE(radio_->Stats().bytesReceived, std::uint64_t(0));

        link.Close();
        other.Release();
        if (!holder.isEmpty())
            QVERIFY(Run(TransferKind::Read, image).succeeded);
    }

    void killedHolderLeavesPortFree_data() {
        QTest::addColumn<QString>("holder");
        QTest::newRow("Kestra killed while it held the port") << "serial";
        QTest::newRow("a program in exclusive mode killed") << "exclusive";
        QTest::newRow("a program with flock killed") << "flock";
    }

    void killedHolderLeavesPortFree() {
        QFETCH(QString, holder);
        if (holder == "exclusive" && ::geteuid() != 0)
            QSKIP("a terminal left in exclusive mode opens only for root");
        // SIGKILL gives the holder no chance to clean up: its exclusive mode,
        // its lock file and its flock are left to the system.
        for (int round = 0; round < 2; ++round) {
            test::PortHolder other;
            QVERIFY(other.Hold(holder, device_));
            other.Kill();
            RadioImage image;
            const TransferResult result = Run(TransferKind::Read, image);
            QVERIFY2(result.succeeded, qPrintable(Q(result.message + " " + result.detail)));
        }
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

    // The end markers are judged by the radio, which counts an exchange only
    // on the marker of its own direction (roundTrips, regionExchanges). A
    // failed exchange sends none, and a failed read leaves the image as it was.
    void failedExchangeSendsNoEndMarker_data() {
        QTest::addColumn<int>("exchange"); // a TransferKind, or -1/-2: region read/write
        QTest::newRow("read") << int(TransferKind::Read);
        QTest::newRow("write") << int(TransferKind::Write);
        QTest::newRow("initialise") << int(TransferKind::Initialise);
        QTest::newRow("calibration read") << -1;
        QTest::newRow("calibration write") << -2;
    }

    void failedExchangeSendsNoEndMarker() {
        QFETCH(int, exchange);
        QByteArray lastSent; // the last bytes on the wire, as the trace saw them
        const TraceCallback trace = [&lastSent](const TraceEvent& e) {
            if (e.sent)
                lastSent = QByteArray(reinterpret_cast<const char*>(e.data), int(e.count));
        };
        RadioImage image = test::PatternImage(19);
        const RadioImage before = image;
        RadioBehaviour behaviour;
        behaviour.wrongAckAfterBlock = 2;
        radio_->SetBehaviour(behaviour);
        TransferOptions options;
        options.trace = trace;
        const TransferResult failed =
            exchange < 0
                ? RunRegionExchange(RegionKind::Calibration, exchange == -1, device_, image, trace)
                : RunTransfer(TransferKind(exchange), device_, image, options);
        QVERIFY(!failed.succeeded);
        QCOMPARE(Q(failed.message), QString(kTextCommunicationError));
        QVERIFY(image == before);
        QVERIFY(test::PortOpensAgain(device_));
        QVERIFY2(!lastSent.isEmpty() && !lastSent.startsWith("END"), lastSent.constData());
        QCOMPARE(radio_->Stats().exchangesCompleted, 0);
    }

    void regionExchanges_data() {
        QTest::addColumn<int>("region");
        QTest::addColumn<bool>("read");
        QTest::newRow("calibration read") << int(RegionKind::Calibration) << true;
        QTest::newRow("calibration write") << int(RegionKind::Calibration) << false;
        QTest::newRow("decoder read") << int(RegionKind::DecoderTable) << true;
        QTest::newRow("decoder write") << int(RegionKind::DecoderTable) << false;
    }

    void regionExchanges() {
        QFETCH(int, region);
        QFETCH(bool, read);
        const RegionKind kind = static_cast<RegionKind>(region);
        // A blank radio: these exchanges do not look at the identification.
        RadioBehaviour behaviour;
        behaviour.identification = kIdentBlank;
        radio_->SetBehaviour(behaviour);
        const RadioImage radioBefore = test::PatternImage(15);
        radio_->SetMemory(radioBefore);
        RadioImage image = test::PatternImage(16);
        image[0x2E13] = 0xFF; // no band-limit fill either
        const RadioImage before = image;

        const TransferResult result = RunRegionExchange(kind, read, device_, image);
        QVERIFY(test::PortOpensAgain(device_));
        QVERIFY(result.succeeded);
        QCOMPARE(Q(result.message), QString(read ? kTextReadSucceeded : kTextWriteSucceeded));

        const ByteRange r = RegionRange(kind);
        const TransferRanges ranges{r, {0, 0}};
        if (read) {
            QCOMPARE(test::FirstMismatch(image, radioBefore, before, ranges), -1);
            QVERIFY(radio_->Memory() == radioBefore);
        } else {
            QVERIFY(image == before);
            QCOMPARE(test::FirstMismatch(radio_->Memory(), before, radioBefore, ranges), -1);
        }
        const std::vector<RadioBlockRecord> seen = radio_->LastBlocks();
        const std::vector<Block> expected = SplitBlocks(r);
        QCOMPARE(seen.size(), expected.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].command, read ? 'R' : 'W');
            QCOMPARE(seen[i].address, expected[i].address);
            QCOMPARE(seen[i].length, expected[i].length);
        }
        // The radio counts the exchange when it has taken the end marker, which
        // may be just after the client has returned.
        QTRY_COMPARE(radio_->Stats().exchangesCompleted, 1);
    }

    void exampleMemoryShowsChannels() {
        // A fresh simulator answers a read with its example channels.
        RadioImage image;
        QVERIFY(Run(TransferKind::Read, image).succeeded);
        QCOMPARE(test::FirstMismatch(image, ExampleRadioMemory(), RadioImage(), kReadRanges), -1);
        QVERIFY(ChannelRecord(image, 1).Rx() != kUnsetFrequency);
    }

    // TransferJob: the exchanges above on the job's thread.

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

    void jobRegionExchanges() {
        // The exchanges themselves are tested above; the job
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
    // Runs transfer and checks that the port was closed after it.
    TransferResult Run(TransferKind kind, RadioImage& image, bool factory = false,
                       std::vector<int>* steps = nullptr, int* total = nullptr) {
        const TransferResult result =
            RunTransfer(kind, device_, image, factory, [steps, total](int position, int t) {
                if (steps)
                    steps->push_back(position);
                if (total)
                    *total = t;
            });
        if (!test::PortOpensAgain(device_))
            qWarning("the port stayed open after the exchange");
        return result;
    }

    std::unique_ptr<VirtualRadio> radio_;
    std::string device_;
    std::unique_ptr<AppState> state_;
};

QTEST_GUILESS_MAIN(TestTransfers)
#include "test_transfers.moc"
