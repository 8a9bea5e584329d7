#pragma once

#include <QProcess>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvane {
class QtEventLoop;
}

namespace orvane::testing {

inline constexpr int kSinkRate = 48000; // the recordings' rate

// Records the test server's null sink ("test_sink"), mono 16-bit, from construction to stop().
class SinkRecorder
{
public:
    explicit SinkRecorder(std::string file, int latencyMilliseconds = 200);
    // The null sink runs in real time only once a reader is attached: waits until the
    // recording grows; false if it never does.
    bool waitUntilRecording(QtEventLoop& loop);
    std::vector<short> stop();

private:
    std::string m_file;
    QProcess m_process;
};

// The first sample that is not digital silence (the size when there is none).
std::size_t firstSound(const std::vector<short>& samples);
// Runs of digital silence of `minimum` samples or more between the first and the last sound,
// as (start, length); only those that start within [from, to).
std::vector<std::pair<std::size_t, std::size_t>> silences(const std::vector<short>& samples,
                                                          std::size_t minimum, std::size_t from = 0,
                                                          std::size_t to = SIZE_MAX);
double samplesToMs(std::size_t samples);

} // namespace orvane::testing
