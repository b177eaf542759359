// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "core/codec/codecs.h"
#include "core/image/calibration.h"
#include "core/image/finalize.h"
#include "core/image/radio_image.h"

using namespace kestra;

namespace {

QByteArray Bytes(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

// The band points 0x3F70-0x3FAB: per calibration band "low high mid low-mid high-mid".
QStringList BandPoints(const RadioImage& image) {
    QStringList out;
    for (int band = 0; band < 3; ++band) {
        QStringList points;
        for (int i = 0; i < 5; ++i) {
            const int off = 0x3F70 + 20 * band + 4 * i;
            points << QString::number(quint32(image[off]) | quint32(image[off + 1]) << 8 |
                                      quint32(image[off + 2]) << 16 | quint32(image[off + 3]) << 24);
        }
        out << points.join(' ');
    }
    return out;
}

void AddChannel(RadioImage& image, int n, std::uint32_t rx, bool scan) {
    ChannelRecord rec(image, n);
    rec.Clear();
    rec.SetRx(rx);
    rec.SetTx(rx);
    rec.SetScan(scan);
}

} // namespace

class RadioImageTest : public QObject {
    Q_OBJECT
private slots:
    void recordLayout() {
        QCOMPARE(RecordOffset(129), 0x1000);
        QCOMPARE(RecordOffset(258), 0x2020);
        // A, B, and each VFO with its band; nothing outside 1..258.
        const std::pair<int, int> bands[] = {{0, -1},  {1, 0},   {128, 0}, {129, 1},
                                             {256, 1}, {257, 0}, {258, 1}, {259, -1}};
        for (const auto& b : bands)
            QCOMPARE(BandOfRecord(b.first), b.second);
    }

    void clearedRecordPattern() {
        RadioImage image;
        image.Fill(0x5A);
        ClearRecord(image, 3);
        // RX, TX, tones FF; flags 00 38; FF 00; shift 00000001; 0000; FF...
        const QByteArray expected = QByteArray::fromHex("ffffffffffffffffffffffff0038ff0000000001"
                                                        "0000ffffffffffffffffffff");
        QCOMPARE(Bytes(image, RecordOffset(3), 32), expected);
        QCOMPARE(image[RecordOffset(3) - 1], std::uint8_t(0x5A));
        QCOMPARE(image[RecordOffset(4)], std::uint8_t(0x5A));
    }

    void bitFieldsKeepTheirNeighbours() {
        RadioImage image;
        ChannelRecord rec(image, 1);
        rec.SetByte(ChannelRecord::kFlags1, 0x00);
        rec.SetBusyLockout(2);
        rec.SetPttId(3);
        rec.SetVox(true);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0x87));
        rec.SetHighPower(true);
        rec.SetWide(true);
        rec.SetScan(true);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0xBF));
        rec.SetBusyLockout(1);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags1), std::uint8_t(0x7F));
        QCOMPARE(rec.PttId(), 3);
        rec.SetByte(ChannelRecord::kFlags0, 0);
        rec.SetVoiceProcessing(9);
        rec.SetRepeaterMode(2);
        rec.SetSignalling(1);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags0), std::uint8_t(0x99));
        rec.SetRepeaterMode(0);
        QCOMPARE(rec.Byte(ChannelRecord::kFlags0), std::uint8_t(0x91));
        QCOMPARE(rec.VoiceProcessing(), 9);
    }

    void bandTests() {
        // Limits are inclusive; overlapping bands try band 0 first.
        BandLimits overlap;
        overlap.low[1] = 14000000;
        const std::tuple<const BandLimits, std::uint32_t, int> bands[] = {
            {{}, 13600000, 0}, {{}, 17400000, 0},         {{}, 17400001, -1},
            {{}, 43500000, 1}, {{}, kUnsetFrequency, -1}, {overlap, 14500000, 0}};
        for (const auto& [limits, f, band] : bands)
            QCOMPARE(limits.BandOf(f), band);
        BandLimits limits;
        QVERIFY(limits.SameBand(14500000, 14600000));
        QVERIFY(!limits.SameBand(14500000, 43500000));
        QVERIFY(limits.SameBand(50000000, 60000000)); // both in none
        QVERIFY(!limits.SameBand(14500000, 50000000));
        QCOMPARE(limits.FirstConfiguredBand(), 0);
        limits.low[0] = 0;
        QCOMPARE(limits.FirstConfiguredBand(), 1);
        limits.high[1] = -1; // 0xFFFFFFFF
        QCOMPARE(limits.FirstConfiguredBand(), -1);
        const std::pair<std::uint32_t, int> calibration[] = {{13600000, 0},  {17400000, 0},
                                                             {17400001, -1}, {25000000, 1},
                                                             {52000000, 2},  {60000000, -1}};
        for (const auto& [f, band] : calibration)
            QCOMPARE(CalibrationBandOf(f), band);
    }

    void bandLimitsFromImageOnlyWhereSet() {
        RadioImage image;
        BandLimits limits;
        LoadBandLimitsFromImage(image, limits);
        QVERIFY(limits == BandLimits());
        image.SetFrequency(region::kBandLimits + 8, 35000000);
        image.SetFrequency(region::kBandLimits + 12, 52000000);
        LoadBandLimitsFromImage(image, limits);
        QCOMPARE(limits.low[0], 13600000);
        QCOMPARE(limits.low[1], 35000000);
        QCOMPARE(limits.high[1], 52000000);
        StoreBandLimitsToImage(BandLimits(), image);
        QCOMPARE(Bytes(image, 0x2E10, 16), QByteArray::fromHex("00006013000040170000004000000048"));
    }

    void bandPoints() {
        RadioImage image;
        RecomputeBandPointsAndSlopes(image, BandLimits());
        const QString band0 = "13600000 17400000 15500000 14900000 16100000";
        QCOMPARE(BandPoints(image), QStringList({band0, "20000000 26000000 23000000 22000000 24000000",
                                                 "40000000 48000000 44000000 42700000 45300000"}));
        QCOMPARE(image[0x3FAC], std::uint8_t(0xFF));
        // Band A straddles calibration bands 0 and 1 (nothing inside band 0:
        // its defaults); band B sits inside band 1 (21 + 4/3 MHz rounded).
        BandLimits limits;
        limits.low[0] = 15000000;
        limits.high[0] = 22000000;
        limits.low[1] = 21000000;
        limits.high[1] = 25000000;
        RecomputeBandPointsAndSlopes(image, limits);
        QCOMPARE(BandPoints(image).mid(0, 2),
                 QStringList({band0, "21000000 25000000 23000000 22300000 23700000"}));
        // Both radio bands inside calibration band 2: the union is taken.
        limits.low[0] = 41000000;
        limits.high[0] = 43000000;
        limits.low[1] = 44000000;
        limits.high[1] = 51000000;
        RecomputeBandPointsAndSlopes(image, limits);
        QCOMPARE(BandPoints(image)[2].section(' ', 0, 1), QString("41000000 51000000"));
    }

    void slopes() {
        RadioImage image;
        const std::uint8_t rows[6][3] = {{40, 50, 45}, {7, 7, 7}, {10, 5, 5},
                                         {0, 255, 0},  {1, 2, 3}, {9, 9, 1}};
        for (int r = 0; r < 6; ++r)
            for (int i = 0; i < 3; ++i)
                image[0x3F39 + 3 * r + i] = rows[r][i];
        RecomputeBandPointsAndSlopes(image, BandLimits());
        // H = 1900000 for band 0: 1900000 / 10 = 190000, 1900000 / 5 = 380000 falling.
        QCOMPARE(Bytes(image, 0x3F4B, 6), QByteArray::fromHex("30e60260cc85"));
        QCOMPARE(Bytes(image, 0x3F51, 6), QByteArray::fromHex("000000000000"));
        // Band 1 defaults: H = 3000000; a > m: 3000000 / 5 = 600000 falling.
        QCOMPARE(Bytes(image, 0x3F57, 6), QByteArray::fromHex("c02789000000"));
        // 3000000 / 255 = 11764 rising, then 11764 falling.
        QCOMPARE(Bytes(image, 0x3F5D, 6), QByteArray::fromHex("f42d00f42d80"));
        QCOMPARE(image[0x3F6F], std::uint8_t(0xFF));
    }

    // First channels 0x2E20-21, presence and scan bitmaps 0x2E40-7F, the
    // band indexes 0x204F-50 repaired only when they point at no channel.
    void finalizeSummariesAndBitmaps() {
        RadioImage image;
        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(image, n);
        AddChannel(image, 5, 14500000, false);
        AddChannel(image, 10, 14600000, true);
        image[0x204F] = 0; // points at the empty A001
        FinalizeImage(image, BandLimits());
        auto hex = [&image](int offset, int count) { return Bytes(image, offset, count).toHex(); };
        QCOMPARE(hex(0x2E20, 2), "05ff");
        QCOMPARE(hex(0x2E40, 64), "1002" + QByteArray(28, '0') + "0002" + QByteArray(92, '0'));
        QCOMPARE(hex(0x204F, 2), "04fe"); // A005; no B channel at all
        QCOMPARE(hex(0x2E00, 16), "56312e302e31ffffffffffffffffffff");
        QCOMPARE(hex(0x2E28, 16) + hex(0x2E38, 8), QByteArray(48, 'f')); // 0x2E38 not written
        QCOMPARE(hex(0x1F70, 8), "b001040a080288aa");
        RadioImage table;
        WriteFixedTable(table);
        QCOMPARE(Bytes(image, 0x3F15, 10), Bytes(table, 0x3F15, 10));

        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(image, n);
        AddChannel(image, 3, 17400000, true);         // on the upper limit: present
        AddChannel(image, 4, 17400001, true);         // just above: absent
        AddChannel(image, 128 + 128, 48000000, true); // B128
        image[0x204F] = 2;                            // A003, present: kept
        image[0x2050] = 200; // beyond B128: reads the slot at 0x2000 + ..., absent
        FinalizeImage(image, BandLimits());
        QCOMPARE(hex(0x204F, 2), "027f");
        QCOMPARE(hex(0x2E21, 1) + hex(0x2E40, 1) + hex(0x2E6F, 1) + hex(0x2E7F, 1), "80048080");
    }

    void finalizeForcesSettingsBitsAndKeepsTheRest() {
        RadioImage image;
        image[0x204C] = 0xFF;
        image[0x204D] = 0xFF;
        image[0x204E] = 0xFF;
        image[0x3000] = 0x12;
        image[0x2E38] = 0x34;
        FinalizeImage(image, BandLimits());
        QCOMPARE(image[0x204C], std::uint8_t(0x9F));
        QCOMPARE(image[0x204D], std::uint8_t(0x3F));
        QCOMPARE(image[0x204E], std::uint8_t(0xCF));
        QCOMPARE(image[0x3000], std::uint8_t(0x12));
        QCOMPARE(image[0x2E38], std::uint8_t(0x34));
    }
};

QTEST_APPLESS_MAIN(RadioImageTest)
#include "test_radio_image.moc"
