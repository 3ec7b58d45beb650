#pragma once
// Helpers the platform tests share: running the event loop for a while, and WAV file bytes.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdint>
#include <string>
#include <vector>

namespace lutavo::test {

// Lets the event loop run until done() holds or the time runs out.
template <typename Done>
bool eventsUntil(Done done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

inline std::string littleEndian(std::uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// A PCM WAV file with an extra chunk before the data, as some editors write them.
inline std::string wavText(int channels, int rate, int bits,
                           const std::vector<std::int16_t>& samples) {
    std::string data;
    for (std::int16_t s : samples)
        data += littleEndian(static_cast<std::uint16_t>(s), 2);
    auto u = [](int v) { return static_cast<std::uint32_t>(v); };
    std::string body = "WAVEfmt " + littleEndian(16, 4) + littleEndian(1, 2) +
                       littleEndian(u(channels), 2) + littleEndian(u(rate), 4) +
                       littleEndian(u(rate * channels * bits / 8), 4) +
                       littleEndian(u(channels * bits / 8), 2) + littleEndian(u(bits), 2);
    body += "LIST" + littleEndian(3, 4) + "abc" + std::string(1, '\0');
    body += "data" + littleEndian(u(static_cast<int>(data.size())), 4) + data;
    return "RIFF" + littleEndian(u(static_cast<int>(body.size())), 4) + body;
}

}  // namespace lutavo::test
