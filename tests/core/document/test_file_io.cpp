// SPDX-License-Identifier: GPL-3.0-or-later
// New documents and .dat files: the built-in defaults and Default.dat; only
// whole images are opened; saving is safe: special files and links are
// written through, never replaced; the temporary file is unique, exclusive,
// keeps the target's permissions and never outlives a failed save; FIFOs and
// other non-regular inputs are refused at once instead of blocking.
// Automatic backups: names, same-second suffixes, the order written,
// pruning (leftover temporary files too), failures.
#include <QtTest>

#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/document/app_state.h"
#include "core/document/backups.h"
#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/document/file_io.h"
#include "core/image/radio_image.h"
#include "core/os/os.h"
#include "support/image_bytes.h"
#ifndef _WIN32
#include "support/fifo_watchdog.h"
#endif

using namespace kestra;
using namespace kestra::test;
namespace fs = std::filesystem;

namespace {

RadioImage Filled(std::uint8_t seed) {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return image;
}

// Why saving Filled(seed) at path failed, empty when it was saved.
QString Save(const QString& path, std::uint8_t seed) {
    std::string error;
    return SaveDatFile(path.toStdString(), Filled(seed), &error) ? QString()
                                                                 : QString::fromStdString(error);
}

QStringList Entries(const QTemporaryDir& dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

#ifndef _WIN32

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

mode_t Mode(const QString& path) {
    struct stat st;
    return ::lstat(Native(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// The system's files, with each step of a save written down in order ("flush"
// on the file it created last, "flush*" on another); failStep fails that step
// failCount times with failErrno, and onStep runs at each step.
class WatchedFiles : public os::Files {
public:
    QStringList steps;
    QString failStep;
    int failErrno = EIO;
    int failCount = 0;
    void (*onStep)(const QString& step) = nullptr;

    int CreateExclusive(const std::string& path, os::Handle& file) override {
        if (const int error = Step("create"))
            return error;
        const int error = Files::CreateExclusive(path, file);
        created_ = error ? -1 : file;
        return error;
    }
    int CopyOwnerAndMode(os::Handle file, const os::FileStatus& status) override {
        return Step("chmod", file) ? failErrno : Files::CopyOwnerAndMode(file, status);
    }
    int Write(os::Handle file, const char* data, std::size_t size) override {
        return Step("write", file) ? failErrno : Files::Write(file, data, size);
    }
    int Flush(os::Handle file) override {
        return Step("flush", file) ? failErrno : Files::Flush(file);
    }
    int Close(os::Handle file) override {
        const int error = Files::Close(file); // closed whatever is injected
        return Step("close", file) ? failErrno : error;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return Step("rename") ? failErrno : Files::Rename(from, to);
    }
    int ClaimName(const std::string& from, const std::string& to) override {
        return Step("claim") ? failErrno : Files::ClaimName(from, to);
    }
    void SyncFolderOf(const std::string& path) override {
        Step("sync");
        Files::SyncFolderOf(path);
    }

private:
    int Step(const QString& name, os::Handle file = -1) {
        steps << (file < 0 || file == created_ ? name : name + "*");
        if (onStep)
            onStep(name);
        if (name != failStep || failCount == 0)
            return 0;
        --failCount;
        return failErrno;
    }
    os::Handle created_ = -1;
};

#endif

} // namespace

class FileIoTest : public QObject {
    Q_OBJECT
private slots:
    void builtInDefaults() {
        QTemporaryDir dir;
        RadioImage image;
        image.Fill(0x00);
        QVERIFY(!NewDocumentImage((dir.path() + "/").toStdString(), image));
        RadioImage cleared;
        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(cleared, n);
        for (int n = 1; n <= kChannelCount; ++n) {
            const int base = RecordOffset(n);
            if (base + 32 <= 0x1F70 || base >= 0x1F78 + 8)
                QCOMPARE(Bytes(image, base, 32), Bytes(cleared, base, 32));
        }
        QCOMPARE(Bytes(image, 0x2040, 14), QByteArray::fromHex("1eff040404ff0501030e90288a0d"));
        QCOMPARE(Bytes(image, 0x2080, 4), QByteArray::fromHex("32040202"));
        QCOMPARE(Bytes(image, 0x20B0, 3), QByteArray::fromHex("010000"));
        QCOMPARE(Bytes(image, 0x20D8, 6), QByteArray::fromHex("0a45fa0aff0e"));
        QCOMPARE(Bytes(image, 0x20E0, 16), QByteArray::fromHex("0100000e010000ffffffffffffffffff"));
        QCOMPARE(image[0x1F77], std::uint8_t(0x0A));
        // Every other byte stays 0xFF: the count of non-FF bytes is exactly
        // records + defaults.
        int nonFF = 0;
        for (std::size_t i = 0; i < kImageSize; ++i)
            nonFF += image[i] != 0xFF;
        QCOMPARE(nonFF, 258 * 9 + 33); // 9 per cleared record, 33 settings bytes
    }

    // Default.dat is used as it is (a short one leaves the rest 0xFF); one
    // that cannot be read counts as absent: the built-in defaults.
    void defaultDat() {
        QTemporaryDir dir;
        const std::string folder = (dir.path() + "/").toStdString();
        const RadioImage pattern = Filled(3);
        QVERIFY(WriteAll(dir.filePath("Default.dat"), Bytes(pattern)));
        RadioImage image;
        QVERIFY(NewDocumentImage(folder, image));
        QVERIFY(image == pattern);
        QVERIFY(WriteAll(dir.filePath("Default.dat"), Bytes(pattern, 0, 100)));
        image.Fill(0);
        QVERIFY(NewDocumentImage(folder, image));
        QCOMPARE(Bytes(image), Bytes(pattern, 0, 100) + QByteArray(16284, '\xFF'));
        QVERIFY(QFile::remove(dir.filePath("Default.dat")));
        QVERIFY(QDir(dir.path()).mkdir("Default.dat"));
        QVERIFY(!NewDocumentImage(folder, image));
        QCOMPARE(image[0x2040], std::uint8_t(0x1E));
    }

    // A longer file opens with its first 16384 bytes; its size tells that
    // there was more, and a save over it is for the caller to refuse or ask
    // about. Shorter, missing and special files are no longer files, and the
    // image stays as it was.
    void onlyAWholeImageIsOpened() {
        QTemporaryDir dir;
        const QString path = dir.filePath("short.dat");
        const RadioImage before = Filled(4);
        const struct {
            const char* name;
            QByteArray bytes; // null: no regular file of that name
            long long size;   // what LoadDatFile reports, -1 when it refuses
            long long longer; // LongerThanImage
            const char* said; // in the reason of a refusal
        } files[] = {
            {"one byte more", Bytes(Filled(5)) + '\x42', 16385, 16385, ""},
            {"two images", Bytes(Filled(5)) + Bytes(Filled(6)), 32768, 32768, ""},
            {"an image", Bytes(Filled(5)), 16384, 0, ""},
            {"one byte short", QByteArray(16383, '\x11'), -1, 0, "16383"},
            {"empty", QByteArray(""), -1, 0, ""},
            {"missing", QByteArray(), -1, 0, ""},
        };
        for (const auto& file : files) {
            QFile::remove(path);
            if (!file.bytes.isNull())
                QVERIFY(WriteAll(path, file.bytes));
            RadioImage image = before;
            std::string error;
            long long size = 0;
            QVERIFY2(LoadDatFile(path.toStdString(), image, &error, &size) == (file.size >= 0),
                     file.name);
            QVERIFY2(image == (file.size >= 0 ? Filled(5) : before), file.name);
            if (file.size >= 0)
                QCOMPARE(size, file.size);
            else
                QVERIFY2(!error.empty() && QString::fromStdString(error).contains(file.said),
                         file.name);
            QCOMPARE(LongerThanImage(path.toStdString()), file.longer);
        }
        QCOMPARE(LongerThanImage(dir.path().toStdString()), 0LL);
        const std::string note = DatFileLongerNote("x.dat", 32768);
        QVERIFY2(note.find("32768") != std::string::npos && note.find("16384") != std::string::npos,
                 note.c_str());
    }

    void unwritableTargetIsReported() {
        QTemporaryDir dir;
        QVERIFY(!Save(dir.filePath("no/such/dir/x.dat"), 6).isEmpty());
        // A target that is a directory cannot be replaced; nothing is left behind.
        const QString sub = dir.filePath("taken.dat");
        QVERIFY(QDir().mkdir(sub));
        QVERIFY(Save(sub, 6).endsWith(QString::fromLocal8Bit(std::strerror(EISDIR))));
        QVERIFY(QFileInfo(sub).isDir());
        QCOMPARE(Entries(dir), QStringList({"taken.dat"}));
        // Nor is a backup folder under a plain file, or one that is a file.
        const std::string plain = sub.toStdString() + "/plain";
        std::ofstream(plain) << "x";
        std::string reason;
        QVERIFY(!SaveBackup(plain + "/backups", "init", RadioImage(), 1765000000, reason));
        QVERIFY(!reason.empty());
        QVERIFY(!SaveBackup(plain, "init", RadioImage(), 1765000000, reason));
        // A new file whose every name is taken: refused, its temporary file gone.
        std::string claimed;
        QVERIFY(!WriteNewFile([&](int) { return plain; }, 3, "y", 1, claimed, &reason));
        QCOMPARE(QDir(sub).entryList(QDir::Files | QDir::Hidden), QStringList({"plain"}));
    }

    void factoryPassword() {
        for (const char* text : {"QDM537", "qdm537", "qDm537", "QDM53", "QDM5377", ""})
            QCOMPARE(FactoryPasswordMatches(text), std::strlen(text) == 6);
    }

    void windowsDeviceNames() { // a save on Windows refuses them (see os.h)
        for (const char* name :
             {"CON", "nul.dat", "C:\\x\\Com1.dat", "d/LPT9", "aux .txt", "prn.tar.gz", "conin$"})
            QVERIFY2(os::IsWindowsDeviceName(name), name);
        for (const char* name :
             {"COM0.dat", "COM10", "console.dat", "NUL/x.dat", "my nul.dat", "LPT", ""})
            QVERIFY2(!os::IsWindowsDeviceName(name), name);
    }

    void namesAndSuffixes() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString() + "/new/backups"; // created on demand
        RadioImage image;
        image.Fill(0x5A);
        const std::time_t now = 1765000000;
        const std::string stem = BackupStem(now, "read");
        QCOMPARE(QString::fromStdString(stem).size(), 20);
        const std::string saved[] = {stem + ".dat", stem + "-2.dat", stem + "-3.dat"};
        for (int i = 0; i < 3; ++i) {
            std::string reason, path;
            image[0] = static_cast<std::uint8_t>(i);
            QVERIFY2(SaveBackup(dir, "read", image, now, reason, &path), reason.c_str());
            QCOMPARE(path, dir + "/" + saved[i]);
        }
        for (int i = 0; i < 3; ++i) { // nothing overwritten
            image[0] = static_cast<std::uint8_t>(i);
            QCOMPARE(ReadAll(QString::fromStdString(dir + "/" + saved[i])), Bytes(image));
        }
        // Listed oldest first, "-10" after "-9" (the newest is the last).
        std::ofstream(dir + "/notes.dat") << "mine";
        std::string reason;
        QVERIFY(SaveBackup(dir, "write", image, now - 1, reason)); // an older second
        for (int i = 3; i < 10; ++i)
            QVERIFY(SaveBackup(dir, "read", image, now, reason));
        QVERIFY(SaveBackup(dir, "write", image, now, reason)); // numbered on, whatever its kind
        // Written in one instant of the file system's clock, the names decide.
        const fs::file_time_type instant = fs::file_time_type::clock::now();
        for (const auto& entry : fs::directory_iterator(dir))
            fs::last_write_time(entry.path(), instant);
        const std::vector<std::string> names = BackupFileNames(dir);
        QCOMPARE(names.size(), std::size_t(12));
        QCOMPARE(names.front(), BackupStem(now - 1, "write") + ".dat");
        QCOMPARE(names[1], stem + ".dat");
        QCOMPARE(names[10], stem + "-10.dat");
        QCOMPARE(names.back(), BackupStem(now, "write") + "-11.dat");
        QVERIFY(BackupFileNames(dir + "/missing").empty());
        const std::pair<const char*, bool> backupNames[] = {
            {"20261206-233000-write.dat", true},  {"20261206-233000-init-12.dat", true},
            {"20261206-233000-other.dat", false}, {"20261206-233000-read-.dat", false},
            {"2026120-2330000-read.dat", false},  {"mine.dat", false}};
        for (const auto& [name, isBackup] : backupNames)
            QVERIFY2(IsBackupFileName(name) == isBackup, name);
    }

    void pruning() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        std::ofstream(dir + "/notes.dat") << "mine";
        std::ofstream(dir + "/20000101-000000-other.dat") << "mine";
        // Temporary files of backups whose save was killed: only stale ones
        // of a backup's name go, a save in progress may own a fresh one.
        const fs::file_time_type now = fs::file_time_type::clock::now();
        const struct {
            const char* name;
            int ageMinutes;
            bool removed;
        } parts[] = {
            {"20261208-223905-read.dat.il5mKY.part", 120, true},
            {"20261208-223906-write-2.dat.a0B9zz.part", 61, true},
            {"20261208-223907-read.dat.Xy12ab.part", 30, false}, // another save's
            {"notes.dat.kSv4Ty.part", 120, false},               // not a backup's
            {"20261208-223905-read.dat.il5mK.part", 120, false}, // not our pattern
            {"20261208-223905-read.dat.il5-KY.part", 120, false},
        };
        for (const auto& part : parts) {
            std::ofstream(dir + "/" + part.name) << "partial";
            fs::last_write_time(dir + "/" + part.name, now - std::chrono::minutes(part.ageMinutes));
        }
        RadioImage image;
        const std::time_t start = 1765000000;
        std::string reason;
        // 203 in distinct seconds, then two more in the last second.
        for (int i = 0; i < 205; ++i)
            QVERIFY(
                SaveBackup(dir, i % 2 ? "write" : "read", image, start + std::min(i, 202), reason));
        int backups = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            backups += IsBackupFileName(entry.path().filename().string());
        QCOMPARE(backups, kBackupsKept);
        QVERIFY(fs::exists(dir + "/notes.dat"));
        QVERIFY(fs::exists(dir + "/20000101-000000-other.dat"));
        QVERIFY(
            !fs::exists(dir + "/" + BackupStem(start + 4, "read") + ".dat")); // oldest five gone
        QVERIFY(fs::exists(dir + "/" + BackupStem(start + 5, "write") + ".dat"));
        QVERIFY(fs::exists(dir + "/" + BackupStem(start + 202, "read") + "-3.dat")); // newest kept
        for (const auto& part : parts)
            QVERIFY2(fs::exists(dir + "/" + part.name) != part.removed, part.name);
    }

    // Backups named by a clock that has since moved: the order is the order
    // written. The newest-named file of a full folder was written first; the
    // new backup is the newest, and pruning removes that first one.
    void orderIsTheOrderWritten() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        const std::time_t now = 1765000000;
        const fs::file_time_type start = fs::file_time_type::clock::now() - std::chrono::hours(10);
        std::vector<std::string> names;
        RadioImage image;
        for (int i = 0; i < kBackupsKept; ++i) {
            std::string reason, path;
            const std::time_t named = i == 0 ? now + 3600 : now - kBackupsKept + i;
            QVERIFY(SaveBackup(dir, "read", image, named, reason, &path));
            fs::last_write_time(path, start + std::chrono::seconds(i));
            names.push_back(fs::path(path).filename().string());
        }
        std::string reason, path;
        QVERIFY(SaveBackup(dir, "write", image, now, reason, &path));
        const std::vector<std::string> listed = BackupFileNames(dir);
        QCOMPARE(listed.size(), std::size_t(kBackupsKept));
        QCOMPARE(listed.back(), fs::path(path).filename().string());
        for (std::size_t i = 0; i < names.size(); ++i)
            QVERIFY2(fs::exists(dir + "/" + names[i]) == (i != 0), names[i].c_str());
    }

    // Savers racing for the same second's names never take one name twice.
    void concurrentSavesKeepEveryBackup() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        constexpr int kThreads = 4, kEach = 40;
        std::vector<std::thread> threads;
        std::atomic<int> failures{0};
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < kEach; ++i) {
                    RadioImage image;
                    image[0] = static_cast<std::uint8_t>(t);
                    image[1] = static_cast<std::uint8_t>(i);
                    std::string reason;
                    failures += !SaveBackup(dir, "read", image, 1765000000, reason);
                }
            });
        for (auto& thread : threads)
            thread.join();
        QCOMPARE(failures.load(), 0);
        std::set<std::pair<int, int>> written;
        for (const std::string& name : BackupFileNames(dir)) {
            const QByteArray bytes = ReadAll(QString::fromStdString(dir + "/" + name));
            QCOMPARE(bytes.size(), int(kImageSize));
            written.insert({bytes[0], bytes[1]});
        }
        QCOMPARE(written.size(), std::size_t(kThreads * kEach));
        for (const auto& entry : fs::directory_iterator(dir)) // no temporary left
            QVERIFY2(IsBackupFileName(entry.path().filename().string()),
                     entry.path().string().c_str());
    }

    // A clock once ahead left 200 backups named in the future: the new one
    // stays, the oldest of them goes, and files that only look like backups
    // (wrong size, a link, a folder) are never counted or removed.
    void futureDatedBackupsAndLookAlikes() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        const std::time_t now = 1765000000, future = now + 10 * 365 * 86400;
        RadioImage image;
        std::string reason;
        for (int i = 0; i < kBackupsKept; ++i)
            QVERIFY(SaveBackup(dir, "read", image, future + i, reason));
        const std::string small = dir + "/" + BackupStem(now - 5, "read") + ".dat";
        const std::string link = dir + "/" + BackupStem(now - 4, "read") + ".dat";
        const std::string folder = dir + "/" + BackupStem(now - 3, "read") + ".dat";
        std::ofstream(small) << "not an image";
        fs::create_symlink(dir + "/" + BackupStem(future, "read") + ".dat", link);
        fs::create_directory(folder);
        std::string path;
        QVERIFY2(SaveBackup(dir, "write", image, now, reason, &path), reason.c_str());
        QVERIFY(fs::exists(path));
        QVERIFY(fs::exists(small) && fs::is_symlink(link) && fs::is_directory(folder));
        QVERIFY(!fs::exists(dir + "/" + BackupStem(future, "read") + ".dat"));
        QVERIFY(fs::exists(dir + "/" + BackupStem(future + 1, "read") + ".dat"));
        int own = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            own += entry.is_regular_file() && !entry.is_symlink() && entry.file_size() == kImageSize;
        QCOMPARE(own, kBackupsKept);
    }

#ifdef _WIN32
    void posixOnly() {
        QSKIP("special files and links are POSIX cases");
    }
#else
    void fifoInputsAreRefusedAtOnce() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("radio.dat");
        QVERIFY(::mkfifo(Native(fifo).constData(), 0644) == 0);
        const RadioImage before = Filled(1);
        RadioImage image = before;
        std::string error;
        test::FifoWatchdog watchdog({Native(fifo).toStdString()});
        QVERIFY(!LoadDatFile(fifo.toStdString(), image, &error));
        QVERIFY2(!watchdog.Stop(), "opening the FIFO blocked");
        QVERIFY2(QString::fromStdString(error).contains("不是普通文件"), error.c_str());
        QVERIFY(QString::fromStdString(error).contains(fifo));
        QVERIFY(image == before);
    }

    void savingIntoAFifoWritesThroughIt() {
        // The FIFO's buffer (64 KiB) takes the whole image while it waits
        // for its reader.
        QTemporaryDir dir;
        const QString fifo = dir.filePath("out.dat");
        QVERIFY(::mkfifo(Native(fifo).constData(), 0644) == 0);
        const int reader = ::open(Native(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QCOMPARE(Save(fifo, 2), QString());
        QByteArray received(int(kImageSize) + 1, '\0');
        received.resize(int(::read(reader, received.data(), size_t(received.size()))));
        ::close(reader);
        QCOMPARE(received, Bytes(Filled(2)));
        QVERIFY(S_ISFIFO(Mode(fifo)));
        QCOMPARE(Entries(dir), QStringList({"out.dat"}));
        // With no reader the save fails at once, saying so, rather than wait.
        QVERIFY(Save(fifo, 3).contains("FIFO"));
    }

    void characterDeviceIsWrittenNotReplaced() {
        // A /dev/null of its own in the temporary folder (making one needs
        // root): saving into it must leave a device, not a 16384-byte file.
        if (::geteuid() != 0)
            QSKIP("making a device node needs root; run the tests as root for this case");
        QTemporaryDir dir;
        const QString node = dir.filePath("null");
        QVERIFY(::mknod(Native(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
        QCOMPARE(Save(node, 3), QString());
        QVERIFY(S_ISCHR(Mode(node)));
        // Through a link to it: written through, the link stays.
        QVERIFY(::symlink("null", Native(dir.filePath("null.dat")).constData()) == 0);
        QCOMPARE(Save(dir.filePath("null.dat"), 7), QString());
        QVERIFY(S_ISLNK(Mode(dir.filePath("null.dat"))));
        QVERIFY(S_ISCHR(Mode(node)));
        QCOMPARE(Entries(dir), QStringList({"null", "null.dat"}));
        // A device that refuses the bytes is a failed save with its reason.
        const QString full = dir.filePath("full");
        QVERIFY(::mknod(Native(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0);
        const QString error = Save(full, 3);
        QVERIFY2(error.contains(std::strerror(ENOSPC)), qPrintable(error));
        QVERIFY(S_ISCHR(Mode(full)));
    }

    void savingThroughALinkKeepsTheLink() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("data"));
        const QString real = dir.filePath("data/real.dat");
        QVERIFY(WriteAll(real, Bytes(Filled(4))));
        QVERIFY(::chmod(Native(real).constData(), 0640) == 0);
        const QString link = dir.filePath("link.dat");
        QVERIFY(::symlink("data/real.dat", Native(link).constData()) == 0);
        QCOMPARE(Save(link, 5), QString());
        QVERIFY(S_ISLNK(Mode(link)));
        QCOMPARE(ReadAll(real), Bytes(Filled(5)));
        RadioImage image; // and read through
        std::string error;
        QVERIFY2(LoadDatFile(link.toStdString(), image, &error), error.c_str());
        QVERIFY(image == Filled(5));
        QCOMPARE(Mode(real) & 07777, mode_t(0640));
        QCOMPARE(Entries(dir), QStringList({"data", "link.dat"}));
        QCOMPARE(QDir(dir.filePath("data")).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"real.dat"}));

        // A link to a file not made yet: the file is made, the link stays.
        const QString dangling = dir.filePath("new.dat");
        QVERIFY(::symlink("data/new-target.dat", Native(dangling).constData()) == 0);
        QCOMPARE(Save(dangling, 6), QString());
        QVERIFY(S_ISLNK(Mode(dangling)));
        QCOMPARE(ReadAll(dir.filePath("data/new-target.dat")), Bytes(Filled(6)));
    }

    void temporaryFileIsUniqueAndNeverFollowsALink() {
        QTemporaryDir dir;
        // A planted evil.dat.part link must not redirect the save.
        const QString victim = dir.filePath("victim");
        QVERIFY(WriteAll(victim, "precious"));
        QVERIFY(::symlink("victim", Native(dir.filePath("evil.dat.part")).constData()) == 0);
        QCOMPARE(Save(dir.filePath("evil.dat"), 8), QString());
        QCOMPARE(ReadAll(victim), QByteArray("precious"));
        QVERIFY(S_ISLNK(Mode(dir.filePath("evil.dat.part"))));
        QCOMPARE(ReadAll(dir.filePath("evil.dat")), Bytes(Filled(8)));

        // Someone's keep.dat.part is left alone.
        QVERIFY(WriteAll(dir.filePath("keep.dat.part"), "mine"));
        QCOMPARE(Save(dir.filePath("keep.dat"), 9), QString());
        QCOMPARE(ReadAll(dir.filePath("keep.dat.part")), QByteArray("mine"));
        QCOMPARE(Entries(dir),
                 QStringList({"evil.dat", "evil.dat.part", "keep.dat", "keep.dat.part", "victim"}));

        // A name of 255 bytes still saves: its temporary name is cut to fit.
        const QString longName = QString("x").repeated(2) + QString("通").repeated(83) + ".dat";
        QCOMPARE(longName.toUtf8().size(), 255);
        QCOMPARE(Save(dir.filePath(longName), 7), QString());
        QCOMPARE(ReadAll(dir.filePath(longName)), Bytes(Filled(7)));
    }

    void permissionBitsOfTheTargetAreKept() {
        QTemporaryDir dir;
        const QString path = dir.filePath("private.dat");
        for (mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0604)}) {
            QVERIFY(WriteAll(path, "old"));
            QVERIFY(::chmod(Native(path).constData(), mode) == 0);
            QCOMPARE(Save(path, 10), QString());
            QCOMPARE(Mode(path) & 07777, mode);
        }
        // One made read-only is refused and kept, and so is one on a
        // read-only mount, with the system's reason (root may write anything:
        // then the system is asked through a seam that answers as for a user).
        // A writable file in a folder that is not names the folder.
        struct Refusing : os::Files {
            int refusal = 0;
            std::string folder;
            int ReplaceRefusal(const std::string&, std::string* in) override {
                if (in)
                    *in = folder;
                return refusal;
            }
        } refusing;
        QVERIFY(WriteAll(path, "old"));
        QVERIFY(::chmod(Native(path).constData(), 0444) == 0);
        for (const int refusal : {EACCES, EROFS, EPERM}) {
            refusing.refusal = refusal;
            refusing.folder = refusal == EPERM ? "/ro" : "";
            const bool asUser = refusal == EACCES && ::geteuid() != 0;
            std::string reason;
            QVERIFY(!WriteWholeFile(path.toStdString(), "new", 3, &reason,
                                    asUser ? os::SystemFiles() : refusing));
            const QString why = QString::fromLocal8Bit(std::strerror(refusal));
            QCOMPARE(QString::fromStdString(reason),
                     refusal == EPERM ? QStringLiteral("不能在文件夹 /ro 中建立文件：") + why
                                      : why);
            QCOMPARE(ReadAll(path), QByteArray("old"));
        }
        // A new file gets what new files get: 0666 less the umask.
        const mode_t mask = ::umask(022);
        ::umask(mask);
        const QString fresh = dir.filePath("fresh.dat");
        QCOMPARE(Save(fresh, 10), QString());
        QCOMPARE(Mode(fresh) & 07777, mode_t(0666 & ~mask));
    }

    void temporaryFileReachesTheDiskBeforeItTakesTheName() {
        // Flushed before the rename (or the claim of a new name), and the
        // folder after it: a power cut never leaves a name on missing bytes.
        QTemporaryDir dir;
        const std::string path = dir.filePath("radio.dat").toStdString();
        const RadioImage image = Filled(10);
        WatchedFiles files;
        std::string claimed;
        QVERIFY(WriteWholeFile(path, image.data(), kImageSize, nullptr, files));
        QVERIFY(WriteWholeFile(path, image.data(), kImageSize, nullptr, files));
        QVERIFY(WriteNewFile([&](int n) { return path + std::to_string(n); }, 2, image.data(),
                             kImageSize, claimed, nullptr, files));
        QCOMPARE(files.steps,
                 QStringList({"create", "write", "flush", "close", "rename", "sync", "create",
                              "chmod", "write", "flush", "close", "rename", "sync", "create",
                              "write", "flush", "close", "claim", "sync"}));
    }

    void failingSaveKeepsTheOldFileByteForByte() {
        // Every step of the save failing in turn, over an existing file and
        // for a new one: the old bytes (or no file) stay, the reason is the
        // operating system's, and no temporary file is left behind.
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.dat");
        const QString fresh = dir.filePath("fresh.dat");
        QVERIFY(WriteAll(path, Bytes(Filled(11))));
        QVERIFY(::chmod(Native(path).constData(), 0600) == 0);
        const RadioImage image = Filled(12);
        WatchedFiles files;
        for (const char* step : {"create", "chmod", "write", "flush", "close", "rename"}) {
            files.failStep = step;
            files.failCount = 1;
            std::string error;
            QVERIFY2(!WriteWholeFile(path.toStdString(), image.data(), kImageSize, &error, files),
                     step);
            QVERIFY2(QString::fromStdString(error).contains(std::strerror(EIO)), step);
            QCOMPARE(ReadAll(path), Bytes(Filled(11)));
            QCOMPARE(Mode(path) & 07777, mode_t(0600));
            QCOMPARE(Entries(dir), QStringList({"radio.dat"}));

            files.failCount = 1;
            const bool saved =
                WriteWholeFile(fresh.toStdString(), image.data(), kImageSize, &error, files);
            // A new file has no permissions to copy: that step never runs.
            QCOMPARE(saved, files.failStep == "chmod");
            if (saved)
                QVERIFY(QFile::remove(fresh));
            QCOMPARE(Entries(dir), QStringList({"radio.dat"}));
        }
        // A name taken in the meantime is skipped for another unique one.
        files.failStep = "create";
        files.failErrno = EEXIST;
        files.failCount = 3;
        std::string error;
        QVERIFY2(WriteWholeFile(path.toStdString(), image.data(), kImageSize, &error, files),
                 error.c_str());
        QCOMPARE(ReadAll(path), Bytes(Filled(12)));
        QCOMPARE(Entries(dir), QStringList({"radio.dat"}));

        // A real write failure: the file size limit stops the temporary file
        // at 4096 bytes (as a full disk would). The programs' signal set-up
        // turns SIGXFSZ into that failure.
        RemoveTemporaryFilesOnSignals();
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit limited = saved;
        limited.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        const QString reason = Save(path, 15);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY2(reason.contains(std::strerror(EFBIG)), qPrintable(reason));
        QCOMPARE(ReadAll(path), Bytes(Filled(12)));
        QCOMPARE(Entries(dir), QStringList({"radio.dat"}));
    }

    // SIGINT, SIGTERM or SIGHUP in the middle of a save (a replacing one and a new
    // backup's) ends the program as the signal does, and takes the temporary
    // file with it: the folder holds only what was there before.
    void signalDuringSaveRemovesTheTemporaryFile() {
        static int g_signal = 0;
        for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
            for (const bool newFile : {false, true}) {
                QTemporaryDir dir;
                const std::string path = dir.filePath("radio.dat").toStdString();
                QVERIFY(WriteAll(dir.filePath("radio.dat"), Bytes(Filled(1))));
                g_signal = sig;
                std::fflush(nullptr);
                const pid_t child = ::fork();
                QVERIFY(child >= 0);
                if (child == 0) {
                    RemoveTemporaryFilesOnSignals();
                    WatchedFiles files;
                    files.onStep = [](const QString& step) {
                        if (step == "flush")
                            ::raise(g_signal);
                    };
                    const RadioImage image = Filled(2);
                    std::string claimed;
                    if (newFile)
                        WriteNewFile([&](int n) { return path + std::to_string(n); }, 5,
                                     image.data(), kImageSize, claimed, nullptr, files);
                    else
                        WriteWholeFile(path, image.data(), kImageSize, nullptr, files);
                    ::_exit(0); // the signal did not end the save
                }
                int status = 0;
                QVERIFY(::waitpid(child, &status, 0) == child);
                QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == sig,
                         qPrintable(QString::number(status)));
                QCOMPARE(Entries(dir), QStringList({"radio.dat"}));
                QCOMPARE(ReadAll(dir.filePath("radio.dat")), Bytes(Filled(1)));
            }
        }
    }
#endif
};

QTEST_APPLESS_MAIN(FileIoTest)
#include "test_file_io.moc"
