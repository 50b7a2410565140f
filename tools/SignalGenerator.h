#pragma once
#include <cstdint>
#include <vector>

namespace karmo::tools {

// A small seeded generator that gives the same numbers on every platform (the standard
// library's distributions do not promise that).
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();          // splitmix64
    double uniform();         // [0, 1)
    double gaussian();        // standard normal (Box-Muller)

private:
    uint64_t state_;
    bool haveSpare_ = false;
    double spare_ = 0;
};

// What a strain gauge on a vehicle part records: a lightly damped resonance (a narrow-band
// random response) whose amplitude follows the road, with occasional bursts (potholes), a
// slowly drifting static load, a little amplifier noise and the steps of the converter.
struct GaugeSignal {
    double sampleRate = 200;       // Hz
    double seconds = 180;
    double resonance = 3.2;        // Hz
    double damping = 0.04;         // fraction of critical
    double rmsStress = 22;         // MPa, of the resonant part at unit envelope
    double staticStress = 35;      // MPa
    double drift = 12;             // MPa, amplitude of the slow change of the static load
    double noise = 0.25;           // MPa rms
    double step = 0.05;            // MPa, converter resolution
    uint64_t seed = 20261206;
};

// The samples in MPa.
std::vector<float> MakeGaugeSignal(const GaugeSignal& g);

// The reversal points of a sampled signal (first and last sample kept), made even and
// rotated to start at the largest value, so that they also alternate as a closed loop.
std::vector<float> Reversals(const std::vector<float>& x);

}  // namespace karmo::tools
