// Writes the end-of-run sound: a short two-note chime as a 16-bit mono WAV.
// Made at build time so no recording is kept with the sources.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

void Put16(std::vector<char>& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::vector<char>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}
void PutTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUT.wav\n");
        return 2;
    }
    constexpr std::uint32_t kRate = 22050;
    constexpr double kPi = 3.14159265358979323846;
    const struct { double hz, seconds; } notes[] = {{880.0, 0.18}, {1318.5, 0.32}};
    std::vector<std::int16_t> samples;
    for (const auto& n : notes) {
        const auto count = static_cast<std::size_t>(n.seconds * kRate);
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double attack = std::min(1.0, t / 0.005);  // no click at the start
            const double level = 0.4 * attack * std::exp(-t * 6.0);
            samples.push_back(static_cast<std::int16_t>(std::lround(32767.0 * level * std::sin(2 * kPi * n.hz * t))));
        }
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<char> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (const std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
    std::ofstream file(argv[1], std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
