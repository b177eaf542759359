// Program.ini: lookups, one-entry edits that keep every other byte, the file
// next to the program with its per-user fallback, and the file shipped with
// the program.
#include <QtTest>

#include <QTemporaryDir>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/document/profile_file.h"

using namespace kestra;

namespace {

std::string Value(const std::string& text, const char* section, const char* key) {
    std::string value;
    if (!FindProfileValue(text, section, key, value))
        return "<missing>";
    return value;
}

std::string ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<none>");
}

void WriteAll(const QString& path, const std::string& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
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

} // namespace

class ProfileFileTest : public QObject {
    Q_OBJECT
private slots:
    void valuesAreTheRawTextAfterTheEqualsSign() {
        const std::string text = kCommented;
        QCOMPARE(Value(text, "Setup", "Type"), std::string("K52;X"));
        QCOMPARE(Value(text, "Setup", "COM"), std::string("3"));
        QCOMPARE(Value(text, "Paths", "Dir"), std::string("C:\\dir\\x"));
        QCOMPARE(Value(text, "Paths", "List"), std::string("V1,2"));
        // Section and key names ignore letter case.
        QCOMPARE(Value(text, "SETUP", "type"), std::string("K52;X"));
        QCOMPARE(Value(text, "paths", "dIR"), std::string("C:\\dir\\x"));
        // A key belongs to its own section only; comments are no entries.
        QCOMPARE(Value(text, "Setup", "Dir"), std::string("<missing>"));
        QCOMPARE(Value(text, "Paths", "; the port"), std::string("<missing>"));
        QCOMPARE(Value(text, "Setup", "Missing"), std::string("<missing>"));
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
        struct Case {
            const char* name;
            std::string before;
            const char* section;
            const char* key;
            const char* value;
            std::string after;
        };
        const std::string commented = kCommented;
        std::string replaced = commented;
        replaced.replace(replaced.find("COM = 3"), 7, "COM = 12");
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
        };
        for (const Case& c : cases) {
            std::string text = c.before;
            QVERIFY2(SetProfileValue(text, c.section, c.key, c.value), c.name);
            QVERIFY2(text == c.after, (std::string(c.name) + ": " + text).c_str());
            QVERIFY2(Value(text, c.section, c.key) == c.value, c.name);
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
        const std::pair<const char*, int> cases[] = {{"12abc", 12},
                                                     {" 42 ", 42},
                                                     {"+7", 7},
                                                     {"-3", 0},
                                                     {"abc", 0},
                                                     {"", 0},
                                                     {"99999999999", 2147483647}};
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
            QCOMPARE(ReadAll(path), std::string());
            std::string v;
            QVERIFY(!file.Get("Setup", "COM", v));
        }
        // A written entry changes only its line, through a rename: nothing
        // else is left in the folder.
        WriteAll(path, kCommented);
        ProfileFile file(path.toStdString(), user);
        QVERIFY(file.Set("Setup", "COM", "12"));
        std::string expected = kCommented;
        expected.replace(expected.find("COM = 3"), 7, "COM = 12");
        QCOMPARE(ReadAll(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Program.ini"}));
        std::string v;
        QVERIFY(file.Get("SETUP", "type", v));
        QCOMPARE(v, std::string("K52;X"));
        QCOMPARE(userAsked, 0);
        // A file removed after start-up is made again by the next write.
        QVERIFY(QFile::remove(path));
        QVERIFY(file.Set("Setup", "COM", "4"));
        QCOMPARE(ReadAll(path), std::string("[Setup]\nCOM=4\n"));
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
        WriteAll(dir.filePath("notadir"), "");
        ProfileFile blocked(dir.filePath("notadir/Program.ini").toStdString(), user);
        QCOMPARE(blocked.Path(), userPath);
        QVERIFY(blocked.FallbackPath().empty());
        QVERIFY(blocked.Set("Setup", "COM", "9"));
        QCOMPARE(ReadAll(QString::fromStdString(userPath)), std::string("[Setup]\nCOM=9\n"));

        // A read-only program folder: its file is read after the user's.
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        const QString shipped = dir.filePath("ro/Program.ini");
        WriteAll(shipped, "[Setup]\nCOM=1\nType=QVN-K52\n");
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0555) == 0);
        if (::geteuid() == 0) {
            // Root writes anywhere: the program's own file keeps taking writes.
            ProfileFile file(shipped.toStdString(), user);
            QCOMPARE(QString::fromStdString(file.Path()), shipped);
        } else {
            ProfileFile file(shipped.toStdString(), user);
            QCOMPARE(file.Path(), userPath);
            QCOMPARE(QString::fromStdString(file.FallbackPath()), shipped);
            std::string v;
            QVERIFY(file.Get("Setup", "COM", v));
            QCOMPARE(v, std::string("9")); // the user's file first
            QVERIFY(file.Get("Setup", "Type", v));
            QCOMPARE(v, std::string("QVN-K52"));
        }
        ::chmod(QFile::encodeName(dir.filePath("ro")).constData(), 0755);
#endif
    }

    void fifoAsSettingsFileIsIgnored() {
#ifdef _WIN32
        QSKIP("FIFOs are POSIX");
#else
        // Reading a FIFO would wait for a writer for ever: it counts as absent
        // and the writes go to the user's file.
        QTemporaryDir dir;
        const QString fifo = dir.filePath("Program.ini");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        const std::string userPath = dir.filePath("user.ini").toStdString();
        ProfileFile file(fifo.toStdString(), [&userPath] { return userPath; });
        QCOMPARE(file.Path(), userPath);
        QVERIFY(file.FallbackPath().empty());
        std::string v;
        QVERIFY(!file.Get("Setup", "COM", v));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
#endif
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
            std::string v;
            QVERIFY(file.Get("Setup", "Type", v));
            QCOMPARE(v, std::string("QVN-K52"));
            QVERIFY(file.Get("Setup", "COM", v));
            QCOMPARE(ProfileInt(v), 1);
            QVERIFY(file.Get("About", "Version", v));
            QVERIFY2(QString::fromStdString(v).contains(KESTRA_VERSION), v.c_str());
            QVERIFY(file.Get("About", "Copyright", v) && !v.empty());
            QVERIFY(file.Get("About", "Company", v) && !v.empty());
        }
    }
};

QTEST_APPLESS_MAIN(ProfileFileTest)
#include "test_profile_file.moc"
