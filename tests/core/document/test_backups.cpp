// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic backups: names, same-second suffixes, pruning, failures.
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "core/document/backups.h"

#include <atomic>

using namespace kestra;
namespace fs = std::filesystem;

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void namesAndSuffixes() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString() + "/new/backups"; // created on demand
        RadioImage image;
        image.Fill(0x5A);
        const std::time_t now = 1765000000;
        std::vector<std::string> paths;
        for (int i = 0; i < 3; ++i) {
            std::string reason, path;
            image[0] = static_cast<std::uint8_t>(i);
            QVERIFY2(SaveBackup(dir, "read", image, now, reason, &path), reason.c_str());
            paths.push_back(path);
        }
        const std::string stem = BackupStem(now, "read");
        QCOMPARE(QString::fromStdString(stem).size(), 20);
        QCOMPARE(fs::path(paths[0]).filename().string(), stem + ".dat");
        QCOMPARE(fs::path(paths[1]).filename().string(), stem + "-2.dat");
        QCOMPARE(fs::path(paths[2]).filename().string(), stem + "-3.dat");
        for (int i = 0; i < 3; ++i) { // nothing overwritten
            std::ifstream in(paths[static_cast<std::size_t>(i)], std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            QCOMPARE(bytes.size(), kImageSize);
            QCOMPARE(static_cast<int>(bytes[0]), i);
        }
        // Listed oldest first, "-10" after "-9" (the newest is the last).
        std::ofstream(dir + "/notes.dat") << "mine";
        std::string reason;
        QVERIFY(SaveBackup(dir, "write", image, now - 1, reason)); // an older second
        for (int i = 3; i < 10; ++i)
            QVERIFY(SaveBackup(dir, "read", image, now, reason));
        const std::vector<std::string> names = BackupFileNames(dir);
        QCOMPARE(names.size(), std::size_t(11));
        QCOMPARE(names.front(), BackupStem(now - 1, "write") + ".dat");
        QCOMPARE(names[1], stem + ".dat");
        QCOMPARE(names[9], stem + "-9.dat");
        QCOMPARE(names.back(), stem + "-10.dat");
        QVERIFY(BackupFileNames(dir + "/missing").empty());
        QVERIFY(IsBackupFileName("20261206-233000-write.dat"));
        QVERIFY(IsBackupFileName("20261206-233000-init-12.dat"));
        QVERIFY(!IsBackupFileName("20261206-233000-other.dat"));
        QVERIFY(!IsBackupFileName("20261206-233000-read-.dat"));
        QVERIFY(!IsBackupFileName("2026120-2330000-read.dat"));
        QVERIFY(!IsBackupFileName("mine.dat"));
    }

    void pruning() {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        std::ofstream(dir + "/notes.dat") << "mine";
        std::ofstream(dir + "/20000101-000000-other.dat") << "mine";
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
        QVERIFY(fs::exists(dir + "/" + BackupStem(start + 202, "read") + "-2.dat")); // newest kept
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
            std::ifstream in(dir + "/" + name, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), {});
            QCOMPARE(bytes.size(), kImageSize);
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

    void unwritableFolder() {
        QTemporaryDir tmp;
        const std::string file = tmp.path().toStdString() + "/plain";
        std::ofstream(file) << "x";
        RadioImage image;
        std::string reason;
        QVERIFY(!SaveBackup(file + "/backups", "init", image, 1765000000, reason));
        QVERIFY(!reason.empty());
        QVERIFY(!SaveBackup(file, "init", image, 1765000000, reason));
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
