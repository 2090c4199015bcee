#include "sound_synth.h"

#include <QtEndian>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {
constexpr double TwoPi = 2.0 * std::numbers::pi;
// Peaks sit well below full scale: these play over the music and must never clip.
constexpr double ClickPeak = 0.40;
constexpr double PopPeak = 0.50;
constexpr double RewindPeak = 0.42;

// The same noise on every run, so the generated files are byte for byte the same.
class Noise {
public:
    double next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53) * 2.0 - 1.0;
    }

private:
    std::uint64_t state_ = 0x5eed;
};

std::vector<double> silence(double seconds)
{
    return std::vector<double>(static_cast<std::size_t>(seconds * SoundSynth::SampleRate), 0.0);
}

double timeAt(std::size_t i)
{
    return static_cast<double>(i) / SoundSynth::SampleRate;
}

// Short linear ramps at both ends so no sound starts or stops with a click, then scaling to the peak.
void finish(std::vector<double>& samples, double peak, double fadeIn, double fadeOut)
{
    const auto in = static_cast<std::size_t>(fadeIn * SoundSynth::SampleRate);
    const auto out = static_cast<std::size_t>(fadeOut * SoundSynth::SampleRate);
    const std::size_t n = samples.size();
    for (std::size_t i = 0; i < n; ++i) {
        double gain = 1.0;
        if (i < in)
            gain = static_cast<double>(i) / static_cast<double>(in);
        if (n - i <= out)
            gain = std::min(gain, static_cast<double>(n - 1 - i) / static_cast<double>(out));
        samples[i] *= gain;
    }
    double largest = 0.0;
    for (double s : samples)
        largest = std::max(largest, std::abs(s));
    if (largest > 0.0) {
        for (double& s : samples)
            s *= peak / largest;
    }
}

bool writeFile(const QDir& out, const QString& name, const QByteArray& bytes)
{
    QFile file(out.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void appendLe(QByteArray& bytes, quint32 value, int size)
{
    char buffer[sizeof value];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, size);
}
} // namespace

QByteArray SoundSynth::click()
{
    std::vector<double> samples = silence(0.075);
    Noise noise;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = timeAt(i);
        const double body = 0.7 * std::sin(TwoPi * 1250.0 * t) + 0.25 * std::sin(TwoPi * 2480.0 * t);
        const double knock = 0.35 * noise.next() * std::exp(-t / 0.0015);
        samples[i] = (body * (1.0 - std::exp(-t / 0.0007)) + knock) * std::exp(-t / 0.011);
    }
    finish(samples, ClickPeak, 0.0005, 0.010);
    return wave(samples);
}

QByteArray SoundSynth::pop()
{
    std::vector<double> samples = silence(0.16);
    Noise noise;
    double phase = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = timeAt(i);
        // The pitch drops fast from about 900 Hz to 190 Hz, like a cork leaving a bottle.
        const double frequency = 190.0 + 710.0 * std::exp(-t / 0.016);
        phase += TwoPi * frequency / SampleRate;
        const double tone = std::sin(phase) + 0.2 * std::sin(2.0 * phase);
        const double burst = 0.3 * noise.next() * std::exp(-t / 0.002);
        samples[i] = (tone * (1.0 - std::exp(-t / 0.0012)) + burst) * std::exp(-t / 0.040);
    }
    finish(samples, PopPeak, 0.0005, 0.020);
    return wave(samples);
}

QByteArray SoundSynth::rewind()
{
    std::vector<double> samples = silence(0.32);
    constexpr double ChirpLength = 0.15;
    constexpr double ChirpStarts[] = {0.0, 0.16};
    constexpr double LowHz[] = {420.0, 520.0};
    for (int c = 0; c < 2; ++c) {
        double phase = 0.0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double t = timeAt(i) - ChirpStarts[c];
            if (t < 0.0 || t >= ChirpLength)
                continue;
            // A decay played backwards: it swells and rises in pitch, then cuts off short.
            const double left = ChirpLength - t;
            const double frequency = LowHz[c] + 900.0 * std::exp(-left / 0.05);
            phase += TwoPi * frequency / SampleRate;
            const double swell = std::exp(-left / 0.045) * (1.0 - std::exp(-left / 0.004));
            const double flutter = 1.0 - 0.25 * (0.5 + 0.5 * std::sin(TwoPi * 28.0 * t));
            samples[i] += (std::sin(phase) + 0.15 * std::sin(3.0 * phase)) * swell * flutter;
        }
    }
    finish(samples, RewindPeak, 0.002, 0.012);
    return wave(samples);
}

QByteArray SoundSynth::wave(const std::vector<double>& samples)
{
    constexpr quint32 FmtSize = 16;
    constexpr int Channels = 1;
    constexpr int BytesPerSample = 2;
    const auto dataSize = static_cast<quint32>(samples.size() * BytesPerSample);
    QByteArray bytes("RIFF");
    appendLe(bytes, 4 + (8 + FmtSize) + (8 + dataSize), 4);
    bytes.append("WAVEfmt ");
    appendLe(bytes, FmtSize, 4);
    appendLe(bytes, 1, 2);
    appendLe(bytes, Channels, 2);
    appendLe(bytes, SampleRate, 4);
    appendLe(bytes, SampleRate * Channels * BytesPerSample, 4);
    appendLe(bytes, Channels * BytesPerSample, 2);
    appendLe(bytes, 8 * BytesPerSample, 2);
    bytes.append("data");
    appendLe(bytes, dataSize, 4);
    for (double s : samples) {
        const auto value = static_cast<qint16>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
        appendLe(bytes, static_cast<quint16>(value), 2);
    }
    return bytes;
}

bool SoundSynth::writeAll(const QDir& out)
{
    return writeFile(out, QStringLiteral("Change.wav"), click()) && writeFile(out, QStringLiteral("Pop2.wav"), pop())
        && writeFile(out, QStringLiteral("redo.wav"), rewind());
}
