#pragma once
// Conversion between the text a user sees (display form) and the text written on a disc (disc
// form). Both are CP932 byte strings.
//
// On a Japanese system the disc holds only the allowed single bytes: kana are written as
// romanised codes between carets ("ﾗｰﾒﾝ" is "^RA^-^MEn^") and full-width letters and signs as
// their ASCII forms; reading a disc turns the codes back into half-width katakana. On any other
// system both conversions leave the text as it is.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/strings.h"

namespace tovik::disc {

// The conversions write into a buffer of this size, terminating NUL included, so a result holds
// at most kMdTextMaxLength bytes. A longer result fails the conversion instead of being cut.
inline constexpr std::size_t kMdTextBufferSize = 2048;
inline constexpr std::size_t kMdTextMaxLength = kMdTextBufferSize - 1;

enum class MdTextError {
    None,
    Mismatch,  // a character that no table holds (encoding only)
    TooLong,   // the result would not fit in the buffer
};

struct MdTextResult {
    bool ok = true;
    // The converted text. On failure: the conversion of everything before the failing character,
    // ending on a character boundary and with any kana run closed, so that it decodes cleanly.
    std::string text;
    MdTextError error = MdTextError::None;
    // On failure, the byte offset in the input of the character that failed.
    std::size_t failedAt = 0;
};

// Display form to disc form.
MdTextResult EncodeMdText(std::string_view display, Language language);
// Disc form to display form. Never fails on content; only a result past the buffer fails.
MdTextResult DecodeMdText(std::string_view disc, Language language);

// The same with the system's language.
MdTextResult EncodeMdText(std::string_view display);
MdTextResult DecodeMdText(std::string_view disc);

}  // namespace tovik::disc
