// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QTemporaryDir>

#include <cstring>

#include "core/document/app_state.h"
#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/image/radio_image.h"

using namespace kestra;

namespace {

QByteArray Bytes(const RadioImage& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

void WriteFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

RadioImage Patterned() {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void builtInDefaults() {
        QTemporaryDir dir;
        RadioImage image;
        image.Fill(0x00);
        QVERIFY(!NewDocumentImage((dir.path() + "/").toStdString(), image));
        for (int n = 1; n <= kChannelCount; ++n) {
            const int base = RecordOffset(n);
            if (base + 32 <= 0x1F70 || base >= 0x1F78 + 8) {
                QCOMPARE(Bytes(image, base, 4), QByteArray(4, '\xFF'));
                QCOMPARE(image[base + 0x0C], std::uint8_t(0x00));
                QCOMPARE(image[base + 0x0D], std::uint8_t(0x38));
                QCOMPARE(Bytes(image, base + 0x10, 4), QByteArray::fromHex("00000001"));
            }
        }
        QCOMPARE(image[0x2041], std::uint8_t(0xFF));
        QCOMPARE(image[0x2045], std::uint8_t(0xFF));
        QCOMPARE(Bytes(image, 0x2040, 14), QByteArray::fromHex("1eff040404ff0501030e90288a0d"));
        QCOMPARE(Bytes(image, 0x2080, 4), QByteArray::fromHex("32040202"));
        QCOMPARE(Bytes(image, 0x20B0, 3), QByteArray::fromHex("010000"));
        QCOMPARE(Bytes(image, 0x20D8, 6), QByteArray::fromHex("0a45fa0aff0e"));
        QCOMPARE(Bytes(image, 0x20E0, 16), QByteArray::fromHex("0100000e010000ffffffffffffffffff"));
        QCOMPARE(image[0x1F77], std::uint8_t(0x0A));
        // Bytes no default names stay 0xFF.
        QCOMPARE(Bytes(image, 0x2E00, 0x100), QByteArray(0x100, '\xFF'));
        QCOMPARE(Bytes(image, 0x3000, 0x1000), QByteArray(0x1000, '\xFF'));
        // The count of non-FF bytes is exactly records + defaults.
        int nonFF = 0;
        for (std::size_t i = 0; i < kImageSize; ++i)
            nonFF += image[i] != 0xFF;
        QCOMPARE(nonFF, 258 * 9 + 33); // 9 per cleared record, 33 settings bytes
    }

    void defaultDatIsUsedAsItIs() {
        QTemporaryDir dir;
        const RadioImage pattern = Patterned();
        WriteFile(dir.filePath("Default.dat"), Bytes(pattern, 0, 16384));
        RadioImage image;
        QVERIFY(NewDocumentImage((dir.path() + "/").toStdString(), image));
        QVERIFY(image == pattern);

        // A 100-byte Default.dat leaves the rest of the image 0xFF.
        WriteFile(dir.filePath("Default.dat"), Bytes(pattern, 0, 100));
        image.Fill(0);
        QVERIFY(NewDocumentImage((dir.path() + "/").toStdString(), image));
        QCOMPARE(Bytes(image, 0, 100), Bytes(pattern, 0, 100));
        QCOMPARE(Bytes(image, 100, 16284), QByteArray(16284, '\xFF'));
    }

    void defaultDatThatCannotBeReadFallsBack() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Default.dat")); // a directory, not a file
        RadioImage image;
        QVERIFY(!NewDocumentImage((dir.path() + "/").toStdString(), image));
        QCOMPARE(image[0x2040], std::uint8_t(0x1E));
    }

    void onlyAWholeImageIsTaken() {
        QTemporaryDir dir;
        const QString path = dir.filePath("short.dat");
        WriteFile(path, QByteArray(16383, '\x11'));
        const RadioImage before = Patterned();
        RadioImage image = before;
        std::string error;
        QVERIFY(!LoadDatFile(path.toStdString(), image, &error));
        QVERIFY(image == before);
        QVERIFY(QString::fromStdString(error).contains("16383"));

        WriteFile(path, QByteArray());
        QVERIFY(!LoadDatFile(path.toStdString(), image, &error));
        QVERIFY(image == before);

        QVERIFY(!LoadDatFile(dir.filePath("missing.dat").toStdString(), image, &error));
        QVERIFY(!error.empty());
        QVERIFY(image == before);

        // A longer file opens; the extra bytes are ignored.
        WriteFile(path, Bytes(Patterned(), 0, 16384) + '\x42');
        QVERIFY(LoadDatFile(path.toStdString(), image, &error));
        QVERIFY(image == Patterned());
    }

    void unwritableTargetIsReportedAndOldFileKept() {
        QTemporaryDir dir;
        std::string error;
        QVERIFY(!SaveDatFile(dir.filePath("no/such/dir/x.dat").toStdString(), Patterned(), &error));
        QVERIFY(!error.empty());

        // A target that is a directory cannot be replaced; nothing is left behind.
        const QString sub = dir.filePath("taken.dat");
        QVERIFY(QDir().mkdir(sub));
        QVERIFY(!SaveDatFile(sub.toStdString(), Patterned(), &error));
        QVERIFY(QFileInfo(sub).isDir());
        QVERIFY(!QFileInfo::exists(sub + ".part"));
    }

    void factoryPassword() {
        for (const char* text : {"QDM537", "qdm537", "qDm537", "QDM53", "QDM5377", ""})
            QCOMPARE(FactoryPasswordMatches(text), std::strlen(text) == 6);
    }
};

QTEST_APPLESS_MAIN(DocumentsTest)
#include "test_documents.moc"
