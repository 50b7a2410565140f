#include "SignalGenerator.h"

#include <algorithm>
#include <cmath>

namespace karmo::tools {

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

double Rng::gaussian() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    double u = 0;
    do u = uniform();
    while (u <= 0);
    const double v = uniform();
    const double r = std::sqrt(-2.0 * std::log(u));
    const double a = 2.0 * 3.14159265358979323846 * v;
    spare_ = r * std::sin(a);
    haveSpare_ = true;
    return r * std::cos(a);
}

std::vector<float> MakeGaugeSignal(const GaugeSignal& g) {
    const double pi = 3.14159265358979323846;
    const double dt = 1.0 / g.sampleRate;
    const auto n = static_cast<size_t>(std::llround(g.seconds * g.sampleRate));
    Rng rng(g.seed);

    // Resonator x'' + 2 z w x' + w^2 x = w^2 e(t), integrated as a digital two-pole filter.
    const double w = 2 * pi * g.resonance;
    const double r = std::exp(-g.damping * w * dt);
    const double a1 = 2 * r * std::cos(w * dt * std::sqrt(1 - g.damping * g.damping));
    const double a2 = -r * r;
    // Gain that gives the resonant part an rms of 1 for unit white input.
    const double gain = std::sqrt((1 + a2) * ((1 - a2) * (1 - a2) - a1 * a1) / (1 - a2));

    // The road: a slowly wandering envelope (random walk pulled back to 1), and bursts.
    double envelope = 1.0;
    double burst = 0.0;
    double y1 = 0, y2 = 0;
    std::vector<float> x(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) * dt;
        envelope += 0.02 * (1.0 - envelope) * dt * 20 + 0.015 * rng.gaussian();
        if (envelope < 0.25) envelope = 0.25;
        if (rng.uniform() < 0.06 * dt) burst = 1.0 + 1.0 * rng.uniform();   // about one in 17 s
        burst *= std::exp(-dt / 0.35);
        const double y = a1 * y1 + a2 * y2 + gain * rng.gaussian();
        y2 = y1;
        y1 = y;
        const double stress = g.staticStress + g.drift * std::sin(2 * pi * t / 75.0) +
                              g.rmsStress * (envelope + burst) * y + g.noise * rng.gaussian();
        x[i] = static_cast<float>(std::round(stress / g.step) * g.step);
    }
    return x;
}

std::vector<float> Reversals(const std::vector<float>& x) {
    std::vector<float> r;
    if (x.empty()) return r;
    r.push_back(x[0]);
    int dir = 0;
    for (size_t i = 1; i < x.size(); ++i) {
        const int d = x[i] > x[i - 1] ? 1 : (x[i] < x[i - 1] ? -1 : 0);
        if (d == 0) continue;
        if (dir != 0 && d != dir) r.push_back(x[i - 1]);
        dir = d;
    }
    if (x.back() != r.back()) r.push_back(x.back());
    if (r.size() % 2 == 1) r.pop_back();
    // Closed as a loop the last point must lead back to the first in the right direction.
    auto closes = [&]() {
        const bool firstIsPeak = r[0] > r[1];
        return firstIsPeak ? r.back() < r[0] : r.back() > r[0];
    };
    while (r.size() > 4 && !closes()) r.resize(r.size() - 2);
    size_t top = 0;
    for (size_t i = 1; i < r.size(); ++i)
        if (r[i] > r[top]) top = i;
    std::rotate(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(top), r.end());
    return r;
}

}  // namespace karmo::tools
