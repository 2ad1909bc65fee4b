#pragma once
// What travels over vtovikmd's local socket. Every message is a frame: a 4-byte little-endian
// body length, then the body, whose first byte says what it is. The daemon refuses frames it
// cannot read by closing that connection; nothing a client sends can reach beyond its own.
//
//   client -> daemon                          daemon -> client
//   1 submit  tag8 code4 cmd p1 p2 p3 sel     0x81 reply    ok1           (to 1, 2, 3)
//             kind4 index4 len2 text          0x82 answer   tag8 result4 len2 bytes
//   2 card ready                              0x85 control  ok1 quit1 text
//   3 set volume  volume1
//   4 cancel  tag8                            (no reply)
//   5 control  words, each ending in a zero byte
//   6 mixer  message4 param1_4 param2_4       (the card's mixer driver; replied to with 0x81)

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cardsim/card_service.h"

namespace tovik::card::wire {

enum Type : std::uint8_t {
    SUBMIT = 1, CARD_READY = 2, SET_VOLUME = 3, CANCEL = 4, CONTROL = 5, MIXER = 6,
    REPLY = 0x81, ANSWER = 0x82, CONTROL_REPLY = 0x85,
};

constexpr std::uint32_t kMaxFrame = 1 << 20;  // a disc image fits; anything bigger is refused
constexpr std::uint32_t kMaxAnswerBytes = 2064;

using Bytes = std::vector<std::uint8_t>;

// Collects bytes from a stream and cuts them into frame bodies.
class FrameReader {
public:
    void feed(const std::uint8_t* data, std::size_t size);
    // The next whole frame body, if one has arrived.
    std::optional<Bytes> next();
    // A frame announced a body larger than kMaxFrame (or empty): the stream cannot be trusted.
    bool broken() const { return broken_; }

private:
    Bytes buffer_;
    std::size_t start_ = 0;
    bool broken_ = false;
};

// Frame (length prefix included) for each message.
Bytes submitFrame(std::uint64_t tag, const UnitRequest& request);
Bytes cardReadyFrame();
Bytes setVolumeFrame(std::uint8_t volume);
Bytes cancelFrame(std::uint64_t tag);
Bytes controlFrame(const std::vector<std::string>& words);
Bytes mixerFrame(const MixerMessage& message);
Bytes replyFrame(bool ok);
Bytes answerFrame(const UnitAnswer& answer);
Bytes controlReplyFrame(bool ok, bool quit, const std::string& text);

// Readers for bodies; empty when the body does not have the exact layout of its type.
struct Submit {
    std::uint64_t tag;
    UnitRequest request;
};
std::optional<Submit> readSubmit(const Bytes& body);
std::optional<std::uint8_t> readSetVolume(const Bytes& body);
std::optional<std::uint64_t> readCancel(const Bytes& body);
std::optional<std::vector<std::string>> readControl(const Bytes& body);
std::optional<MixerMessage> readMixer(const Bytes& body);
std::optional<bool> readReply(const Bytes& body);
std::optional<UnitAnswer> readAnswer(const Bytes& body);
struct ControlReply {
    bool ok;
    bool quit;
    std::string text;
};
std::optional<ControlReply> readControlReply(const Bytes& body);

}  // namespace tovik::card::wire

namespace tovik::card {

// The daemon's socket name: $VTOVIKMD_SOCKET when set and non-empty (a name in the temporary
// directory, or an absolute path), else "$XDG_RUNTIME_DIR/vtovikmd" when the session has a
// runtime folder, else "vtovikmd-<uid>" in the temporary directory.
std::string daemonSocketName();

}  // namespace tovik::card
