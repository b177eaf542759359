// SPDX-License-Identifier: GPL-3.0-or-later
// Images for the form tests: channels as a user could have made them with
// the dialogs, so that a dialog opened and closed on them changes nothing;
// what a script makes of an image, and where two images differ.
#pragma once

#include <cstdio>
#include <random>
#include <string>

#include "core/codec/text.h"
#include "core/document/default_image.h"
#include "core/forms/channel_edit_form.h"
#include "core/forms/form_session.h"
#include "core/forms/profile.h"

namespace kestra {

// The built-in defaults: every channel empty.
inline RadioImage BuiltInImage() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    return image;
}

// Channel n in use: rx and tx, no tones.
inline void AddChannel(RadioImage& image, int n, std::uint32_t rx, std::uint32_t tx) {
    ChannelRecord rec(image, n);
    rec.SetRx(rx);
    rec.SetTx(tx);
    rec.SetRxTone(kNoTone);
    rec.SetTxTone(kNoTone);
}

// Channels a user could have made with the dialogs: in-band frequencies on
// the raster, tones from the list, options with an entry, printable names
// (blanks, '=' and comment characters included), reserved bytes random.
inline RadioImage CleanRandomImage(unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    RadioImage image = BuiltInImage();
    const auto& tones = SignallingList();
    // A frequency of band 0 or 1 on the given raster.
    const auto onRaster = [&](int band, std::uint32_t step) {
        const std::uint32_t span = band == 0 ? 3800000u : 8000000u;
        return (band == 0 ? 13600000u : 40000000u) + (rng() % (span / step)) * step;
    };
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord rec(image, n);
        for (int b : {0x0E, 0x14, 0x15, 0x16, 0x17, 0x1F})
            rec.SetByte(b, static_cast<std::uint8_t>(rng()));
        if (pick(4) == 0)
            continue; // empty
        const int band = pick(2);
        const std::uint32_t rx = onRaster(band, pick(2) ? 250u : 625u);
        rec.SetRx(rx);
        switch (n > 256 ? 1 + pick(3) : pick(4)) { // a VFO always transmits
        case 0:
            rec.SetTxNone();
            break;
        case 1:
            rec.SetTx(rx);
            break;
        default:
            rec.SetTx(onRaster(n > 256 ? band : pick(2), 250u));
        }
        rec.SetRxTone(ToneTextToValue(tones[static_cast<std::size_t>(pick(265))]));
        rec.SetTxTone(ToneTextToValue(tones[static_cast<std::size_t>(pick(265))]));
        rec.SetSignalling(pick(2));
        rec.SetRepeaterMode(pick(3));
        rec.SetVoiceProcessing(pick(10));
        rec.SetByte(ChannelRecord::kFlags1, static_cast<std::uint8_t>(rng() & 0x3F));
        rec.SetBusyLockout(pick(3));
        const int len = pick(8);
        static const char kChars[] = " =;#[]AZaz09~+-";
        for (int i = 0; i < ChannelRecord::kNameLength; ++i)
            rec.SetByte(ChannelRecord::kName + i,
                        i < len ? static_cast<std::uint8_t>(kChars[pick(sizeof kChars - 1)])
                                : 0xFF);
    }
    return image;
}

// Every byte random: what no dialog could have made.
template <class Rng> RadioImage RandomImage(Rng& rng) {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng());
    return image;
}
inline RadioImage RandomImage(unsigned seed) {
    std::mt19937 rng(seed);
    return RandomImage(rng);
}

// Runs the sections on a copy of the image and saves it as kestra-cli
// configure does; error receives the first failure.
// notes, when given, receives the session's notes of values stored otherwise.
inline RadioImage Configure(const RadioImage& image,
                            const std::vector<forms::ProfileSection>& sections,
                            std::string* error = nullptr, bool factory = false,
                            std::vector<std::string>* notes = nullptr) {
    AppState state;
    state.image = image;
    state.factoryMode = factory;
    forms::FormSession session(state, 1u);
    std::string why;
    for (const auto& s : sections) {
        if (!session.RunSection(s, why)) {
            if (error)
                *error = why;
            return state.image;
        }
    }
    session.PrepareSave();
    if (notes)
        *notes = session.Notes();
    return state.image;
}

// The sections of a profile text (one that does not parse is warned about).
inline std::vector<forms::ProfileSection> Sections(const std::string& text) {
    std::vector<forms::ProfileSection> s;
    std::string error;
    if (!forms::ParseProfile(text, "t.ini", s, error))
        std::fprintf(stderr, "%s\n", error.c_str());
    return s;
}

// The profile text run on a copy of the image as Configure runs it (a
// section that fails is warned about).
inline RadioImage Configured(const RadioImage& image, const std::string& text) {
    std::string error;
    const RadioImage out = Configure(image, Sections(text), &error);
    if (!error.empty())
        std::fprintf(stderr, "%s\n", error.c_str());
    return out;
}

// The first byte where a and b differ, empty when they are the same.
inline std::string FirstDifference(const RadioImage& a, const RadioImage& b) {
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (a[i] != b[i])
            return Format("0x%04zx: %02x vs %02x", i, unsigned(a[i]), unsigned(b[i]));
    return {};
}

} // namespace kestra
