// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange logic over a scripted port: the radio's side answers in
// memory and time is simulated, so the handshake's timing, the block
// sequence and every failure of every exchange can be checked exactly.
#include <QtTest>

#include <deque>

#include "link/exchange.h"
#include "link/link_texts.h"
#include "link/radio_responder.h"
#include "support/link_fixture.h"

using namespace kestra;
using namespace kestra::test;

namespace {

class SimulatedCounter : public MonotonicCounter {
public:
    std::int64_t Frequency() const override { return 1000000; }
    std::int64_t Count() const override { return micros; }
    std::int64_t micros = 0;
};

// A port wired to a RadioResponder. Reads that come up short cost the time
// the serial time-outs would: 50 ms per byte plus 100 ms when nothing came,
// 100 ms after the last byte otherwise.
class ResponderPort : public BytePort {
public:
    explicit ResponderPort(RadioResponder& radio) : radio_(radio) {}

    void Purge() override { pending_.clear(); }
    bool Write(const std::uint8_t* data, std::size_t n) override {
        std::vector<std::uint8_t> out;
        if (Closed())
            return false;
        for (std::size_t i = 0; i < n; ++i) {
            out.clear();
            radio_.Receive(data[i], out);
            pending_.insert(pending_.end(), out.begin(), out.end());
        }
        written += n;
        lastWrite = QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(n));
        return true;
    }
    std::size_t Read(std::uint8_t* buffer, std::size_t n) override {
        std::size_t got = 0;
        while (got < n && !pending_.empty()) {
            buffer[got++] = pending_.front();
            pending_.pop_front();
        }
        if (got < n)
            Advance(got == 0 ? kReadTotalPerByteMs * static_cast<int>(n) + kReadTotalConstantMs
                             : kReadIntervalTimeoutMs);
        return got;
    }
    void Pause(int ms) override { Advance(ms); }
    const MonotonicCounter& Counter() const override { return clock_; }
    bool Closed() const override { return closeAfterWritten > 0 && written >= closeAfterWritten; }

    std::int64_t ElapsedMs() const { return clock_.micros / 1000; }
    std::size_t written = 0;
    QByteArray lastWrite; // the bytes of the last Write, an end marker after a whole exchange
    // > 0: the device goes away once this many bytes have been sent; the
    // radio hears nothing more.
    std::size_t closeAfterWritten = 0;

private:
    void Advance(int ms) { clock_.micros += std::int64_t{ms} * 1000; }

    RadioResponder& radio_;
    std::deque<std::uint8_t> pending_;
    SimulatedCounter clock_;
};

// Runs one of the exchanges of link_fixture.h (kRead ...) on the port.
TransferResult RunOn(BytePort& port, int exchange, RadioImage& image,
                     const TransferOptions& options = {}) {
    if (exchange <= kInitialise)
        return RunTransferOn(port, static_cast<TransferKind>(exchange), image, options);
    return RunRegionExchangeOn(port, RegionOf(exchange), Reads(exchange), image, options.progress,
                               options.verify);
}

// The faults of the radio in exchangeOutcomes; kPortClosed is the port's.
enum Fault { kNone, kSilent, kStray, kForeign, kBlank, kBadAck, kHangUp, kShortReply, kPortClosed };

RadioBehaviour Showing(Fault fault) {
    RadioBehaviour behaviour;
    behaviour.silent = fault == kSilent;
    behaviour.strayByteAttempts = fault == kStray ? 100 : 0;
    if (fault == kForeign)
        behaviour.identification = {'X', 'Y', 'Z', 0, 0, 0, 0, 0};
    if (fault == kBlank)
        behaviour.identification = kIdentBlank;
    behaviour.wrongAckAfterBlock = fault == kBadAck ? 3 : 0;
    behaviour.hangUpAfterBlock = fault == kHangUp ? 3 : 0;
    behaviour.shortReplyAtBlock = fault == kShortReply ? 2 : 0;
    return behaviour;
}

} // namespace

class TestLinkExchange : public QObject {
    Q_OBJECT

private slots:
    void blockSplitting() {
        auto list = [](ByteRange r) {
            QList<QPair<int, int>> out;
            for (const Block& b : SplitBlocks(r))
                out.append({b.address, b.length});
            return out;
        };
        QCOMPARE(list({0x3F70, 0x4000}),
                 (QList<QPair<int, int>>{
                     {0x3F70, 16}, {0x3F80, 32}, {0x3FA0, 32}, {0x3FC0, 32}, {0x3FE0, 32}}));
        QCOMPARE(list(RegionRange(RegionKind::Calibration)),
                 (QList<QPair<int, int>>{{0x3ED0, 16},
                                         {0x3EE0, 32},
                                         {0x3F00, 32},
                                         {0x3F20, 32},
                                         {0x3F40, 32},
                                         {0x3F60, 16}}));
        QCOMPARE(list(RegionRange(RegionKind::DecoderTable)),
                 (QList<QPair<int, int>>{{0x3E00, 32}, {0x3E20, 16}}));
        // A range that starts and ends off the 32-byte raster.
        QCOMPARE(list({0x0005, 0x0047}),
                 (QList<QPair<int, int>>{{0x0005, 27}, {0x0020, 32}, {0x0040, 7}}));
        QVERIFY(SplitBlocks({0x100, 0x100}).empty());
    }

    void progressText() {
        const std::tuple<int, int, const char*> cases[] = {{0, 389, "0%"},     {1, 389, "0%"},
                                                           {194, 389, "49%"},  {388, 389, "99%"},
                                                           {389, 389, "100%"}, {512, 512, "100%"}};
        for (const auto& [position, total, text] : cases)
            QCOMPARE(QString::fromStdString(PercentText(position, total)), QString(text));
    }

    void identificationCheck_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<bool>("forRead");
        QTest::addColumn<bool>("accepted");
        const QByteArray model("QVN-K52\0", 8);
        const QByteArray version("V1.0.1\xFF\xFF", 8);
        const QByteArray blank(8, '\xFF');
        QTest::newRow("model read") << model << true << true;
        QTest::newRow("model write") << model << false << true;
        QTest::newRow("version read") << version << true << true;
        QTest::newRow("version write") << version << false << true;
        QTest::newRow("blank read") << blank << true << false;
        QTest::newRow("blank write") << blank << false << true;
        QTest::newRow("model without zero") << QByteArray("QVN-K52 ", 8) << false << false;
        QTest::newRow("version without FF") << QByteArray("V1.0.1\0\0", 8) << true << false;
        QTest::newRow("seven FF") << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\0", 8) << false
                                  << false;
    }

    void identificationCheck() {
        QFETCH(QByteArray, id);
        QFETCH(bool, forRead);
        QFETCH(bool, accepted);
        IdentBlock ident;
        ident.fill(0x11);
        std::copy(id.begin(), id.end(), ident.begin());
        QCOMPARE(IdentificationAccepted(ident, forRead), accepted);
    }

    void handshakeTiming_data() {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("answerOn");
        QTest::addColumn<int>("stray");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("greetings");
        QTest::addColumn<int>("elapsedMs");
        // Every attempt: 8 x 1 ms of greeting, then pairs of one-byte reads until
        // more than 100 ms have passed. A silent pair costs 2 x 150 ms.
        QTest::newRow("answers at once") << false << 1 << 0 << true << 1 << 8;
        QTest::newRow("answers the third") << false << 3 << 0 << true << 3 << 3 * 8 + 2 * 300;
        QTest::newRow("silent") << true << 1 << 0 << false << 4 << 4 * (8 + 300);
        QTest::newRow("never the fourth") << false << 5 << 0 << false << 4 << 4 * (8 + 300);
        // The stray byte takes 'P' with it; 'G' and a silent read cost 150 ms.
        // The next attempt finds "PG" behind the IdentBlock that the radio sent
        // for the greeting's 02.
        QTest::newRow("stray byte once") << false << 1 << 1 << true << 2 << 2 * 8 + 150;
        QTest::newRow("stray byte always") << false << 1 << 4 << false << 4 << 4 * (8 + 150);
    }

    void handshakeTiming() {
        QFETCH(bool, silent);
        QFETCH(int, answerOn);
        QFETCH(int, stray);
        QFETCH(bool, succeeds);
        QFETCH(int, greetings);
        QFETCH(int, elapsedMs);
        RadioBehaviour behaviour;
        behaviour.silent = silent;
        behaviour.answerOnAttempt = answerOn;
        behaviour.strayByteAttempts = stray;
        RadioResponder radio(behaviour, RadioImage());
        ResponderPort port(radio);
        std::vector<std::uint8_t> heard;
        QCOMPARE(Handshake(port, &heard), succeeds);
        QCOMPARE(!heard.empty(), !silent && answerOn <= kHandshakeAttempts);
        QCOMPARE(radio.Greetings(), greetings);
        QCOMPARE(port.written, std::size_t(8) * static_cast<std::size_t>(greetings));
        QCOMPARE(port.ElapsedMs(), std::int64_t{elapsedMs});
    }

    void bandLimitFill() {
        IdentBlock ident;
        ident.fill(0xFF);
        const std::uint8_t limits[16] = {0x00, 0x00, 0x40, 0x14, 0x00, 0x00, 0x80, 0x14,
                                         0x00, 0x00, 0x20, 0x42, 0xFF, 0x12, 0xFF, 0x45};
        std::copy(std::begin(limits), std::end(limits), ident.begin() + kIdentLimitsOffset);

        // A band missing in memory (its fourth byte FF) takes its pair from the
        // identification as sent, non-decimal bytes included; the other band
        // and every other byte stay.
        const RadioImage memory = PatternImage(3);
        for (int band = 0; band < 2; ++band) {
            RadioImage image = memory;
            image[std::size_t(0x2E13 + 8 * band)] = 0xFF;
            RadioImage expected = image;
            std::copy(limits + 8 * band, limits + 8 * band + 8,
                      expected.data() + 0x2E10 + 8 * band);
            FillBandLimits(ident, image);
            QVERIFY2(image == expected, QByteArray::number(band));
        }

        // A read transfer fills them after its blocks (a region read does not:
        // exchangeOutcomes).
        RadioBehaviour behaviour;
        behaviour.identLimits.low[0] = 14400000;
        behaviour.identLimits.high[0] = 14600000;
        RadioImage before = memory;
        before[0x2E13] = 0xFF;
        RadioResponder radio(behaviour, before);
        ResponderPort port(radio);
        RadioImage read = before;
        QVERIFY(RunOn(port, kRead, read).succeeded);
        BandLimits filled;
        LoadBandLimitsFromImage(read, filled);
        QCOMPARE(QList<int>({filled.low[0], filled.high[0]}), QList<int>({14400000, 14600000}));
    }

    void exchangeOutcomes_data() {
        QTest::addColumn<int>("exchange");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("factory");
        QTest::addColumn<int>("steps"); // the progress reported at the end
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail"); // empty when the exchange succeeds
        const QString comm = kTextCommunicationError;
        const QString invalid = kTextRadioDataInvalid;
        const QString foreign = "识别信息不符（58 59 5A 00 00 00 00 00）";
        const QString wrongAck = "在块 0x0040 处没有收到确认（收到 15）";
        const QString partly = '\n' + QString(kTextPartlyWritten); // a write's blocks began
        const auto row = [](const char* name, int exchange, Fault fault, int steps,
                            const QString& message, const QString& detail = QString(),
                            bool factory = false) {
            QTest::newRow(name) << exchange << fault << factory << steps << message << detail;
        };
        row("read", kRead, kNone, 389, kTextReadSucceeded);
        row("initialise", kInitialise, kNone, 512, kTextInitialiseSucceeded);
        row("calibration write", kCalibrationWrite, kNone, 6, kTextWriteSucceeded);
        row("decoder write", kDecoderWrite, kNone, 2, kTextWriteSucceeded);
        // The transfers check the identification, except in factory mode; the
        // region exchanges check none. (These rows are also the plain writes
        // and the region reads.)
        row("blank radio write", kWrite, kBlank, 389, kTextWriteSucceeded);
        row("foreign identification, factory read", kRead, kForeign, 389, kTextReadSucceeded, "",
            true);
        row("foreign identification, calibration read", kCalibrationRead, kForeign, 6,
            kTextReadSucceeded);
        row("blank radio, decoder read", kDecoderRead, kBlank, 2, kTextReadSucceeded);

        row("silent", kRead, kSilent, 0, comm, "握手没有回应");
        // A radio that answers, wrongly, is no silent one.
        row("stray byte before every PG", kRead, kStray, 0, comm,
            "握手回应不是“PG”（收到 00 50 47 51 56 4E 2D 4B）");
        row("foreign identification, read", kRead, kForeign, 0, invalid, foreign);
        row("foreign identification, write", kWrite, kForeign, 0, invalid, foreign);
        row("foreign identification, initialise", kInitialise, kForeign, 0, invalid, foreign);
        row("blank radio read", kRead, kBlank, 0, invalid,
            "识别信息不符（FF FF FF FF FF FF FF FF）");
        row("wrong ack, read", kRead, kBadAck, 2, comm, wrongAck);
        row("wrong ack, write", kWrite, kBadAck, 2, comm, wrongAck + partly);
        row("wrong ack, initialise", kInitialise, kBadAck, 2, comm, wrongAck + partly);
        row("wrong ack, calibration write", kCalibrationWrite, kBadAck, 2, comm,
            "在块 0x3F00 处没有收到确认（收到 15）" + partly);
        row("hang-up, write", kWrite, kHangUp, 3, comm,
            "在块 0x0060 处没有收到确认（什么也没收到）" + partly);
        row("hang-up, calibration read", kCalibrationRead, kHangUp, 3, comm,
            "在块 0x3F20 处没有回应");
        // Taking a block without its last byte would keep a stale byte.
        row("short reply", kRead, kShortReply, 1, comm, "在块 0x0020 处回应不完整（35 / 36 字节）");
        row("port closed", kWrite, kPortClosed, 4, comm, "端口已关闭" + partly);
    }

    // A successful exchange sends its blocks in order, moves the bytes of
    // its ranges only, and ends with the marker the radio counts. A failure
    // says in its detail line which step failed; progress stops at the last
    // block acknowledged, the image is as it was, no end marker is sent, and
    // the next exchange succeeds.
    void exchangeOutcomes() {
        QFETCH(int, exchange);
        QFETCH(Fault, fault);
        QFETCH(bool, factory);
        QFETCH(int, steps);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        const RadioImage memory = PatternImage(5);
        RadioResponder radio(Showing(fault), memory);
        ResponderPort port(radio);
        if (fault == kPortClosed)
            port.closeAfterWritten = 8 + 1 + 1 + 3 * 36 + 10;
        // The app's image has no band-0 limits, which only a read transfer may
        // fill (from the radio's memory here, which has them).
        RadioImage before = PatternImage(6);
        before[0x2E13] = 0xFF;
        RadioImage image = before;
        const TransferRanges ranges = ExchangeRanges(exchange);
        std::vector<Block> blocks = SplitBlocks(ranges.first);
        const std::vector<Block> second = SplitBlocks(ranges.second);
        blocks.insert(blocks.end(), second.begin(), second.end());
        TransferOptions options;
        options.factoryMode = factory;
        int reported = 0;
        options.progress = [&reported, &blocks](int position, int total) {
            QCOMPARE(position, reported + 1);
            QCOMPARE(total, int(blocks.size()));
            reported = position;
        };
        const TransferResult result = RunOn(port, exchange, image, options);
        QCOMPARE(Q(result.message), message);
        QCOMPARE(Q(result.detail), detail);
        QCOMPARE(reported, steps);
        if (!detail.isEmpty()) {
            QVERIFY(!result.succeeded);
            QVERIFY(image == before);
            QVERIFY2(!port.lastWrite.startsWith("END"), port.lastWrite.toHex().constData());
            QCOMPARE(radio.ExchangesCompleted(), 0);
            if (fault == kPortClosed) // a closed port stays closed
                return;
            radio.SetBehaviour(RadioBehaviour());
            QVERIFY(RunOn(port, exchange, image).succeeded);
            return;
        }
        QVERIFY(result.succeeded);
        QCOMPARE(radio.Blocks().size(), blocks.size());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            QCOMPARE(radio.Blocks()[i].command, Reads(exchange) ? 'R' : 'W');
            QCOMPARE(radio.Blocks()[i].address, blocks[i].address);
            QCOMPARE(radio.Blocks()[i].length, blocks[i].length);
        }
        if (Reads(exchange)) {
            QCOMPARE(FirstMismatch(image, memory, before, ranges), -1);
            QVERIFY(radio.Memory() == memory);
        } else {
            QVERIFY(image == before);
            QCOMPARE(FirstMismatch(radio.Memory(), before, memory, ranges), -1);
        }
        QCOMPARE(radio.ExchangesCompleted(), 1);
    }

    void verifyReadsBackWhatWasWritten_data() {
        QTest::addColumn<int>("exchange");
        QTest::addColumn<int>("corrupt");
        QTest::addColumn<int>("busyGreetings");
        QTest::addColumn<bool>("verified");
        QTest::addColumn<QString>("detail");
        const QString differs = '\n' + QString(kTextVerifyDiffers);
        QTest::newRow("clean write") << kWrite << -1 << 0 << true << "";
        const QString covered = kTextInitialiseVerified;
        QTest::newRow("clean initialise") << kInitialise << -1 << 0 << true << covered;
        // The radio stores what it is sent for a while after "ENDW" and
        // ignores the first greetings of the read-back.
        QTest::newRow("radio busy after ENDW") << kWrite << -1 << 6 << true << "";
        // Outside the read ranges only initialise writes; the factory blocks
        // are read back by their own exchange, the rest by nothing.
        QTest::newRow("outside the read ranges") << kInitialise << 0x3100 << 0 << true << covered;
        // A byte stored inverted, as the read-back reports it.
        const auto storedWrong = [&differs](int a) {
            const int sent = int(PatternImage(8)[std::size_t(a)]);
            return QString::asprintf("第一处差异在 0x%04X：发送 %02X，读到 %02X（1 个字节不同）", a,
                                     sent, sent ^ 0xFF) +
                   differs;
        };
        QTest::newRow("byte stored wrong") << kWrite << 0x0123 << 0 << false << storedWrong(0x0123);
        QTest::newRow("byte stored wrong, second range")
            << kInitialise << 0x3F75 << 0 << false << storedWrong(0x3F75);
        QTest::newRow("initialise, calibration byte stored wrong")
            << kInitialise << 0x3F00 << 0 << false << storedWrong(0x3F00);
        QTest::newRow("radio never answers again")
            << kWrite << -1 << 100 << false << "读回时：握手没有回应";
        // The calibration write reads its own region back.
        QTest::newRow("clean calibration write") << kCalibrationWrite << -1 << 2 << true << "";
        QTest::newRow("calibration byte stored wrong")
            << kCalibrationWrite << 0x3F6F << 0 << false << storedWrong(0x3F6F);
    }

    void verifyReadsBackWhatWasWritten() {
        QFETCH(int, exchange);
        QFETCH(int, corrupt);
        QFETCH(int, busyGreetings);
        QFETCH(bool, verified);
        QFETCH(QString, detail);
        RadioBehaviour behaviour;
        behaviour.corruptStoreAddress = corrupt;
        behaviour.busyAfterWrite = busyGreetings;
        RadioResponder radio(behaviour, PatternImage(7));
        ResponderPort port(radio);
        const RadioImage sent = PatternImage(8);
        RadioImage image = sent;
        TransferOptions options;
        options.factoryMode = true;
        options.verify = true;
        int last = 0;
        int total = 0;
        options.progress = [&](int position, int all) {
            QCOMPARE(position, last + 1);
            last = position;
            total = all;
        };
        const TransferResult result = RunOn(port, exchange, image, options);
        QCOMPARE(result.succeeded, verified);
        QCOMPARE(result.verified, verified);
        QVERIFY(result.sent);
        QCOMPARE(QString::fromStdString(result.message),
                 QString(!verified                       ? kTextVerifyFailed
                         : exchange == kWrite            ? kTextWriteVerified
                         : exchange == kCalibrationWrite ? kTextWriteSucceeded
                                                         : kTextInitialiseSucceeded));
        QCOMPARE(QString::fromStdString(result.detail), detail);
        QVERIFY(image == sent);
        QCOMPARE(total, exchange == kCalibrationWrite
                            ? 2 * 6
                            : TransferSteps(static_cast<TransferKind>(exchange), true));
        if (verified)
            QCOMPARE(last, total);
        if (busyGreetings == 100) // greeted for the few seconds, then gave up
            QVERIFY(port.ElapsedMs() > kVerifyRetryMs);
    }

    void endMarkerEndsOnlyItsOwnExchange_data() {
        QTest::addColumn<char>("command");
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<bool>("completed");
        QTest::newRow("read, ENDR") << 'R' << QByteArray("ENDR") << true;
        QTest::newRow("read, ENDW") << 'R' << QByteArray("ENDW") << false;
        QTest::newRow("write, ENDW") << 'W' << QByteArray("ENDW") << true;
        QTest::newRow("write, ENDR") << 'W' << QByteArray("ENDR") << false;
        QTest::newRow("read, garbled") << 'R' << QByteArray("ENDX") << false;
        QTest::newRow("write, garbled") << 'W' << QByteArray("EMDW") << false;
        QTest::newRow("read, none") << 'R' << QByteArray() << false;
    }

    void endMarkerEndsOnlyItsOwnExchange() {
        // The radio's side: only the marker of the exchange's direction ends it;
        // after a wrong or garbled one it waits for a greeting, without one it
        // waits until the line falls quiet.
        QFETCH(char, command);
        QFETCH(QByteArray, marker);
        QFETCH(bool, completed);
        RadioResponder radio(RadioBehaviour(), PatternImage(4));
        std::vector<std::uint8_t> out;
        const auto feed = [&radio, &out](const std::vector<std::uint8_t>& bytes) {
            for (std::uint8_t b : bytes)
                radio.Receive(b, out);
        };
        feed(std::vector<std::uint8_t>(kGreeting.begin(), kGreeting.end()));
        feed({kIdentRequest, kAck});
        if (command == 'R')
            feed({kReadCommand, 0x00, 0x20, 4, kAck});
        else
            feed({kWriteCommand, 0x00, 0x20, 4, 1, 2, 3, 4});
        QCOMPARE(radio.Blocks().size(), std::size_t(1));
        QCOMPARE(out.back(), kAck);
        feed(std::vector<std::uint8_t>(marker.begin(), marker.end()));
        QCOMPARE(radio.ExchangesCompleted(), completed ? 1 : 0);
        radio.LineQuiet();
        QCOMPARE(radio.ExchangesCompleted(), completed ? 1 : 0);
        // Whatever the marker was, the radio waits for the next greeting again.
        const int greetings = radio.Greetings();
        feed(std::vector<std::uint8_t>(kGreeting.begin(), kGreeting.end()));
        QCOMPARE(radio.Greetings(), greetings + 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkExchange)
#include "test_link_exchange.moc"
