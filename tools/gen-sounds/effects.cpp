// What each of the twenty wave effects sounds like.
#include "effects.h"

#include "envelopes.h"
#include "filters.h"
#include "instruments.h"
#include "noise.h"
#include "oscillators.h"

#include <cmath>
#include <numbers>

namespace gensounds {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A wobble in pitch that dies away: what makes a sweep sound like a spring.
double SpringWobble(double t, double depth, double hz, double settle) {
    return 1.0 + depth * std::exp(-t / settle) * std::sin(kTwoPi * hz * t);
}

// 141: a springy jump, two octaves up in a blink.
Signal Jump(std::size_t samples) {
    Signal out(samples);
    Oscillator lead;
    Oscillator body;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const double hz = Glide(t, 280.0, 1250.0, 0.14) * SpringWobble(t, 0.05, 30.0, 0.05);
        // The pulse narrows as it climbs, so the top of the jump sounds thinner, lighter.
        const double duty = Segments(t, {{0.0, 0.5}, {0.17, 0.15}});
        const double level = Segments(t, {{0.0, 1.0}, {0.08, 1.0}, {0.17, 0.0}});
        out[i] = level * (0.5 * NextPulse(lead, hz, duty) + 0.35 * NextTriangle(body, 0.5 * hz));
    }
    return out;
}

// 142: a soft landing, a falling thump with a puff of muffled noise.
Signal Land(std::size_t samples) {
    Signal out(samples);
    Oscillator thump;
    Oscillator grit;
    NoiseSource noise(142);
    StateVariableFilter muffle;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const double hz = Glide(t, 240.0, 80.0, 0.09);
        const double tone = (0.8 * NextSine(thump, hz) + 0.2 * NextTriangle(grit, hz)) *
                            AttackDecay(t, 0.002, 0.07);
        const double puff = muffle.Process(noise.Next(), Glide(t, 1200.0, 250.0, 0.05), 0.7).low *
                            AttackDecay(t, 0.001, 0.025);
        out[i] = tone + 1.2 * puff;
    }
    return out;
}

// Gauge steps 1..12 climb a major scale from C5 to G6, an octave and a half,
// so the player can hear how far the gauge has gone without looking.
constexpr int kGaugeSemitones[12] = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19};
constexpr double kGaugeBaseNote = 72.0; // C5

// 143..154: one gauge tone. A new one cuts the last every 40 ms, so it must
// speak at full level from its first millisecond.
Signal GaugeTone(std::size_t samples, int step) {
    Signal out(samples);
    Oscillator lead;
    Oscillator body;
    const double hz = NoteHz(kGaugeBaseNote + kGaugeSemitones[step - 1]);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const double level = std::exp(-t / 0.15);
        // The triangle stays under the pulse's low level, so the wave crosses
        // zero just twice a cycle: a clean, clearly pitched beep.
        out[i] = level * (0.5 * NextPulse(lead, hz, 0.25) + 0.2 * NextTriangle(body, hz));
    }
    return out;
}

// 155: the big spring launch: a long wobbling boing up three octaves, with a
// rush of air behind it.
Signal SpringJump(std::size_t samples) {
    Signal out(samples);
    Oscillator lead;
    Oscillator fifth;
    NoiseSource noise(155);
    StateVariableFilter air;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const double hz = Glide(t, 180.0, 1600.0, 0.34) * SpringWobble(t, 0.10, 20.0, 0.12);
        const double duty = Segments(t, {{0.0, 0.5}, {0.44, 0.12}});
        const double tone = 0.5 * NextPulse(lead, hz, duty) + 0.2 * NextPulse(fifth, 1.5 * hz, 0.5);
        const double rush = air.Process(noise.Next(), Glide(t, 600.0, 4000.0, 0.4), 1.5).band *
                            Segments(t, {{0.0, 0.0}, {0.1, 1.0}, {0.44, 0.0}});
        const double level = Segments(t, {{0.0, 1.0}, {0.26, 1.0}, {0.44, 0.0}});
        out[i] = level * (tone + 0.6 * rush);
    }
    return out;
}

// 156: landing on a spring: a short "boing" that wobbles and settles.
Signal SpringLand(std::size_t samples) {
    Signal out(samples);
    Oscillator round;
    Oscillator twang;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const double hz = 330.0 * SpringWobble(t, 0.22, 32.0, 0.06);
        const double tone = 0.7 * NextTriangle(round, hz) + 0.35 * NextPulse(twang, hz, 0.5);
        out[i] = AttackDecay(t, 0.002, 0.07) * tone;
    }
    return out;
}

// 157: landing on a conveyor belt: a steel clank, then the belt's teeth
// rattling past under the feet.
Signal ConveyorLand(std::size_t samples) {
    Signal out(samples);
    // Inharmonic partials struck together sound like a plate, not a note.
    constexpr double kPlateHz[4] = {523.0, 741.0, 1097.0, 1571.0};
    Oscillator plate[4];
    Oscillator motor;
    NoiseSource noise(157);
    StateVariableFilter crack;
    StateVariableFilter highTooth;
    StateVariableFilter lowTooth;
    constexpr double kToothStart = 0.035;
    constexpr double kToothPeriod = 0.024;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        double clank = 0.0;
        for (int k = 0; k < 4; ++k) {
            clank += NextPulse(plate[k], kPlateHz[k], 0.5) / (k + 1.0);
        }
        clank *= 0.35 * AttackDecay(t, 0.0005, 0.045);
        const double grit = noise.Next();
        clank += 0.5 * crack.Process(grit, 3000.0, 0.7).high * AttackDecay(t, 0.0005, 0.008);

        // Every tooth a tick of ringing noise, alternating high and low: clack-clack.
        double rattle = 0.0;
        if (t >= kToothStart) {
            const double sinceFirst = t - kToothStart;
            const auto tooth = static_cast<int>(sinceFirst / kToothPeriod);
            const double sinceTooth = sinceFirst - tooth * kToothPeriod;
            const double tick = grit * AttackDecay(sinceTooth, 0.0005, 0.004);
            const double fade = std::exp(-sinceFirst / 0.12);
            const bool high = tooth % 2 == 0;
            const double rungHigh = highTooth.Process(high ? tick : 0.0, 2300.0, 5.0).band;
            const double rungLow = lowTooth.Process(high ? 0.0 : tick, 1500.0, 5.0).band;
            rattle = fade * (rungHigh + 0.8 * rungLow);
        }
        const double hum = 0.12 * NextPulse(motor, 75.0, 0.5) * AttackDecay(t, 0.005, 0.1);
        out[i] = clank + 1.6 * rattle + hum;
    }
    return out;
}

// 158: a new record: a quick rising arpeggio into a long, singing top note.
Signal RecordFanfare(std::size_t samples) {
    Signal out(samples);
    struct Step {
        double start;
        int lead;
        int harmony;
        int bass;
    };
    // G C E up to G, over a C chord; the harmony a third below the lead.
    constexpr Step kSteps[4] = {
        {0.00, 79, 76, 55}, {0.10, 84, 79, 48}, {0.20, 88, 84, 52}, {0.30, 91, 88, 48}};
    for (const Step& step : kSteps) {
        const bool last = step.start >= 0.3;
        const double length = last ? 0.8 - step.start : 0.09;
        PulseNote lead{.seconds = length, .hz = NoteHz(step.lead), .duty = 0.25};
        PulseNote harmony{.seconds = length, .hz = NoteHz(step.harmony), .duty = 0.5};
        PulseNote bass{.seconds = length, .hz = NoteHz(step.bass), .duty = 0.5};
        if (last) {
            lead.vibratoCents = 30.0;
            lead.vibratoDelay = 0.12;
            lead.decay = 0.9;
            lead.release = 0.25;
            harmony.decay = 0.6;
            harmony.release = 0.25;
            bass.release = 0.25;
        }
        const std::size_t at = SamplesFor(step.start);
        MixInto(out, Render(lead), at, 1.0);
        MixInto(out, Render(harmony), at, 0.45);
        MixInto(out, Render(bass), at, 0.35);
    }
    return out;
}

// 159: pause and resume: a two-note "ding-dong" on FM bells. Pitched in the
// fifth octave: higher, the bells' upper partials would fold back off-key.
Signal PauseChime(std::size_t samples) {
    Signal out(samples);
    constexpr double kSecondStrike = 0.32;
    constexpr int kDing = 76; // E5
    constexpr int kDong = 72; // C5
    const double total = static_cast<double>(samples) / kSampleRate;
    MixInto(out, Render(FmBell{.seconds = total, .hz = NoteHz(kDing)}), 0, 1.0);
    MixInto(out, Render(FmBell{.seconds = total - kSecondStrike, .hz = NoteHz(kDong)}),
            SamplesFor(kSecondStrike), 1.0);
    // A quick shimmer an octave above each strike makes it sparkle, then leaves
    // the round tone ringing on its own.
    Oscillator shimmer;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = TimeOf(i);
        const bool second = t >= kSecondStrike;
        const double hz = NoteHz((second ? kDong : kDing) + 12);
        const double level = AttackDecay(second ? t - kSecondStrike : t, 0.002, 0.15);
        out[i] += 0.3 * level * NextSine(shimmer, hz);
    }
    return out;
}

// 160: game over: "wah, wah, wah, waaah", each step a semitone lower, the last
// one wavering and then falling away an octave with the character.
Signal GameOver(std::size_t samples) {
    Signal out(samples);
    const double total = static_cast<double>(samples) / kSampleRate;
    constexpr double kStepSeconds = 0.28;
    for (int k = 0; k < 3; ++k) {
        const WahNote note{.seconds = kStepSeconds - 0.02, .hz = NoteHz(67 - k)};
        MixInto(out, Render(note), SamplesFor(k * kStepSeconds), 1.0);
    }
    const double lastStart = 3 * kStepSeconds;
    const WahNote last{.seconds = total - lastStart,
                       .hz = NoteHz(64),
                       .fallStart = 0.45,
                       .fallToHz = NoteHz(52),
                       .vibratoCents = 45.0,
                       .vibratoDelay = 0.12,
                       .release = 0.35};
    MixInto(out, Render(last), SamplesFor(lastStart), 1.0);
    return out;
}

} // namespace

std::vector<Effect> AllEffects() {
    constexpr double kLoudness = 0.25;
    std::vector<Effect> effects;
    effects.push_back({141, 0.17, "jump", kLoudness, 0.0, 0.002, 0.01, Jump});
    effects.push_back({142, 0.27, "landing", kLoudness, 1.5, 0.002, 0.02, Land});
    for (int step = 1; step <= 12; ++step) {
        effects.push_back({142 + step, 0.087, "gauge step " + std::to_string(step), kLoudness, 0.0,
                           0.0015, 0.006,
                           [step](std::size_t samples) { return GaugeTone(samples, step); }});
    }
    effects.push_back({155, 0.44, "spring jump", kLoudness, 0.0, 0.002, 0.02, SpringJump});
    effects.push_back({156, 0.14, "spring landing", kLoudness, 0.0, 0.002, 0.015, SpringLand});
    effects.push_back({157, 0.32, "conveyor landing", kLoudness, 3.0, 0.001, 0.02, ConveyorLand});
    effects.push_back({158, 0.80, "record fanfare", kLoudness, 0.0, 0.002, 0.03, RecordFanfare});
    effects.push_back({159, 1.38, "pause chime", kLoudness, 0.0, 0.002, 0.05, PauseChime});
    effects.push_back({160, 1.78, "game over", kLoudness, 0.0, 0.005, 0.05, GameOver});
    return effects;
}

} // namespace gensounds
