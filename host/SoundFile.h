// Audio files through libsndfile: a reader for the input and a writer that fills a temporary
// file, renamed over OUTPUT only when complete.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <sndfile.h>

#include "host/AtomicFile.h"

namespace orvrender {

class SoundFileReader {
public:
    explicit SoundFileReader(const std::string& path);
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    int channels() const { return info_.channels; }
    int sampleRate() const { return info_.samplerate; }
    int64_t frames() const { return info_.frames; }
    int format() const { return info_.format; }

    // Interleaved frames; fewer than asked only at the end of the file.
    int64_t read(double* interleaved, int64_t frames);

private:
    std::string path_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
};

class SoundFileWriter {
public:
    SoundFileWriter(const std::string& path, int format, int channels, int sampleRate);
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    void write(const double* interleaved, int64_t frames);
    // Finishes the file and puts it in place.
    void commit();

private:
    void close();

    AtomicFile target_;
    SNDFILE* file_ = nullptr;
};

}  // namespace orvrender
