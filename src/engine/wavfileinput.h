#pragma once

#include "engine/regularfile.h"
#include "engine/wavdatasizefix.h"

#include <memory>
#include <optional>
#include <sndfile.h>
#include <string>

namespace orvane {

// A WAV file as libsndfile reads it through its virtual I/O: the file opened without waiting
// (see RegularFile), with the data size corrected where a streaming writer left it at 0.
class WavFileInput
{
public:
    // The input of the regular file at `path`; null with `error` set otherwise.
    static std::unique_ptr<WavFileInput> open(const std::string& path, std::string& error);

    // The calls libsndfile makes, each given this input as its user data.
    static SF_VIRTUAL_IO& io();

private:
    static WavFileInput& of(void* user) { return *static_cast<WavFileInput*>(user); }
    static sf_count_t length(void* user);
    static sf_count_t seek(sf_count_t offset, int whence, void* user);
    static sf_count_t read(void* buffer, sf_count_t count, void* user);
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* user) { return of(user).m_position; }
    void applyFix(std::uint8_t* bytes, long long count) const;

    RegularFile m_file;
    std::optional<WavDataSizeFix> m_fix;
    sf_count_t m_position = 0;
};

} // namespace orvane
