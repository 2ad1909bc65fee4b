#include "cardsim/daemon_protocol.h"

#include <cstring>

#include "cardsim/card_device.h"

namespace tovik::card::wire {

namespace {

class Writer {
public:
    explicit Writer(Type type) { out_.resize(4); out_.push_back(type); }
    Writer& u8(std::uint8_t v) { out_.push_back(v); return *this; }
    Writer& u16(std::uint16_t v) { return le(v, 2); }
    Writer& u32(std::uint32_t v) { return le(v, 4); }
    Writer& u64(std::uint64_t v) { return le(v, 8); }
    Writer& bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
        return *this;
    }
    Bytes done() {
        const auto n = static_cast<std::uint32_t>(out_.size() - 4);
        for (int i = 0; i < 4; ++i) out_[i] = static_cast<std::uint8_t>(n >> (8 * i));
        return std::move(out_);
    }

private:
    Writer& le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes out_;
};

class Reader {
public:
    explicit Reader(const Bytes& b) : b_(b) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return ok_ && pos_ == b_.size(); }
    std::uint64_t le(int n) {
        if (pos_ + n > b_.size()) { ok_ = false; return 0; }
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint64_t{b_[pos_ + i]} << (8 * i);
        pos_ += n;
        return v;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(le(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(le(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(le(4)); }
    std::uint64_t u64() { return le(8); }
    std::string text(std::size_t n) {
        if (pos_ + n > b_.size()) { ok_ = false; return {}; }
        std::string s(reinterpret_cast<const char*>(b_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    std::size_t left() const { return b_.size() - pos_; }

private:
    const Bytes& b_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace

void FrameReader::feed(const std::uint8_t* data, std::size_t size) {
    if (broken_) return;
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), data, data + size);
}

std::optional<Bytes> FrameReader::next() {
    if (broken_ || buffer_.size() - start_ < 4) return std::nullopt;
    const std::uint8_t* p = buffer_.data() + start_;
    const std::uint32_t n = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    if (n == 0 || n > kMaxFrame) {
        broken_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - start_ - 4 < n) return std::nullopt;
    Bytes body(p + 4, p + 4 + n);
    start_ += 4 + n;
    if (start_ > 65536) {  // keep the buffer from growing with a long-lived connection
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    return body;
}

Bytes submitFrame(std::uint64_t tag, const UnitRequest& r) {
    const std::size_t n = std::min<std::size_t>(r.text.size(), kNameTextSize);
    return Writer(SUBMIT).u64(tag).u32(r.code).u8(r.command).u8(r.p1).u8(r.p2).u8(r.p3).u8(r.selector)
        .u32(r.nameKind).u32(r.nameIndex).u16(static_cast<std::uint16_t>(n)).bytes(r.text.data(), n).done();
}
Bytes cardReadyFrame() { return Writer(CARD_READY).done(); }
Bytes setVolumeFrame(std::uint8_t volume) { return Writer(SET_VOLUME).u8(volume).done(); }
Bytes cancelFrame(std::uint64_t tag) { return Writer(CANCEL).u64(tag).done(); }
Bytes controlFrame(const std::vector<std::string>& words) {
    Writer w(CONTROL);
    for (const auto& word : words) w.bytes(word.data(), word.size()).u8(0);
    return w.done();
}
Bytes mixerFrame(const MixerMessage& m) {
    return Writer(MIXER).u32(m.message).u32(m.param1).u32(m.param2).done();
}
Bytes replyFrame(bool ok) { return Writer(REPLY).u8(ok ? 1 : 0).done(); }
Bytes answerFrame(const UnitAnswer& a) {
    const std::size_t n = std::min<std::size_t>(a.area.size(), kMaxAnswerBytes);
    return Writer(ANSWER).u64(a.tag).u32(a.result).u16(static_cast<std::uint16_t>(n)).bytes(a.area.data(), n).done();
}
Bytes controlReplyFrame(bool ok, bool quit, const std::string& text) {
    return Writer(CONTROL_REPLY).u8(ok).u8(quit).bytes(text.data(), text.size()).done();
}

std::optional<Submit> readSubmit(const Bytes& body) {
    Reader r(body);
    if (r.u8() != SUBMIT) return std::nullopt;
    Submit s{};
    s.tag = r.u64();
    s.request.code = r.u32();
    s.request.command = r.u8();
    s.request.p1 = r.u8();
    s.request.p2 = r.u8();
    s.request.p3 = r.u8();
    s.request.selector = r.u8();
    s.request.nameKind = r.u32();
    s.request.nameIndex = r.u32();
    const std::uint16_t n = r.u16();
    if (!r.ok() || n > kNameTextSize || r.left() != n) return std::nullopt;
    s.request.text = r.text(n);
    return s;
}

std::optional<std::uint8_t> readSetVolume(const Bytes& body) {
    Reader r(body);
    if (r.u8() != SET_VOLUME) return std::nullopt;
    const std::uint8_t v = r.u8();
    if (!r.atEnd()) return std::nullopt;
    return v;
}

std::optional<MixerMessage> readMixer(const Bytes& body) {
    Reader r(body);
    if (r.u8() != MIXER) return std::nullopt;
    MixerMessage m;
    m.message = r.u32();
    m.param1 = r.u32();
    m.param2 = r.u32();
    if (!r.atEnd()) return std::nullopt;
    return m;
}

std::optional<std::uint64_t> readCancel(const Bytes& body) {
    Reader r(body);
    if (r.u8() != CANCEL) return std::nullopt;
    const std::uint64_t tag = r.u64();
    if (!r.atEnd()) return std::nullopt;
    return tag;
}

std::optional<std::vector<std::string>> readControl(const Bytes& body) {
    if (body.empty() || body[0] != CONTROL || (body.size() > 1 && body.back() != 0)) return std::nullopt;
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 1; i < body.size(); ++i) {
        if (body[i] == 0) {
            words.push_back(std::move(word));
            word.clear();
        } else {
            word += static_cast<char>(body[i]);
        }
    }
    return words;
}

std::optional<bool> readReply(const Bytes& body) {
    Reader r(body);
    if (r.u8() != REPLY) return std::nullopt;
    const std::uint8_t ok = r.u8();
    if (!r.atEnd()) return std::nullopt;
    return ok != 0;
}

std::optional<UnitAnswer> readAnswer(const Bytes& body) {
    Reader r(body);
    if (r.u8() != ANSWER) return std::nullopt;
    UnitAnswer a;
    a.tag = r.u64();
    a.result = r.u32();
    const std::uint16_t n = r.u16();
    if (!r.ok() || n > kMaxAnswerBytes || r.left() != n) return std::nullopt;
    a.area.assign(body.end() - n, body.end());
    return a;
}

std::optional<ControlReply> readControlReply(const Bytes& body) {
    Reader r(body);
    if (r.u8() != CONTROL_REPLY) return std::nullopt;
    ControlReply c;
    c.ok = r.u8() != 0;
    c.quit = r.u8() != 0;
    if (!r.ok()) return std::nullopt;
    c.text = r.text(r.left());
    return c;
}

}  // namespace tovik::card::wire

#include <cstdlib>
#include <unistd.h>

namespace tovik::card {

std::string daemonSocketName() {
    const char* name = std::getenv("VTOVIKMD_SOCKET");
    if (name && *name) return name;
    // The session's runtime folder belongs to the user alone; in the shared temporary folder
    // another user could take the name first.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/') return std::string(runtime) + "/vtovikmd";
    return "vtovikmd-" + std::to_string(static_cast<unsigned long>(getuid()));
}

}  // namespace tovik::card
