// SPDX-License-Identifier: GPL-3.0-or-later
// Passes random images through what `kestra-cli resave` does (open, render
// the grid, convert it back and finalise, save), twice, and counts crashes,
// failures and images whose second resave differs from the first. Meant for
// the sanitizer build.
//
//   resave_fuzz [--count N] [--seed S] [--cli PATH --cli-every K]
//
// With --cli, every K-th image also goes through the program itself, whose
// output must equal the in-process result byte for byte. Exit status 0 when
// every resave succeeded, gave what a second resave gives, and matched; 1
// otherwise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "../support/form_images.h"
#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/document/file_io.h"
#include "core/grid/channel_grid.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace kestra;

namespace {

struct Options {
    long count = 3000;
    unsigned long long seed = 1;
    std::string cli;
    long cliEvery = 100;
};

// Four kinds of input: uniform noise, the built-in image with a few bytes
// changed, the built-in image with noise over a third of the channel records,
// and the built-in image with every record filled from a small set of edge
// values.
RadioImage FuzzImage(std::mt19937_64& random, long i) {
    if (i % 4 == 0)
        return RandomImage(random);
    RadioImage image = BuiltInImage();
    std::uniform_int_distribution<int> byte(0, 255);
    if (i % 4 == 1) {
        const int flips = 1 + static_cast<int>(random() % 64);
        for (int f = 0; f < flips; ++f)
            image[random() % kImageSize] = static_cast<std::uint8_t>(byte(random));
        return image;
    }
    static const std::uint8_t kEdges[] = {0x00, 0x01, 0x09, 0x0A, 0x10, 0x3F, 0x7F,
                                          0x80, 0x99, 0x9A, 0xC0, 0xF9, 0xFE, 0xFF};
    for (int n = 1; n <= kChannelCount; ++n)
        if (i % 4 == 3 || random() % 3 == 0)
            for (int k = 0; k < 16; ++k)
                image[static_cast<std::size_t>(RecordOffset(n) + k)] =
                    i % 4 == 2 ? static_cast<std::uint8_t>(byte(random))
                               : kEdges[random() % sizeof kEdges];
    return image;
}

// What `kestra-cli resave IN OUT` does, in process.
bool Resave(const std::string& in, const std::string& out, std::string& error) {
    RadioImage image;
    if (!LoadDatFile(in, image, &error))
        return false;
    BandLimits limits;
    PassThroughGrid(image, limits);
    return SaveDatFile(out, image, &error);
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::string x, y;
    return ReadRegularFile(a, kImageSize + 1, x, nullptr) &&
           ReadRegularFile(b, kImageSize + 1, y, nullptr) && x == y;
}

#ifndef _WIN32
// Runs the program's resave; true when it exited 0.
bool CliResave(const std::string& cli, const std::string& in, const std::string& out) {
    const pid_t pid = fork();
    if (pid == 0) {
        execl(cli.c_str(), cli.c_str(), "resave", in.c_str(), out.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
#endif

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const char* v = argv[i + 1];
        if (a == "--count")
            o.count = std::atol(v);
        else if (a == "--seed")
            o.seed = std::strtoull(v, nullptr, 10);
        else if (a == "--cli")
            o.cli = v;
        else if (a == "--cli-every")
            o.cliEvery = std::atol(v);
        else
            return false;
    }
    return argc % 2 == 1 && o.count > 0 && o.cliEvery > 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: resave_fuzz [--count N] [--seed S] [--cli PATH "
                             "--cli-every K]\n");
        return 2;
    }
    // Memory-backed when there is such a folder: every save is flushed to
    // disk, which on a real disk takes far longer than the resave itself.
    std::string dir = ".";
#ifndef _WIN32
    char shm[] = "/dev/shm/resave_fuzz.XXXXXX", tmp[] = "/tmp/resave_fuzz.XXXXXX";
    const char* made = mkdtemp(shm);
    if (!made && !(made = mkdtemp(tmp))) {
        std::perror("mkdtemp");
        return 1;
    }
    dir = made;
#endif
    const std::string in = dir + "/in.dat", once = dir + "/once.dat", twice = dir + "/twice.dat",
                      cliOnce = dir + "/cli-once.dat", cliTwice = dir + "/cli-twice.dat";
    std::mt19937_64 random(o.seed);
    long failures = 0, unstable = 0, cliRuns = 0, cliMismatches = 0;
    for (long i = 0; i < o.count; ++i) {
        const RadioImage image = FuzzImage(random, i);
        std::string error;
        if (!SaveDatFile(in, image, &error) || !Resave(in, once, error) ||
            !Resave(once, twice, error)) {
            std::fprintf(stderr, "image %ld: %s\n", i, error.c_str());
            ++failures;
            continue;
        }
        unstable += !SameBytes(once, twice);
#ifndef _WIN32
        if (!o.cli.empty() && i % o.cliEvery == 0) {
            ++cliRuns;
            if (!CliResave(o.cli, in, cliOnce) || !CliResave(o.cli, cliOnce, cliTwice) ||
                !SameBytes(once, cliOnce) || !SameBytes(twice, cliTwice)) {
                std::fprintf(stderr, "image %ld: kestra-cli resave differs\n", i);
                ++cliMismatches;
            }
        }
#endif
    }
    for (const std::string* f : {&in, &once, &twice, &cliOnce, &cliTwice})
        std::remove(f->c_str());
    std::printf("%ld images (seed %llu): %ld failed, %ld changed on the second resave, "
                "%ld through kestra-cli with %ld mismatches\n",
                o.count, o.seed, failures, unstable, cliRuns, cliMismatches);
    std::remove(dir.c_str()); // only when empty
    return failures == 0 && unstable == 0 && cliMismatches == 0 ? 0 : 1;
}
