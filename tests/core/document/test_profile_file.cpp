// SPDX-License-Identifier: GPL-3.0-or-later
// Program.ini: lookups, one-entry edits that keep every other byte, the file
// next to the program with its per-user fallback, and the file shipped with
// the program.
#include <QtTest>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/codec/gb18030.h"
#include "core/document/app_directory.h"
#include "core/document/file_io.h"
#include "core/document/profile_file.h"
#include "core/forms/profile.h"
#include "support/image_bytes.h"

using namespace kestra;
using test::ReadAll;
using test::WriteAll;

namespace {

std::string Value(const std::string& text, const char* section, const char* key) {
    std::string value;
    if (!FindProfileValue(text, section, key, value))
        return "<missing>";
    return value;
}

// What a ProfileFile reads for key in section.
std::string Got(const ProfileFile& file, const char* section, const char* key) {
    std::string value;
    return file.Get(section, key, value) ? value : "<missing>";
}

const char* const kCommented = "; Kestra settings\n"
                               "[Setup]\n"
                               "  ; the port\n"
                               "COM = 3\n"
                               "Type=K52;X\n"
                               "\n"
                               "; paths and lists are plain text\n"
                               "[Paths]\n"
                               "Dir=C:\\dir\\x\n"
                               "List=V1,2\n";

// text in the encoding named, by iconv (the system's own encoder).
QByteArray Iconv(const QByteArray& text, const char* to) {
    QProcess iconv;
    iconv.start("iconv", {"-f", "UTF-8", "-t", to});
    if (!iconv.waitForStarted())
        return "<no iconv>";
    iconv.write(text);
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    return iconv.exitCode() == 0 ? iconv.readAllStandardOutput() : QByteArray("<iconv failed>");
}

} // namespace

class ProfileFileTest : public QObject {
    Q_OBJECT
private slots:
    void valuesAreTheRawTextAfterTheEqualsSign() {
        const std::string text = kCommented;
        // Section and key names ignore letter case; a key belongs to its own
        // section only; comments are no entries.
        const char* const lookups[][3] = {
            {"Setup", "Type", "K52;X"},  {"Setup", "COM", "3"},          {"Paths", "Dir", "C:\\dir\\x"},
            {"Paths", "List", "V1,2"},   {"SETUP", "type", "K52;X"},     {"paths", "dIR", "C:\\dir\\x"},
            {"Setup", "Dir", "<missing>"}, {"Paths", "; the port", "<missing>"},
            {"Setup", "Missing", "<missing>"}};
        for (const auto& l : lookups)
            QCOMPARE(Value(text, l[0], l[1]), std::string(l[2]));
        QCOMPARE(Value("", "Setup", "COM"), std::string("<missing>"));
        // Blanks around the value go, an empty value is a value, the first
        // entry wins, a byte order mark and CRLF are no part of any name.
        QCOMPARE(Value("[A]\nk=\t x y \t\n", "A", "k"), std::string("x y"));
        QCOMPARE(Value("[A]\nk=\n", "A", "k"), std::string());
        QCOMPARE(Value("[A]\nk=1\n[a]\nk=2\nj=3\n", "A", "k"), std::string("1"));
        QCOMPARE(Value("[A]\nk=1\n[a]\nk=2\nj=3\n", "A", "j"), std::string("3"));
        QCOMPARE(Value("\xEF\xBB\xBF[Setup]\r\nCOM=7\r\n", "Setup", "COM"), std::string("7"));
        QCOMPARE(Value("k=1\n[A]\n", "A", "k"), std::string("<missing>"));
    }

    void writingOneEntryKeepsEveryOtherByte() {
        const std::string commented = kCommented;
        std::string replaced = commented;
        replaced.replace(replaced.find("COM = 3"), 7, "COM = 12");
        // Name, text before, section, key, value, text after.
        using Case = std::tuple<const char*, std::string, const char*, const char*, const char*,
                                std::string>;
        const Case cases[] = {
            {"replace keeps comments and other values", commented, "setup", "com", "12", replaced},
            {"add to the end of its section", commented, "Paths", "New", "a;b",
             std::string(kCommented) + "New=a;b\n"},
            {"add before the blank line and comment ending a section", commented, "Setup", "New",
             "1",
             [] {
                 std::string t = kCommented;
                 return t.insert(t.find("\n\n; paths") + 1, "New=1\n");
             }()},
            {"add the section", commented, "About", "Version", "V1.0",
             commented + "[About]\nVersion=V1.0\n"},
            {"CRLF file", "[Setup]\r\nCOM=1\r\n", "Setup", "Type", "K52",
             "[Setup]\r\nCOM=1\r\nType=K52\r\n"},
            {"CRLF section added", "; c\r\n", "Setup", "COM", "2", "; c\r\n[Setup]\r\nCOM=2\r\n"},
            {"no final line break", "[Setup]\nCOM=1", "Setup", "Type", "K",
             "[Setup]\nCOM=1\nType=K"},
            {"no final line break, new section", "; c", "A", "k", "v", "; c\n[A]\nk=v\n"},
            {"empty file", "", "Setup", "COM", "5", "[Setup]\nCOM=5\n"},
            {"replace a CRLF line", "[A]\r\nk=1   \r\nj=2\r\n", "A", "k", "9",
             "[A]\r\nk=9\r\nj=2\r\n"},
            {"empty value replaced", "[A]\nk=  \n", "A", "k", "x", "[A]\nk=  x\n"},
            {"header without entries", "[A]\n\n[B]\n", "A", "k", "1", "[A]\nk=1\n\n[B]\n"},
            {"two sections of one name: the first", "[A]\nk=1\n[a]\nj=3\n", "a", "n", "2",
             "[A]\nk=1\nn=2\n[a]\nj=3\n"},
        };
        for (const auto& [name, before, section, key, value, after] : cases) {
            std::string text = before;
            QVERIFY2(SetProfileValue(text, section, key, value), name);
            QVERIFY2(text == after, (std::string(name) + ": " + text).c_str());
            QVERIFY2(Value(text, section, key) == value, name);
        }
        // What would not read back as written is refused, changing nothing.
        const char* refused[][3] = {{"", "k", "v"},   {"A", "", "v"},     {"A]", "k", "v"},
                                    {"A", "k=", "v"}, {"A", "k", "v\nx"}, {"A", "k\r", "v"},
                                    {"A", ";k", "v"}, {"A", "[k", "v"},   {" A", "k", "v"},
                                    {"A", "k ", "v"}};
        for (const auto& r : refused) {
            std::string text = commented;
            QVERIFY2(!SetProfileValue(text, r[0], r[1], r[2]), r[1]);
            QCOMPARE(text, commented);
        }
    }

    void profileInt() {
        const std::pair<const char*, int> cases[] = {
            {"12abc", 12}, {" 42 ", 42}, {"+7", 7},  {"-3", 0},
            {"abc", 0},    {"", 0},      {"99999999999", 2147483647}};
        for (const auto& [text, value] : cases)
            QCOMPARE(ProfileInt(text), value);
    }

    void fileNextToTheProgram() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        int userAsked = 0;
        auto user = [&userAsked] {
            ++userAsked;
            return std::string();
        };
        // A missing file is created empty; every lookup misses.
        {
            ProfileFile file(path.toStdString(), user);
            QCOMPARE(QString::fromStdString(file.Path()), path);
            QCOMPARE(ReadAll(path), QByteArray());
            QCOMPARE(Got(file, "Setup", "COM"), std::string("<missing>"));
        }
        // A written entry changes only its line, through a rename: nothing
        // else is left in the folder.
        QVERIFY(WriteAll(path, kCommented));
        ProfileFile file(path.toStdString(), user);
        QVERIFY(file.Set("Setup", "COM", "12"));
        QByteArray expected = kCommented;
        expected.replace("COM = 3", "COM = 12");
        QCOMPARE(ReadAll(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Program.ini"}));
        QCOMPARE(userAsked, 0);
        // A file removed after start-up is made again by the next write.
        QVERIFY(QFile::remove(path));
        QVERIFY(file.Set("Setup", "COM", "4"));
        QCOMPARE(ReadAll(path), QByteArray("[Setup]\nCOM=4\n"));
        // A file over 1 MiB is no settings file: neither read nor cut short.
        const QByteArray huge = "[Setup]\nCOM=7\n" + QByteArray(1 << 20, ';');
        QVERIFY(WriteAll(path, huge));
        QCOMPARE(Got(file, "Setup", "COM"), std::string("<missing>"));
        QVERIFY(!file.Set("Setup", "COM", "5"));
        QVERIFY(ReadAll(path) == huge);
#ifndef _WIN32
        // A write the system refuses gives its reason (a file size limit
        // stands in for a full disk: it binds root too).
        QVERIFY(WriteAll(path, kCommented));
        RemoveTemporaryFilesOnSignals(); // a write past the limit fails instead of ending us
        struct rlimit saved, limited;
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        limited = saved;
        limited.rlim_cur = 4;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        std::string reason;
        const bool written = file.Set("Setup", "COM", "6", &reason);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QVERIFY2(reason.find(std::strerror(EFBIG)) != std::string::npos, reason.c_str());
        QVERIFY(ReadAll(path) == kCommented);
#endif
    }

    void userFileWhenTheProgramFolderCannotTakeIt() {
#ifdef _WIN32
        QSKIP("POSIX permissions");
#else
        QTemporaryDir dir;
        const std::string userPath = dir.filePath("user/Program.ini").toStdString();
        QVERIFY(QDir(dir.path()).mkdir("user"));
        auto user = [&userPath] { return userPath; };

        // No file can be made where the program's "folder" is a file.
        QVERIFY(WriteAll(dir.filePath("notadir"), ""));
        ProfileFile blocked(dir.filePath("notadir/Program.ini").toStdString(), user);
        QCOMPARE(blocked.Path(), userPath);
        QVERIFY(blocked.FallbackPath().empty());
        QVERIFY(blocked.Set("Setup", "COM", "9"));
        QCOMPARE(ReadAll(QString::fromStdString(userPath)), QByteArray("[Setup]\nCOM=9\n"));

        // Nor where a FIFO takes its name: reading it would wait for a writer
        // for ever, so it counts as absent.
        const QString fifo = dir.filePath("Program.ini");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        ProfileFile piped(fifo.toStdString(), user);
        QCOMPARE(piped.Path(), userPath);
        QVERIFY(piped.FallbackPath().empty());
        QCOMPARE(Got(piped, "Setup", "COM"), std::string("9"));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

        // A read-only program folder: its file is read after the user's.
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        const QString shipped = dir.filePath("ro/Program.ini");
        QVERIFY(WriteAll(shipped, "[Setup]\nCOM=1\nType=QVN-K52\n"));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0555) == 0);
        if (::geteuid() == 0) {
            // Root writes anywhere: the program's own file keeps taking writes.
            ProfileFile file(shipped.toStdString(), user);
            QCOMPARE(QString::fromStdString(file.Path()), shipped);
        } else {
            ProfileFile file(shipped.toStdString(), user);
            QCOMPARE(file.Path(), userPath);
            QCOMPARE(QString::fromStdString(file.FallbackPath()), shipped);
            QCOMPARE(Got(file, "Setup", "COM"), std::string("9")); // the user's file first
            QCOMPARE(Got(file, "Setup", "Type"), std::string("QVN-K52"));
        }
        ::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0755);
#endif
    }

    // GB 18030 both ways, against iconv: ASCII, GB 2312 and GBK hanzi (the
    // last four with the trail bytes 0x40, 0x7E, 0x80 and 0xFE), symbols and
    // letters of the four-byte ranges, characters beyond the Basic
    // Multilingual Plane.
    void gb18030AgreesWithIconv() {
        for (const char* text : {"COM=3", "对讲机 写频软件", "镕堃亖丂亊亐侢", "ÿ€ɑ¥ﾟ", "😀𠀀𤭢",
                                 "Ａ١ā\u0080"}) {
            const QByteArray gb = Iconv(text, "GB18030");
            std::string utf8, back;
            QVERIFY2(Gb18030ToUtf8(gb.toStdString(), utf8), text);
            QCOMPARE(QString::fromStdString(utf8), QString::fromUtf8(text));
            QVERIFY(Utf8ToGb18030(text, back));
            QCOMPARE(QByteArray::fromStdString(back), gb);
        }
        std::string utf8;
        QVERIFY(!Gb18030ToUtf8("A\x80" "B\xFF\x81", utf8)); // not GB 18030: replaced, rest kept
        QCOMPARE(utf8, std::string("A\uFFFD" "B\uFFFD\uFFFD"));
        // Overlong, a surrogate, beyond U+10FFFF; then U+5BF9 and U+40000.
        for (const char* bad :
             {"\xC0\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
            QVERIFY(!IsUtf8(bad));
        QVERIFY(IsUtf8("对") && IsUtf8("\xF1\x80\x80\x80"));
    }

    // A Program.ini a Windows program wrote in GBK: read as UTF-8 text, an
    // entry changed in place keeps the file in GBK, and a profile quoting
    // the raw name in a comment line is still read.
    void legacyChineseSettingsFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        const QByteArray utf8 = "; 设置\r\n[Setup]\r\nCOM=3\r\nType=对讲机K52\r\n"
                                "[About]\r\nCompany=某某电子公司\r\n";
        const QByteArray gbk = Iconv(utf8, "GBK");
        QVERIFY(gbk != utf8 && !IsUtf8(gbk.toStdString()));
        QVERIFY(WriteAll(path, gbk));
        std::string v;
        QVERIFY(ReadProfileValue(path.toStdString(), "Setup", "Type", v));
        QCOMPARE(QString::fromStdString(v), QString("对讲机K52"));
        ProfileFile file(path.toStdString(), nullptr);
        QCOMPARE(QString::fromStdString(Got(file, "About", "Company")), QString("某某电子公司"));
        QVERIFY(file.Set("Setup", "COM", "7"));
        QCOMPARE(ReadAll(path), Iconv(QByteArray(utf8).replace("COM=3", "COM=7"), "GBK"));

        std::vector<forms::ProfileSection> sections;
        std::string error;
        const std::string profile = "; 机型=" + Iconv("对讲机K52", "GBK").toStdString() +
                                    "\n[fm]\n当前信道=3\n";
        QVERIFY2(forms::ParseProfile(profile, "p", sections, error), error.c_str());
        QCOMPARE(sections.size(), std::size_t(1));
    }

    // An installed program: no file beside it, the packaged defaults in
    // share/kestra/. It reads the user's file, then the defaults, and writes
    // only the user's; a Program.ini beside the program still wins.
    void installedProgramKeepsSettingsInTheUserFolder() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("usr/bin");
        QDir(dir.path()).mkpath("usr/share/kestra");
        QDir(dir.path()).mkpath("home");
        const std::string bin = dir.filePath("usr/bin/").toStdString();
        const QString packaged = dir.filePath("usr/share/kestra/Program.ini");
        const std::string user = dir.filePath("home/Program.ini").toStdString();
        QVERIFY(WriteAll(packaged, "[Setup]\nCOM=1\nType=QVN-K52\n"));
        const std::string data = PackagedDataDirectory(bin);
        QCOMPARE(QFileInfo(QString::fromStdString(data + "Program.ini")).canonicalFilePath(),
                 QFileInfo(packaged).canonicalFilePath());
        QCOMPARE(PackagedDataDirectory(dir.filePath("home/").toStdString()), std::string());
        {
            ProfileFile file(bin + "Program.ini", [&] { return user; }, data + "Program.ini");
            QCOMPARE(file.Path(), user);
            QVERIFY(file.Set("Setup", "COM", "5"));
            QCOMPARE(Got(file, "Setup", "COM"), std::string("5"));
            QCOMPARE(Got(file, "Setup", "Type"), std::string("QVN-K52"));
        }
        QCOMPARE(QDir(QString::fromStdString(bin)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(ReadAll(packaged), QByteArray("[Setup]\nCOM=1\nType=QVN-K52\n"));
        QVERIFY(WriteAll(QString::fromStdString(bin + "Program.ini"), "[Setup]\nType=Mine\n"));
        ProfileFile beside(bin + "Program.ini", [&] { return user; }, data + "Program.ini");
        QCOMPARE(beside.Path(), bin + "Program.ini");

        // Default.dat and the bitmaps: beside the program, the user's folder,
        // the packaged folder, in that order.
        const ProgramFolders folders{bin, dir.filePath("home/").toStdString(), data};
        QCOMPARE(FindProgramFile(folders, "startup.bmp"), std::string());
        QVERIFY(WriteAll(QString::fromStdString(data + "startup.bmp"), "d"));
        QCOMPARE(FindProgramFile(folders, "startup.bmp"), data + "startup.bmp");
        QVERIFY(WriteAll(QString::fromStdString(folders.user + "startup.bmp"), "u"));
        QCOMPARE(FindProgramFile(folders, "startup.bmp"), folders.user + "startup.bmp");
        QVERIFY(WriteAll(QString::fromStdString(bin + "startup.bmp"), "p"));
        QCOMPARE(FindProgramFile(folders, "startup.bmp"), bin + "startup.bmp");
    }

    void shippedFileNamesTheModelAndFillsTheAboutBox() {
        // The Program.ini that is built next to the programs: a fresh install
        // shows a labelled tree root and a filled about box.
        for (const char* dirName : {KESTRA_CLI_DIR, KESTRA_UI_DIR}) {
            if (!*dirName)
                continue;
            const QString path = QString::fromUtf8(dirName) + "/Program.ini";
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
            ProfileFile file(path.toStdString(), nullptr);
            QCOMPARE(Got(file, "Setup", "Type"), std::string("QVN-K52"));
            QCOMPARE(Got(file, "Setup", "COM"), std::string("1"));
            const std::string version = Got(file, "About", "Version");
            QVERIFY2(QString::fromStdString(version).contains(KESTRA_VERSION), version.c_str());
            for (const char* key : {"Copyright", "Company"}) {
                const std::string text = Got(file, "About", key);
                QVERIFY2(!text.empty() && text != "<missing>", key);
            }
        }
    }
};

QTEST_APPLESS_MAIN(ProfileFileTest)
#include "test_profile_file.moc"
