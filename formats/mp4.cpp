#include "formats/mp4.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "platform/error.h"

namespace quillory {
namespace {

constexpr std::uint64_t kMostMovieBytes = 64 << 20;  // a movie box beyond is no sound file's
constexpr std::uint32_t kMostFrameBytes = 1 << 16;   // AAC: at most 768 bytes a channel

// Bytes of the movie box, or of one inside it: a view, checked by the code that makes it.
struct Bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;

    Bytes from(std::size_t at) const { return at <= size ? Bytes{data + at, size - at} : Bytes{}; }
    Bytes first(std::size_t count) const { return {data, std::min(count, size)}; }
    unsigned operator[](std::size_t at) const { return data[at]; }
};

std::uint32_t be32(Bytes bytes, std::size_t at) {
    const unsigned char* b = bytes.data + at;
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

std::uint64_t be64(Bytes bytes, std::size_t at) {
    return std::uint64_t{be32(bytes, at)} << 32 | be32(bytes, at + 4);
}

std::uint16_t be16(Bytes bytes, std::size_t at) {
    return static_cast<std::uint16_t>(be32(bytes, at) >> 16);
}

constexpr std::uint32_t fourcc(const char (&name)[5]) {
    return std::uint32_t(name[0]) << 24 | std::uint32_t(name[1]) << 16 |
           std::uint32_t(name[2]) << 8 | std::uint32_t(name[3]);
}

// A box's type and body.
struct Box {
    std::uint32_t type = 0;
    Bytes body;
};

// The box at the start of `bytes`, or false when it does not fit.
bool boxAt(Bytes bytes, Box& box, std::size_t& size) {
    if (bytes.size < 8) {
        return false;
    }
    std::uint64_t length = be32(bytes, 0);
    std::size_t header = 8;
    if (length == 1) {
        if (bytes.size < 16) {
            return false;
        }
        length = be64(bytes, 8);
        header = 16;
    } else if (length == 0) {
        length = bytes.size;
    }
    if (length < header || length > bytes.size) {
        return false;
    }
    size = static_cast<std::size_t>(length);
    box = {be32(bytes, 4), bytes.from(header).first(size - header)};
    return true;
}

// The `index`th box of this type among `bytes`' boxes.
bool child(Bytes bytes, std::uint32_t type, Box& found, int index = 0) {
    for (std::size_t size = 0; boxAt(bytes, found, size); bytes = bytes.from(size)) {
        if (found.type == type && index-- == 0) {
            return true;
        }
    }
    return false;
}

// A path of boxes, each inside the one before.
bool path(Bytes bytes, std::initializer_list<std::uint32_t> types, Box& found) {
    for (const std::uint32_t type : types) {
        if (!child(bytes, type, found)) {
            return false;
        }
        bytes = found.body;
    }
    return true;
}

// An MPEG-4 descriptor's tag and body at the start of `bytes`.
bool descriptor(Bytes& bytes, unsigned& tag, Bytes& body) {
    if (bytes.size == 0) {
        return false;
    }
    tag = bytes[0];
    std::size_t length = 0, at = 1;
    for (unsigned char byte = 0x80; byte & 0x80; ++at) {
        if (at == bytes.size || at > 4) {
            return false;
        }
        byte = static_cast<unsigned char>(bytes[at]);
        length = length << 7 | (byte & 0x7f);
    }
    if (length > bytes.size - at) {
        return false;
    }
    body = bytes.from(at).first(length);
    bytes = bytes.from(at + length);
    return true;
}

// The AudioSpecificConfig of an AAC elementary stream descriptor's body.
bool aacConfig(Bytes esds, std::string& config) {
    unsigned tag = 0;
    Bytes es;
    if (esds.size < 4 || (esds = esds.from(4), !descriptor(esds, tag, es)) || tag != 3 ||
        es.size < 3) {
        return false;
    }
    const unsigned flags = es[2];
    std::size_t skip = 3 + (flags & 0x80 ? 2 : 0);  // the stream it depends on
    if ((flags & 0x40) && es.size > skip) {         // a URL
        skip += 1 + es[skip];
    }
    skip += flags & 0x20 ? 2 : 0;  // a clock reference stream
    Bytes decoder, specific;
    if (es.size < skip || (es = es.from(skip), !descriptor(es, tag, decoder)) || tag != 4 ||
        decoder.size < 13) {
        return false;
    }
    const unsigned object = decoder[0];
    if (object != 0x40 && object != 0x66 && object != 0x67 && object != 0x68) {
        return false;  // neither MPEG-4 nor MPEG-2 AAC
    }
    decoder = decoder.from(13);
    if (!descriptor(decoder, tag, specific) || tag != 5 || specific.size == 0) {
        return false;
    }
    config.assign(reinterpret_cast<const char*>(specific.data), specific.size);
    return true;
}

// The rate and channels an AudioSpecificConfig names; each 0 where it leaves them to others.
void configuredFormat(const std::string& config, unsigned& rate, unsigned& channels) {
    static constexpr unsigned kRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                          22050, 16000, 12000, 11025, 8000,  7350};
    std::uint64_t bits = 0;  // the first 8 bytes, from the top
    for (std::size_t i = 0; i < 8; ++i) {
        bits = bits << 8 | (i < config.size() ? static_cast<unsigned char>(config[i]) : 0);
    }
    std::size_t used = 5;  // the object type, 6 bits more when it is 31
    if ((bits >> 59) == 31) {
        used += 6;
    }
    const auto take = [&](std::size_t count) {
        used += count;
        return static_cast<unsigned>(bits >> (64 - used) & ((1u << count) - 1));
    };
    const unsigned index = take(4);
    rate = index < std::size(kRates) ? kRates[index] : index == 15 ? take(24) : 0;
    channels = take(4);
}

// A table box's body: a version and flags, `before` more bytes, an entry count and the entries.
bool table(const Box& box, std::size_t before, std::size_t entryBytes, Bytes& entries,
           std::uint32_t& count) {
    const std::size_t head = 8 + before;
    if (box.body.size < head) {
        return false;
    }
    count = be32(box.body, head - 4);
    entries = box.body.from(head);
    return entries.size / entryBytes >= count;
}

// `count` bytes at `offset`, else an Error.
void readExact(ByteSource& source, std::uint64_t offset, void* into, std::size_t count) {
    if (source.readAt(offset, into, count) != count) {
        throw Error(kReadBeyondEnd);
    }
}

class Mp4Frames : public CompressedFrames {
public:
    Mp4Frames(std::unique_ptr<ByteSource> source, std::string movie)
        : source_(std::move(source)), movie_(std::move(movie)) {}

    Bytes movie() const {
        return {reinterpret_cast<const unsigned char*>(movie_.data()), movie_.size()};
    }

    // The tables, as views into the movie box this holds.
    Bytes sizes, chunks, runs;
    std::uint32_t sampleCount = 0, fixedSize = 0, chunkCount = 0, runCount = 0;
    bool wideChunks = false;

    bool next(std::string& frame) override {
        if (sample_ == sampleCount) {
            return false;
        }
        while (run_ + 1 < runCount && be32(runs, (run_ + 1) * 12) - 1 <= chunk_) {
            ++run_;
        }
        const std::uint32_t inChunk = be32(runs, run_ * 12 + 4);
        const std::uint32_t size = fixedSize ? fixedSize : be32(sizes, sample_ * 4);
        if (chunk_ >= chunkCount || inChunk == 0 || size > kMostFrameBytes) {
            throw Error(kReadBeyondEnd);  // the tables do not hold together
        }
        frame.resize(size);
        readExact(*source_,
                  (wideChunks ? be64(chunks, chunk_ * 8) : be32(chunks, chunk_ * 4)) + within_,
                  frame.data(), size);
        ++sample_;
        within_ += size;
        if (++sampleInChunk_ == inChunk) {
            ++chunk_;
            sampleInChunk_ = 0;
            within_ = 0;
        }
        return true;
    }

private:
    std::unique_ptr<ByteSource> source_;
    std::string movie_;
    std::uint32_t sample_ = 0, chunk_ = 0, run_ = 0, sampleInChunk_ = 0;
    std::uint64_t within_ = 0;
};

// The movie box's body, read from the file's top-level boxes.
bool readMovie(ByteSource& file, std::string& movie) {
    const std::uint64_t length = file.size();
    for (std::uint64_t at = 0; at + 8 <= length;) {
        unsigned char bytes[16] = {};
        const Bytes header{bytes, sizeof bytes};
        readExact(file, at, bytes, at + 16 <= length ? 16 : 8);
        std::uint64_t size = be32(header, 0);
        const std::uint64_t headerSize = size == 1 ? 16 : 8;
        size = size == 1 ? be64(header, 8) : size == 0 ? length - at : size;
        if (size < headerSize || size > length - at) {
            return false;
        }
        if (be32(header, 4) == fourcc("moov")) {
            if (size - headerSize > kMostMovieBytes) {
                return false;
            }
            movie.resize(static_cast<std::size_t>(size - headerSize));
            readExact(file, at + headerSize, movie.data(), movie.size());
            return true;
        }
        at += size;
    }
    return false;
}

// The track's sample description, decoder configuration and times.
bool describe(Bytes trak, std::uint32_t movieScale, AacTrack& aac) {
    constexpr std::uint32_t mdia = fourcc("mdia");
    Box hdlr, mdhd, entry, esds, elst;
    if (!path(trak, {mdia, fourcc("hdlr")}, hdlr) || hdlr.body.size < 12 ||
        be32(hdlr.body, 8) != fourcc("soun") || !path(trak, {mdia, fourcc("mdhd")}, mdhd) ||
        !path(trak, {mdia, fourcc("minf"), fourcc("stbl"), fourcc("stsd")}, entry) ||
        !child(entry.body.from(8), fourcc("mp4a"), entry) || entry.body.size < 28) {
        return false;
    }
    const std::uint16_t version = be16(entry.body, 8);
    const std::size_t children = version == 0 ? 28 : version == 1 ? 44 : 0;
    if (children == 0 || !child(entry.body.from(children), fourcc("esds"), esds) ||
        !aacConfig(esds.body, aac.config)) {
        return false;
    }
    // The configuration rules; the sample description's are often a default (stereo).
    configuredFormat(aac.config, aac.rate, aac.channels);
    aac.channels = aac.channels ? aac.channels : be16(entry.body, 16);
    aac.rate = aac.rate ? aac.rate : be32(entry.body, 24) >> 16;
    const bool wide = mdhd.body.size > 0 && mdhd.body[0] == 1;
    if (mdhd.body.size < (wide ? 32u : 20u)) {
        return false;
    }
    aac.timescale = be32(mdhd.body, wide ? 20 : 12);
    const std::uint64_t duration = wide ? be64(mdhd.body, 24) : be32(mdhd.body, 16);
    aac.soundTime = duration;
    Bytes edits;
    std::uint32_t editCount = 0;
    const bool edited = path(trak, {fourcc("edts"), fourcc("elst")}, elst);
    const bool wideEdits = edited && elst.body.size > 0 && elst.body[0] == 1;
    if (edited && table(elst, 0, wideEdits ? 20 : 12, edits, editCount)) {
        for (std::uint32_t i = 0; i < editCount; ++i) {
            const std::size_t at = i * (wideEdits ? 20 : 12);
            const std::uint64_t segment = wideEdits ? be64(edits, at) : be32(edits, at);
            const std::int64_t start = wideEdits ? static_cast<std::int64_t>(be64(edits, at + 8))
                                                 : static_cast<std::int32_t>(be32(edits, at + 4));
            if (start >= 0) {  // -1: an empty edit, a pause before the sound
                aac.primingTime = static_cast<std::uint64_t>(start);
                aac.soundTime = segment && movieScale
                                    ? segment * aac.timescale / movieScale
                                    : duration - std::min<std::uint64_t>(duration, aac.primingTime);
                break;
            }
        }
    }
    return aac.rate > 0 && aac.channels > 0 && aac.timescale > 0;
}

bool sampleTables(Bytes trak, Mp4Frames& frames) {
    Box stbl, stsz, stsc, stco;
    if (!path(trak, {fourcc("mdia"), fourcc("minf"), fourcc("stbl")}, stbl) ||
        !child(stbl.body, fourcc("stsz"), stsz) || !child(stbl.body, fourcc("stsc"), stsc)) {
        return false;
    }
    frames.wideChunks = !child(stbl.body, fourcc("stco"), stco);
    if ((frames.wideChunks && !child(stbl.body, fourcc("co64"), stco)) || stsz.body.size < 12) {
        return false;
    }
    frames.fixedSize = be32(stsz.body, 4);
    frames.sampleCount = be32(stsz.body, 8);
    frames.sizes = stsz.body.from(12);
    return (frames.fixedSize || frames.sizes.size / 4 >= frames.sampleCount) &&
           table(stsc, 0, 12, frames.runs, frames.runCount) && frames.runCount > 0 &&
           table(stco, 0, frames.wideChunks ? 8 : 4, frames.chunks, frames.chunkCount);
}

}  // namespace

bool readMp4Aac(std::unique_ptr<ByteSource> source, AacTrack& aac) {
    std::string movie;
    if (!readMovie(*source, movie)) {
        return false;
    }
    auto frames = std::make_unique<Mp4Frames>(std::move(source), std::move(movie));
    const Bytes moov = frames->movie();
    Box mvhd, trak;
    std::uint32_t movieScale = 0;
    if (child(moov, fourcc("mvhd"), mvhd)) {
        const bool wide = mvhd.body.size > 0 && mvhd.body[0] == 1;
        if (mvhd.body.size >= (wide ? 24u : 16u)) {
            movieScale = be32(mvhd.body, wide ? 20 : 12);
        }
    }
    for (int index = 0; child(moov, fourcc("trak"), trak, index); ++index) {
        AacTrack found;
        if (describe(trak.body, movieScale, found) && sampleTables(trak.body, *frames)) {
            found.frameCount = frames->sampleCount;
            found.frames = std::move(frames);
            aac = std::move(found);
            return true;
        }
    }
    return false;
}

}  // namespace quillory
