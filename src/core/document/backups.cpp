// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/backups.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/codec/text_seam.h"
#include "core/document/file_io.h"
#include "core/os/os.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 strings; a narrow path would be read in the ANSI code page
// on Windows.
fs::path Utf8Path(const std::string& path) {
    return fs::u8path(path);
}

bool AllDigits(const std::string& s, std::size_t from, std::size_t count) {
    if (from + count > s.size())
        return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    return true;
}

constexpr int kBackupNameAttempts = 1000;

// "YYYYMMDD-HHMMSS" of a backup's name.
constexpr std::size_t kSecondLength = 15;

// The same-second number of a backup's name: 1 without a suffix, N for
// "-N" (at most a billion, so that counting on from it cannot overflow).
int BackupNumber(const std::string& name) {
    const std::size_t dash = name.find('-', kSecondLength + 1);
    if (dash == std::string::npos)
        return 1;
    const long long n = std::strtoll(name.c_str() + dash + 1, nullptr, 10);
    return static_cast<int>(std::min(n, 1000000000LL));
}

// A file Kestra wrote as a backup: its name, and a regular file (not a link)
// of exactly one image.
bool IsOwnBackup(const fs::path& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    return !ec && st.type() == fs::file_type::regular && fs::file_size(path, ec) == kImageSize &&
           !ec;
}

// A save's temporary file this old is left over from a save that was killed
// (kill -9, a power cut): no running save takes that long.
constexpr auto kStaleTemporaryAge = std::chrono::hours(1);

// Removes the temporary files of backups that were never finished: only
// regular files named after a backup, and only stale ones, so that a backup
// another program is saving at this moment is left alone.
void RemoveStaleTemporaries(const std::string& dir) {
    const fs::file_time_type staleBefore = fs::file_time_type::clock::now() - kStaleTemporaryAge;
    std::vector<fs::path> stale;
    std::error_code ec;
    for (fs::directory_iterator it(Utf8Path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::string target;
        std::error_code fileEc;
        if (!IsTemporaryFileName(it->path().filename().u8string(), &target) ||
            !IsBackupFileName(target) ||
            fs::symlink_status(it->path(), fileEc).type() != fs::file_type::regular)
            continue;
        const fs::file_time_type written = fs::last_write_time(it->path(), fileEc);
        if (!fileEc && written < staleBefore)
            stale.push_back(it->path());
    }
    for (const fs::path& path : stale)
        fs::remove(path, ec);
}

// Removes the oldest of Kestra's own backups until kBackupsKept are left;
// the backup just written (keep) is never one of them, even when a file
// written later names an earlier time. Stale temporary files of backups go
// too.
void PruneBackups(const std::string& dir, const std::string& keep) {
    RemoveStaleTemporaries(dir);
    std::vector<std::string> names;
    for (const std::string& name : BackupFileNames(dir))
        if (name == keep || IsOwnBackup(Utf8Path(dir) / Utf8Path(name)))
            names.push_back(name);
    const auto kept = static_cast<std::size_t>(kBackupsKept);
    std::size_t excess = names.size() > kept ? names.size() - kept : 0;
    std::error_code ec;
    for (std::size_t i = 0; excess > 0 && i < names.size(); ++i) {
        if (names[i] == keep)
            continue;
        fs::remove(Utf8Path(dir) / Utf8Path(names[i]), ec);
        --excess;
    }
}

} // namespace

std::string BackupStem(std::time_t now, const std::string& kind) {
    const std::tm local = os::LocalTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return std::string(text) + "-" + kind;
}

std::vector<std::string> BackupFileNames(const std::string& dir) {
    struct Entry {
        std::string name;
        fs::file_time_type written;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(Utf8Path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        std::error_code fileEc;
        if (!IsBackupFileName(name) || !it->is_regular_file(fileEc))
            continue;
        const fs::file_time_type written = fs::last_write_time(it->path(), fileEc);
        entries.push_back({name, fileEc ? fs::file_time_type::min() : written});
    }
    // The names are local time: a clock or time zone that moved makes them
    // lie about which came last. Written order decides; within one tick of
    // the file system's clock the names do, "-2" before "-10" by number.
    std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        if (x.written != y.written)
            return x.written < y.written;
        const std::string& a = x.name;
        const std::string& b = y.name;
        const int second = a.compare(0, kSecondLength, b, 0, kSecondLength);
        if (second != 0)
            return second < 0;
        const int na = BackupNumber(a), nb = BackupNumber(b);
        return na != nb ? na < nb : a < b;
    });
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (Entry& e : entries)
        names.push_back(std::move(e.name));
    return names;
}

bool IsBackupFileName(const std::string& name) {
    // YYYYMMDD-HHMMSS-KIND[-N].dat
    if (name.size() < 20 || !AllDigits(name, 0, 8) || name[8] != '-' || !AllDigits(name, 9, 6) ||
        name[15] != '-' || name.compare(name.size() - 4, 4, ".dat") != 0)
        return false;
    std::string rest = name.substr(16, name.size() - 20);
    const std::size_t dash = rest.find('-');
    if (dash != std::string::npos) {
        if (!AllDigits(rest, dash + 1, rest.size() - dash - 1) || dash + 1 == rest.size())
            return false;
        rest.resize(dash);
    }
    return rest == "read" || rest == "write" || rest == "init" || rest == "calibration" ||
           rest == "decoder";
}

bool SaveBackup(const std::string& dir, const std::string& kind, const RadioImage& image,
                std::time_t now, std::string& reason, std::string* savedPath) {
    try {
        std::error_code ec;
        fs::create_directories(Utf8Path(dir), ec);
        if (ec || !fs::is_directory(Utf8Path(dir), ec)) {
            reason = ec ? FillIn(TranslateText(KESTRA_TEXT("kestra", "无法创建备份文件夹“%1”：%2")),
                                 {dir, ec.message()})
                        : FillIn(TranslateText(KESTRA_TEXT("kestra", "无法创建备份文件夹“%1”")), {dir});
            return false;
        }
        const std::string stem = BackupStem(now, kind);
        // Numbered after every backup of that second, whatever its kind, so
        // that the names tell the order in which they were written.
        int taken = 0;
        for (const std::string& name : BackupFileNames(dir))
            if (name.compare(0, kSecondLength, stem, 0, kSecondLength) == 0)
                taken = std::max(taken, BackupNumber(name));
        auto nameFor = [&](int attempt) {
            const int n = taken + attempt;
            return (Utf8Path(dir) /
                    Utf8Path(stem + (n > 1 ? "-" + std::to_string(n) : "") + ".dat"))
                .u8string();
        };
        std::string path, why;
        if (!WriteNewFile(nameFor, kBackupNameAttempts, image.data(), kImageSize, path, &why)) {
            reason = FillIn(TranslateText(KESTRA_TEXT("kestra", "无法写入备份“%1”：%2")), {nameFor(1), why});
            return false;
        }
        if (savedPath)
            *savedPath = path;
        PruneBackups(dir, Utf8Path(path).filename().u8string());
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
        return false;
    }
}

} // namespace kestra
