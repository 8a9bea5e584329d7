#include "sinkrecording.h"

#include "platform/qt/qteventloop.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <cstdlib>
#include <sndfile.h>

namespace orvane::testing {

namespace {

bool silent(short sample)
{
    return std::abs(sample) <= 2;
}

} // namespace

SinkRecorder::SinkRecorder(std::string file, int latencyMilliseconds) : m_file(std::move(file))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("PULSE_LATENCY_MSEC"); // the player's buffer, not the recorder's
    m_process.setProcessEnvironment(environment);
    m_process.start("parec", {QString("--latency-msec=%1").arg(latencyMilliseconds), "-d",
                              "test_sink.monitor", "--channels=1", "--rate=48000",
                              "--file-format=wav", QString::fromStdString(m_file)});
}

bool SinkRecorder::waitUntilRecording(QtEventLoop& loop)
{
    const auto grown = [this] { return QFileInfo(QString::fromStdString(m_file)).size() >= 24000; };
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && !grown())
        loop.runFor(50);
    return grown();
}

std::vector<short> SinkRecorder::stop()
{
    ::kill(static_cast<pid_t>(m_process.processId()), SIGINT);
    m_process.waitForFinished(3000);
    SF_INFO info{};
    SNDFILE* file = sf_open(m_file.c_str(), SFM_READ, &info);
    std::vector<short> samples(file != nullptr ? static_cast<std::size_t>(info.frames) : 0);
    if (file != nullptr) {
        sf_readf_short(file, samples.data(), info.frames);
        sf_close(file);
    }
    return samples;
}

std::size_t firstSound(const std::vector<short>& samples)
{
    std::size_t i = 0;
    while (i < samples.size() && silent(samples[i]))
        ++i;
    return i;
}

std::vector<std::pair<std::size_t, std::size_t>>
silences(const std::vector<short>& samples, std::size_t minimum, std::size_t from, std::size_t to)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::size_t i = firstSound(samples);
    while (i < samples.size()) {
        const std::size_t begin = i;
        while (i < samples.size() && silent(samples[i]))
            ++i;
        if (i - begin >= minimum && i < samples.size() && begin >= from && begin < to)
            runs.emplace_back(begin, i - begin);
        while (i < samples.size() && !silent(samples[i]))
            ++i;
    }
    return runs;
}

double samplesToMs(std::size_t samples)
{
    return static_cast<double>(samples) * 1000.0 / kSinkRate;
}

} // namespace orvane::testing
