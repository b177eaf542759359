// SPDX-License-Identifier: GPL-3.0-or-later
// Times what `kestra-cli settings --form channel` (258 sections) and a
// `kestra-cli configure` of those 258 channel sections do in the core, on an
// image where every record holds a channel.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/form_session.h"

#include "full_image.h"

using namespace kestra;
using namespace kestra::forms;

namespace {

double Milliseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    RadioImage image = bench::FullBenchImage();
    std::string profile;
    double settingsMs = 0, configureMs = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        {
            AppState state;
            state.image = image;
            FormSession session(state);
            std::vector<ProfileSection> sections;
            std::string error;
            session.SettingsSections("channel", sections, error);
            profile = WriteProfile(sections);
        }
        settingsMs += Milliseconds(start);

        start = std::chrono::steady_clock::now();
        {
            AppState state;
            state.image = image;
            std::vector<ProfileSection> sections;
            std::string error;
            if (!ParseProfile(profile, "bench", sections, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
            FormSession session(state);
            for (const auto& s : sections)
                if (!session.RunSection(s, error)) {
                    std::fprintf(stderr, "%s\n", error.c_str());
                    return 1;
                }
            session.PrepareSave();
        }
        configureMs += Milliseconds(start);
    }
    std::printf("settings --form channel (258 sections, %zu bytes): %.2f ms\n", profile.size(),
                settingsMs / rounds);
    std::printf("configure of 258 channel sections: %.2f ms\n", configureMs / rounds);
    return 0;
}
