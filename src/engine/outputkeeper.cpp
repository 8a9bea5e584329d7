#include "engine/outputkeeper.h"

#include "engine/audiolog.h"
#include "engine/outputformat.h"
#include "engine/silentaudiooutput.h"
#include "engine/soundstream.h"

#include <algorithm>
#include <thread>

namespace orvane {

namespace {

constexpr int kSilent = 1;
constexpr int kDevice = 2;

} // namespace

OutputKeeper::OutputKeeper(std::shared_ptr<SoundStream> stream,
                           std::shared_ptr<OutputDevice> device,
                           std::shared_ptr<OutputDevice> silent, OutputTap tap, Notice notice)
    : m_stream(std::move(stream)), m_deviceDriver(std::move(device)),
      m_silentDriver(std::move(silent)), m_tap(std::move(tap)), m_notice(std::move(notice))
{
}

OutputKeeper::~OutputKeeper()
{
    closeAll();
}

void OutputKeeper::detach()
{
    {
        const std::lock_guard lock(m_noticeMutex);
        m_detached.store(true);
    }
    while (m_inTap.load() != 0)
        std::this_thread::yield();
}

void OutputKeeper::closeAll()
{
    m_active.store(0);
    m_device.reset();
    m_silent.reset();
    if (m_deviceDriver)
        m_deviceDriver->release();
}

RenderCallback OutputKeeper::renderFor(int output)
{
    // Only the output in charge takes from the stream; another one still running plays silence.
    return [this, output](float* out, std::size_t frames) {
        if (m_active.load(std::memory_order_acquire) != output) {
            std::fill_n(out, frames * kOutputChannels, 0.0f);
            return;
        }
        m_stream->pull(out, frames);
        if (m_tap) {
            m_inTap.fetch_add(1);
            if (!m_detached.load())
                m_tap(out, frames);
            m_inTap.fetch_sub(1);
        }
    };
}

void OutputKeeper::prepare()
{
    if (m_deviceDriver && m_deviceDriver->mayAppear())
        m_deviceDriver->prepare();
}

std::string OutputKeeper::tryFirst(Clock::time_point now)
{
    if (m_deviceDriver && tryDevice(false, now))
        return m_device->description();
    return SilentAudioOutput::kDescription;
}

bool OutputKeeper::tryDevice(bool again, Clock::time_point now)
{
    m_lastTry = now;
    std::string error;
    m_device = m_deviceDriver->open(renderFor(kDevice), again, error);
    if (!m_device) {
        if (!m_deviceFailed)
            reportAudioProblem("no audio output device (" + error +
                               "); playing to a silent sink instead");
        m_deviceFailed = true;
        return false;
    }
    m_deviceFailed = false;
    m_active.store(kDevice, std::memory_order_release);
    return true;
}

void OutputKeeper::startSilent()
{
    m_active.store(kSilent, std::memory_order_release);
    std::string error;
    m_silent = m_silentDriver->open(renderFor(kSilent), false, error);
}

void OutputKeeper::look(bool wanted, Clock::time_point now)
{
    if (m_device && m_device->lost()) {
        reportAudioProblem("the audio device was lost; playing to a silent sink until it is back");
        {
            const std::lock_guard lock(m_noticeMutex);
            if (m_notice && !m_detached.load())
                m_notice("Sound device lost: playing silently until it is back");
        }
        m_deviceFailed = true;
        m_lastTry = now;
        std::unique_ptr<AudioOutput> lost = std::move(m_device);
        if (wanted)
            startSilent(); // before the lost device is closed, which may take a moment
        else
            m_active.store(0, std::memory_order_release);
    }
    if (!wanted) {
        if (!isOpen())
            return;
        if (!m_idle) {
            m_idle = true;
            m_idleSince = now;
        } else if (now - m_idleSince >= kIdleGrace) {
            m_active.store(0, std::memory_order_release);
            m_device.reset();
            m_silent.reset();
            m_idle = false;
        }
        return;
    }
    m_idle = false;
    const bool deviceWanted = m_deviceDriver && m_deviceDriver->mayAppear();
    // While the device is missing, time goes on on the silent sink, also during a retry.
    if (!isOpen() && (!deviceWanted || m_deviceFailed))
        startSilent();
    if (!m_device && deviceWanted && (!m_deviceFailed || now - m_lastTry >= kRetryInterval))
        tryDevice(m_deviceFailed, now);
    if (m_device)
        m_silent.reset();
    else if (!m_silent)
        startSilent();
}

} // namespace orvane
