// SPDX-License-Identifier: GPL-3.0-or-later
// The worst profiles within the 64 MiB limit, each run by
// `kestra-cli configure` in a process of its own: wall time and peak memory
// (wait4's maximum resident set size). Run by hand:
//   build/bench/kestra_profile_bench [kestra-cli]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Case {
    const char* name;
    std::string header;  // written once
    std::string repeat;  // written until the file holds `bytes`
    std::size_t bytes;
    std::string tail;    // written after the repeats
};

void Write(const std::string& path, const Case& c) {
    std::ofstream out(path, std::ios::binary);
    out.imbue(std::locale::classic());
    out << c.header;
    std::string block;
    while (block.size() < (1u << 20))
        block += c.repeat;
    std::size_t written = c.header.size() + c.tail.size();
    while (written + block.size() <= c.bytes) {
        out << block;
        written += block.size();
    }
    while (written + c.repeat.size() <= c.bytes) {
        out << c.repeat;
        written += c.repeat.size();
    }
    out << c.tail;
}

} // namespace

int main(int argc, char** argv) {
    const std::string cli = argc > 1 ? argv[1] : KESTRA_CLI;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kestra_profile_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = (dir / "base.dat").string();
    if (std::system((cli + " new --builtin " + base).c_str()) != 0) {
        std::fprintf(stderr, "cannot run %s\n", cli.c_str());
        return 1;
    }
    constexpr std::size_t kMiB = 1u << 20;
    const Case cases[] = {
        {"64 MiB of [fm] lines", "", "[fm]\n", 64 * kMiB, ""},
        {"1 MiB of 应用= lines", "[batch]\n", "应用=\n", kMiB, ""},
        {"64 MiB failing at line 2", "[fm]\n当前信道=x\n", "[fm]\n", 64 * kMiB, ""},
        {"64 MiB of one value", "[channel A001]\n信道名字=", "X", 64 * kMiB - 1, "\n"},
        {"64 MiB of [options] lines", "", "[options]\n静噪电平=5\n", 64 * kMiB, ""},
    };
    std::printf("%-28s %9s %9s %10s %s\n", "profile", "seconds", "CPU s", "peak MB", "exit");
    for (const Case& c : cases) {
        const std::string profile = (dir / "p.ini").string();
        Write(profile, c);
        const std::string out = (dir / "out.dat").string();
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            if (!freopen("/dev/null", "w", stderr))
                _exit(127);
            execl(cli.c_str(), cli.c_str(), "configure", base.c_str(), "-o", out.c_str(), "--seed",
                  "1", "--profile", profile.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        std::printf("%-28s %9.2f %9.2f %10ld %d\n", c.name, seconds, cpu, usage.ru_maxrss / 1024,
                    WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
