#include "Sounds.h"

namespace soundgen {

namespace {

using tarq::Sound;

// One report of a small-calibre gun: a sharp crack over a short thud.
void GunReport(Buffer& b, Rng& rng, double at, double gain) {
    Add(b, rng,
        Noise{.at = at,
              .length = 0.09,
              .attack = 0.0004,
              .tau = 0.014,
              .kind = Filter::Band,
              .fromHz = 3200,
              .toHz = 1300,
              .glideTau = 0.02,
              .q = 0.8,
              .gain = 1.4 * gain});
    Add(b, rng,
        Noise{.at = at,
              .length = 0.12,
              .attack = 0.001,
              .tau = 0.035,
              .fromHz = 1800,
              .toHz = 350,
              .glideTau = 0.03,
              .gain = 0.6 * gain});
    Add(b, Thump{.at = at,
                 .length = 0.1,
                 .attack = 0.001,
                 .tau = 0.025,
                 .fromHz = 190,
                 .toHz = 90,
                 .glideTau = 0.02,
                 .gain = 0.3 * gain});
}

Buffer ShotLightGun() {
    Buffer b = Silence(0.36);
    Rng rng(101);
    GunReport(b, rng, 0.0, 1.0);
    GunReport(b, rng, 0.085, 0.85);
    GunReport(b, rng, 0.175, 0.95);
    // The echo of the burst.
    Add(b, rng,
        Noise{.at = 0.03,
              .length = 0.33,
              .attack = 0.04,
              .tau = 0.08,
              .fromHz = 900,
              .toHz = 500,
              .glideTau = 0.2,
              .gain = 0.2});
    return b;
}

Buffer ShotCannon() {
    Buffer b = Silence(0.78);
    Rng rng(202);
    Add(b, rng,
        Noise{.at = 0,
              .length = 0.78,
              .attack = 0.0008,
              .tau = 0.11,
              .fromHz = 7000,
              .toHz = 280,
              .glideTau = 0.05,
              .gain = 1.5});
    Add(b, Thump{.at = 0,
                 .length = 0.7,
                 .attack = 0.002,
                 .tau = 0.17,
                 .fromHz = 115,
                 .toHz = 42,
                 .glideTau = 0.07,
                 .gain = 0.9});
    Add(b, Thump{.at = 0.004,
                 .length = 0.8,
                 .attack = 0.004,
                 .tau = 0.25,
                 .fromHz = 70,
                 .toHz = 34,
                 .glideTau = 0.12,
                 .gain = 0.35});
    Add(b, rng,
        Noise{.at = 0.01,
              .length = 0.83,
              .attack = 0.02,
              .tau = 0.22,
              .fromHz = 450,
              .toHz = 110,
              .glideTau = 0.25,
              .gain = 0.7,
              .brown = true});
    SaturateAll(b, 1.6);
    return b;
}

Buffer ShotRocket() {
    Buffer b = Silence(0.9);
    Rng rng(303);
    // Ignition: a dull thunk.
    Add(b, rng,
        Noise{.at = 0,
              .length = 0.12,
              .attack = 0.001,
              .tau = 0.03,
              .fromHz = 2500,
              .toHz = 400,
              .glideTau = 0.03,
              .gain = 0.7});
    Add(b, Thump{.at = 0, .length = 0.12, .attack = 0.002, .tau = 0.04, .fromHz = 150, .toHz = 70, .gain = 0.5});
    // The motor: a band of noise rising in pitch as the rocket leaves.
    Add(b, rng,
        Noise{.at = 0.02,
              .length = 0.86,
              .attack = 0.07,
              .tau = 0.28,
              .kind = Filter::Band,
              .fromHz = 500,
              .toHz = 3400,
              .glideTau = 0.22,
              .q = 1.4,
              .gain = 1.0});
    Add(b, rng,
        Noise{.at = 0.02,
              .length = 0.7,
              .attack = 0.05,
              .tau = 0.18,
              .kind = Filter::High,
              .fromHz = 4500,
              .toHz = 4500,
              .gain = 0.25});
    Add(b, rng,
        Noise{.at = 0.0,
              .length = 0.6,
              .attack = 0.03,
              .tau = 0.2,
              .fromHz = 300,
              .toHz = 120,
              .glideTau = 0.2,
              .gain = 0.5,
              .brown = true});
    return b;
}

// One round of an anti-aircraft gun: a pop with a pitched "pom".
void FlakRound(Buffer& b, Rng& rng, double at, double gain) {
    Add(b, rng,
        Noise{.at = at,
              .length = 0.08,
              .attack = 0.0005,
              .tau = 0.018,
              .kind = Filter::Band,
              .fromHz = 2200,
              .toHz = 900,
              .glideTau = 0.015,
              .q = 1.1,
              .gain = 1.2 * gain});
    Add(b, Thump{.at = at,
                 .length = 0.12,
                 .attack = 0.001,
                 .tau = 0.032,
                 .fromHz = 340,
                 .toHz = 170,
                 .glideTau = 0.03,
                 .gain = 0.45 * gain});
}

Buffer ShotAntiAircraft() {
    Buffer b = Silence(0.62);
    Rng rng(404);
    const double rounds[][2] = {{0.0, 1.0}, {0.105, 0.9}, {0.21, 0.95}, {0.315, 0.85}};
    for (const auto& [at, gain] : rounds) FlakRound(b, rng, at, gain);
    Add(b, rng,
        Noise{.at = 0.02,
              .length = 0.58,
              .attack = 0.05,
              .tau = 0.14,
              .fromHz = 800,
              .toHz = 300,
              .glideTau = 0.25,
              .gain = 0.15});
    return b;
}

Buffer Hit() {
    Buffer b = Silence(0.34);
    Rng rng(505);
    Add(b, rng,
        Noise{.at = 0,
              .length = 0.06,
              .attack = 0.0003,
              .tau = 0.01,
              .kind = Filter::Band,
              .fromHz = 3500,
              .toHz = 1500,
              .glideTau = 0.01,
              .q = 0.9,
              .gain = 0.8});
    // Inharmonic ratios: struck armour, not a bell.
    Add(b, Note{.at = 0,
                .length = 0.33,
                .hz = 520,
                .ratio = 1.414,
                .indexFrom = 3,
                .indexTo = 0.4,
                .indexTau = 0.05,
                .attack = 0.001,
                .tau = 0.09,
                .gain = 0.45});
    Add(b, Note{.at = 0,
                .length = 0.25,
                .hz = 1230,
                .ratio = 2.76,
                .indexFrom = 2,
                .indexTo = 0.2,
                .indexTau = 0.04,
                .attack = 0.001,
                .tau = 0.05,
                .gain = 0.25});
    Add(b, Thump{.at = 0, .length = 0.1, .attack = 0.001, .tau = 0.03, .fromHz = 150, .toHz = 80, .gain = 0.5});
    return b;
}

// A blast: the flash of noise closing down, a falling boom, a rumble and debris.
void Blast(Buffer& b, Rng& rng, double at, double length, double size) {
    Add(b, rng,
        Noise{.at = at,
              .length = length,
              .attack = 0.002,
              .tau = 0.1 * size,
              .fromHz = 6000,
              .toHz = 220,
              .glideTau = 0.07 * size,
              .gain = 1.5});
    Add(b, Thump{.at = at,
                 .length = length,
                 .attack = 0.003,
                 .tau = 0.13 * size,
                 .fromHz = 95,
                 .toHz = 32,
                 .glideTau = 0.08 * size,
                 .gain = 0.6});
    Add(b, rng,
        Noise{.at = at,
              .length = length,
              .attack = 0.03,
              .tau = 0.2 * size,
              .fromHz = 320,
              .toHz = 90,
              .glideTau = 0.3,
              .gain = 1.1,
              .brown = true});
}

Buffer ExplosionSmall() {
    Buffer b = Silence(0.62);
    Rng rng(606);
    Blast(b, rng, 0, 0.62, 1.0);
    Add(b, rng, Crackle{.at = 0.02, .length = 0.5, .perSecond = 70, .tau = 0.18, .cutoffHz = 1800, .gain = 0.35});
    SaturateAll(b, 2.0);
    return b;
}

Buffer ExplosionLarge() {
    Buffer b = Silence(1.0);
    Rng rng(707);
    Blast(b, rng, 0, 1.0, 1.9);
    Blast(b, rng, 0.13, 0.87, 1.3);  // a second charge going up
    Add(b, Thump{.at = 0,
                 .length = 1.0,
                 .attack = 0.01,
                 .tau = 0.35,
                 .fromHz = 60,
                 .toHz = 28,
                 .glideTau = 0.2,
                 .gain = 0.7});
    Add(b, rng, Crackle{.at = 0.05, .length = 0.93, .perSecond = 55, .tau = 0.35, .cutoffHz = 1500, .gain = 0.4});
    SaturateAll(b, 2.6);
    return b;
}

Buffer Mine() {
    Buffer b = Silence(0.78);
    Rng rng(808);
    // The trigger's click, then the charge under the ground: muffled, with dirt falling.
    Add(b, Note{.at = 0,
                .length = 0.05,
                .hz = 2100,
                .ratio = 1.7,
                .indexFrom = 1.5,
                .indexTo = 0,
                .indexTau = 0.01,
                .attack = 0.0005,
                .tau = 0.012,
                .gain = 0.35});
    Buffer blast = Silence(0.78);
    Blast(blast, rng, 0.075, 0.7, 1.2);
    LowPassAll(blast, 2200);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] += blast[i];
    Add(b, rng, Crackle{.at = 0.15, .length = 0.6, .perSecond = 110, .tau = 0.22, .cutoffHz = 900, .gain = 0.3});
    SaturateAll(b, 1.8);
    return b;
}

// A hammer on a steel plate.
void Clank(Buffer& b, Rng& rng, double at, double hz, double gain) {
    Add(b, Note{.at = at,
                .length = 0.16,
                .hz = hz,
                .ratio = 1.5,
                .indexFrom = 2.5,
                .indexTo = 0.2,
                .indexTau = 0.03,
                .attack = 0.0008,
                .tau = 0.05,
                .gain = 0.5 * gain});
    Add(b, rng,
        Noise{.at = at,
              .length = 0.05,
              .attack = 0.0004,
              .tau = 0.008,
              .kind = Filter::Band,
              .fromHz = 2800,
              .toHz = 2000,
              .q = 1.2,
              .gain = 0.6 * gain});
    Add(b,
        Thump{.at = at, .length = 0.08, .attack = 0.001, .tau = 0.022, .fromHz = 210, .toHz = 120, .gain = 0.4 * gain});
}

Buffer ConstructionStarted() {
    Buffer b = Silence(0.62);
    Rng rng(909);
    // A motor winding up under three hammer blows.
    Add(b, Note{.at = 0,
                .length = 0.6,
                .hz = 85,
                .bendToHz = 150,
                .bendTau = 0.25,
                .ratio = 1,
                .indexFrom = 2.2,
                .indexTo = 2.2,
                .attack = 0.09,
                .tau = 0.6,
                .release = 0.15,
                .vibratoHz = 14,
                .vibratoDepth = 0.02,
                .gain = 0.2});
    Clank(b, rng, 0.0, 880, 1.0);
    Clank(b, rng, 0.16, 820, 0.85);
    Clank(b, rng, 0.32, 900, 0.95);
    return b;
}

Buffer ConstructionFinished() {
    Buffer b = Silence(0.95);
    Rng rng(1010);
    Add(b, Thump{.at = 0, .length = 0.12, .attack = 0.002, .tau = 0.04, .fromHz = 160, .toHz = 90, .gain = 0.5});
    // A rising chime: C5 E5 G5 C6, the last one left to ring.
    const double notes[][3] = {{0.0, 523.25, 0.3}, {0.09, 659.26, 0.3}, {0.18, 783.99, 0.3}, {0.27, 1046.5, 0.45}};
    for (const auto& [at, hz, tau] : notes)
        Add(b, Note{.at = at,
                    .length = 0.95 - at,
                    .hz = hz,
                    .ratio = 4,
                    .indexFrom = 1.3,
                    .indexTo = 0.1,
                    .indexTau = 0.08,
                    .attack = 0.003,
                    .tau = tau,
                    .release = 0.1,
                    .gain = 0.4});
    return b;
}

// A short radio blip with a touch of static.
void Blip(Buffer& b, Rng& rng, double at, double hz, double bendTo, double gain) {
    Add(b, Note{.at = at,
                .length = 0.09,
                .hz = hz,
                .bendToHz = bendTo,
                .bendTau = 0.03,
                .ratio = 0.5,
                .indexFrom = 0.9,
                .indexTo = 0.5,
                .indexTau = 0.04,
                .attack = 0.004,
                .tau = 0.05,
                .release = 0.02,
                .gain = gain});
    Add(b, rng,
        Noise{.at = at,
              .length = 0.04,
              .attack = 0.001,
              .tau = 0.012,
              .kind = Filter::Band,
              .fromHz = 2600,
              .toHz = 2600,
              .q = 1.5,
              .gain = 0.25 * gain});
}

Buffer UnitSelected() {
    Buffer b = Silence(0.13);
    Rng rng(1111);
    Blip(b, rng, 0, 1100, 1320, 1.0);
    return b;
}

Buffer OrderTaken() {
    Buffer b = Silence(0.24);
    Rng rng(1212);
    Blip(b, rng, 0, 740, 760, 0.9);
    Blip(b, rng, 0.075, 988, 1000, 1.0);
    // The squelch when the radio key is let go.
    Add(b, rng,
        Noise{.at = 0.17,
              .length = 0.06,
              .attack = 0.002,
              .tau = 0.02,
              .kind = Filter::Band,
              .fromHz = 3200,
              .toHz = 2400,
              .glideTau = 0.03,
              .q = 1.2,
              .gain = 0.25});
    return b;
}

Buffer StepRefused() {
    Buffer b = Silence(0.31);
    // Two low buzzes, the second lower: "no".
    Add(b, Note{.at = 0,
                .length = 0.11,
                .hz = 233,
                .ratio = 1,
                .indexFrom = 2.6,
                .indexTo = 2.6,
                .attack = 0.006,
                .tau = 0.5,
                .release = 0.03,
                .gain = 0.9});
    Add(b, Note{.at = 0.13,
                .length = 0.17,
                .hz = 175,
                .ratio = 1,
                .indexFrom = 2.6,
                .indexTo = 2.6,
                .attack = 0.006,
                .tau = 0.4,
                .release = 0.05,
                .gain = 1.0});
    LowPassAll(b, 1800);
    return b;
}

// A brass-like note: the tone brightens as it swells.
Note Horn(double at, double length, double hz, double gain, double release = 0.12) {
    return Note{.at = at,
                .length = length,
                .hz = hz,
                .ratio = 1,
                .indexFrom = 3.2,
                .indexTo = 3.2,
                .brassy = true,
                .attack = 0.03,
                .tau = 0.9,
                .release = release,
                .vibratoHz = 5.5,
                .vibratoDepth = 0.004,
                .gain = gain};
}

Buffer EndTurn() {
    Buffer b = Silence(0.82);
    Rng rng(1313);
    // A heavy lever thrown, then a falling two-note horn.
    Add(b, Thump{.at = 0, .length = 0.15, .attack = 0.002, .tau = 0.05, .fromHz = 120, .toHz = 60, .gain = 0.8});
    Add(b, rng,
        Noise{.at = 0,
              .length = 0.1,
              .attack = 0.001,
              .tau = 0.03,
              .fromHz = 1600,
              .toHz = 250,
              .glideTau = 0.03,
              .gain = 0.5});
    Add(b, Horn(0.06, 0.3, 196.0, 0.7));
    Add(b, Horn(0.34, 0.48, 146.83, 0.75));
    return b;
}

Buffer YourTurn() {
    Buffer b = Silence(0.9);
    // A rising call: C4 G4 C5, the last held.
    Add(b, Horn(0.0, 0.16, 261.63, 0.6, 0.04));
    Add(b, Horn(0.15, 0.16, 392.0, 0.65, 0.04));
    Add(b, Horn(0.30, 0.6, 523.25, 0.7));
    return b;
}

Buffer ButtonClick() {
    Buffer b = Silence(0.05);
    Rng rng(1414);
    // A switch: the press and, softer, its release.
    const double parts[][2] = {{0.0, 1.0}, {0.016, 0.45}};
    for (const auto& [at, gain] : parts) {
        Add(b, rng,
            Noise{.at = at,
                  .length = 0.02,
                  .attack = 0.0003,
                  .tau = 0.003,
                  .kind = Filter::Band,
                  .fromHz = 4200,
                  .toHz = 4200,
                  .q = 1.0,
                  .gain = 0.7 * gain});
        Add(b, Thump{.at = at,
                     .length = 0.02,
                     .attack = 0.0003,
                     .tau = 0.005,
                     .fromHz = 1900,
                     .toHz = 1500,
                     .gain = 0.4 * gain});
    }
    return b;
}

struct Recipe {
    Buffer (*render)();
    double peakDb;           // the loud ones near full scale, the interface's soft
    double fadeOut = 0.012;  // longer where a tail still rumbles at the end
};

// In the order of the sound set.
constexpr Recipe kRecipes[tarq::kSoundCount] = {
    {ShotLightGun, -4},
    {ShotCannon, -2, 0.1},
    {ShotRocket, -3, 0.1},
    {ShotAntiAircraft, -3.5},
    {Hit, -4},
    {ExplosionSmall, -2.5, 0.1},
    {ExplosionLarge, -1.5, 0.2},
    {Mine, -2, 0.1},
    {ConstructionStarted, -5},
    {ConstructionFinished, -5},
    {UnitSelected, -9},
    {OrderTaken, -8},
    {StepRefused, -8},
    {EndTurn, -4},
    {YourTurn, -4},
    {ButtonClick, -10},
};

}  // namespace

tarq::WavSound MakeSound(tarq::Sound sound) {
    const Recipe& recipe = kRecipes[tarq::SoundIndex(sound)];
    return {static_cast<int>(kRate), Finish(recipe.render(), recipe.peakDb, 0.002, recipe.fadeOut)};
}

}  // namespace soundgen
