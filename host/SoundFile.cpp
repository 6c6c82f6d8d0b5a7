#include "host/SoundFile.h"

#include <unistd.h>

#include "host/RenderError.h"

namespace orvrender {

namespace {

std::string libraryError(SNDFILE* file) {
    std::string text = sf_strerror(file);
    while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

SoundFileReader::SoundFileReader(const std::string& path) : path_(path) {
    if (access(path.c_str(), R_OK) != 0) throw RenderError("cannot read " + path + ": no such readable file");
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (!file_) throw RenderError("cannot read " + path + ": " + libraryError(nullptr));
    if (info_.channels > 2) {
        sf_close(file_);
        throw RenderError(path + " has " + std::to_string(info_.channels) + " channels; only mono and stereo are supported");
    }
}

SoundFileReader::~SoundFileReader() { sf_close(file_); }

int64_t SoundFileReader::read(double* interleaved, int64_t frames) {
    int64_t done = 0;
    while (done < frames) {
        const sf_count_t n = sf_readf_double(file_, interleaved + done * info_.channels, frames - done);
        if (n <= 0) break;
        done += n;
    }
    if (sf_error(file_) != SF_ERR_NO_ERROR) throw RenderError("cannot read " + path_ + ": " + libraryError(file_));
    return done;
}

SoundFileWriter::SoundFileWriter(const std::string& path, int format, int channels, int sampleRate) : target_(path) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    if (!sf_format_check(&info)) throw RenderError("cannot write this format to " + path);
    file_ = sf_open_fd(target_.takeDescriptor(), SFM_WRITE, &info, SF_TRUE);
    if (!file_) throw RenderError("cannot write " + path + ": " + libraryError(nullptr));
    // Out-of-range samples clip rather than wrap when written as integers.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // The peak chunk carries a time stamp; without it the same render gives the same bytes.
    sf_command(file_, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

SoundFileWriter::~SoundFileWriter() { close(); }

void SoundFileWriter::write(const double* interleaved, int64_t frames) {
    if (sf_writef_double(file_, interleaved, frames) != frames)
        throw RenderError("cannot write " + target_.target() + ": " + libraryError(file_));
}

void SoundFileWriter::commit() {
    sf_write_sync(file_);
    const int error = sf_close(file_);
    file_ = nullptr;
    if (error != 0) throw RenderError("cannot write " + target_.target() + ": " + sf_error_number(error));
    target_.commit();
}

void SoundFileWriter::close() {
    if (file_) sf_close(file_);
    file_ = nullptr;
}

}  // namespace orvrender
