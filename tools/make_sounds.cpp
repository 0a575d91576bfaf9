// Synthesises the program's four sounds and writes each as a RIFF WAVE file (PCM, mono, 8 bit).
// The files must keep their exact sizes, rates and chunk layouts; any size that comes out wrong
// fails the build.
//
// Usage: make_sounds <output folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Signal = std::function<double(int index, double seconds)>;

struct SoundFile {
    const char* name;
    std::uint32_t sampleRate;
    std::uint32_t dataBytes;
    std::uint32_t fileBytes; // what the finished file must measure
    std::uint16_t fmtBytes;  // 16, or 18 with the (empty) extension size field
    bool factChunk;          // sample count chunk in front of the data
    bool padAfterData;       // the pad byte that evens an odd data chunk
    Signal signal;           // -1 .. 1
};

constexpr double pi = std::numbers::pi;

// A struck bell: a few inharmonic partials that die away, the higher ones faster.
double bell(double frequency, double t) {
    if (t < 0)
        return 0;
    const double attack = std::min(1.0, t / 0.004);
    return attack * (0.60 * std::sin(2 * pi * frequency * t) * std::exp(-t / 0.55) +
                     0.25 * std::sin(2 * pi * frequency * 2.76 * t) * std::exp(-t / 0.25) +
                     0.15 * std::sin(2 * pi * frequency * 5.40 * t) * std::exp(-t / 0.10));
}

// Linear fade-in and fade-out so no sound starts or stops with a crack.
double edges(double t, double length, double in, double out) {
    return std::clamp(std::min(t / in, (length - t) / out), 0.0, 1.0);
}

// Deterministic noise: the same bytes on every build.
double noise(int index) {
    std::uint32_t x = static_cast<std::uint32_t>(index) * 2654435761u + 0x9E3779B9u;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    x ^= x >> 12;
    return (x & 0xFFFF) / 32767.5 - 1.0;
}

// Ding-dong: two bell strikes, a major third apart, falling.
double chime(int, double t) {
    const double length = 18577.0 / 11127.0;
    return 1.4 * (0.55 * bell(659.26, t) + 0.55 * bell(523.25, t - 0.55)) *
           edges(t, length, 0.001, 0.05);
}

// A short, rough buzz: a low sawtooth, band-limited below the rate's Nyquist frequency.
double buzz(int, double t) {
    double saw = 0;
    for (int k = 1; k <= 14; ++k)
        saw += std::sin(2 * pi * 155.0 * k * t) / k;
    return 0.4 * saw * edges(t, 1431.0 / 11128.0, 0.004, 0.02);
}

// A key click: a burst of noise and a damped ring, then quiet.
double click(int index, double t) {
    const double burst = noise(index) * std::exp(-t / 0.0025);
    const double ring = std::sin(2 * pi * 1900.0 * t) * std::exp(-t / 0.008);
    return 0.9 * (0.6 * burst + 0.4 * ring) * edges(t, 3697.0 / 22050.0, 0.0002, 0.01);
}

// A soft rising blip.
double blip(int, double t) {
    const double length = 1933.0 / 11025.0;
    // Phase of a sweep from 700 Hz to 1400 Hz over the length.
    const double phase = 2 * pi * (700.0 * t + 350.0 * t * t / length);
    const double window = std::sin(pi * std::clamp(t / length, 0.0, 1.0));
    return 0.8 * std::sin(phase) * window * window;
}

void put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void chunk(std::string& out, const char* id, const std::string& body, bool pad) {
    out.append(id, 4);
    put32(out, static_cast<std::uint32_t>(body.size()));
    out += body;
    if (pad && body.size() % 2 == 1)
        out.push_back('\0');
}

std::string waveFile(const SoundFile& sound) {
    std::string fmt;
    put16(fmt, 1); // PCM
    put16(fmt, 1); // mono
    put32(fmt, sound.sampleRate);
    put32(fmt, sound.sampleRate); // bytes per second: one byte per sample
    put16(fmt, 1);                // block align
    put16(fmt, 8);                // bits per sample
    if (sound.fmtBytes == 18)
        put16(fmt, 0); // no extension bytes

    std::string samples;
    samples.reserve(sound.dataBytes);
    for (std::uint32_t i = 0; i < sound.dataBytes; ++i) {
        const double value = sound.signal(static_cast<int>(i), double(i) / sound.sampleRate);
        samples.push_back(static_cast<char>(
            static_cast<std::uint8_t>(std::clamp(std::lround(128 + 127 * value), 0L, 255L))));
    }

    std::string body = "WAVE";
    chunk(body, "fmt ", fmt, true);
    if (sound.factChunk) {
        std::string fact;
        put32(fact, sound.dataBytes); // samples per channel
        chunk(body, "fact", fact, true);
    }
    chunk(body, "data", samples, sound.padAfterData);

    std::string file = "RIFF";
    put32(file, static_cast<std::uint32_t>(body.size()));
    return file + body;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <output folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];

    const SoundFile sounds[] = {
        {"CHIMES2", 11127, 18577, 18622, 16, false, true, chime},
        {"FASTHEY", 11128, 1431, 1476, 16, false, true, buzz},
        {"MSGTYPE", 22050, 3697, 3756, 18, true, true, click},
        // Its odd data chunk ends the file without the pad byte.
        {"MSGBACK", 11025, 1933, 1977, 16, false, false, blip},
    };

    int faults = 0;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const SoundFile& sound : sounds) {
        const std::filesystem::path path = folder / (std::string(sound.name) + ".wav");
        const std::string bytes = waveFile(sound);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        const auto written = std::filesystem::file_size(path, error);
        if (error || written != sound.fileBytes) {
            std::fprintf(stderr, "%s: %llu bytes written, %u expected\n", path.c_str(),
                         error ? 0ULL : static_cast<unsigned long long>(written), sound.fileBytes);
            std::filesystem::remove(path, error);
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}
