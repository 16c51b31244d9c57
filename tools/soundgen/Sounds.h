// The recipes of the game's sounds, one per entry of the sound set.
#pragma once

#include "Synth.h"
#include "audio/SoundSet.h"
#include "audio/Wav.h"

namespace soundgen {

// The sound rendered from its recipe, finished as a 16-bit mono file.
tarq::WavSound MakeSound(tarq::Sound sound);

}  // namespace soundgen
