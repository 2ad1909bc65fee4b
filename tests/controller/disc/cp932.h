#pragma once
// Tests write their texts readably in UTF-8 and hand CP932 bytes to the code under test.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace tovik::disc::test {

inline const CodePage& japanesePage() {
    static const CodePage page = CodePage::forLanguage(Language::Japanese);
    return page;
}

// UTF-8 to CP932; a test text that has no CP932 form is a mistake in the test.
inline std::string sj(std::string_view utf8) {
    auto bytes = japanesePage().fromUtf8(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or(std::string());
}

inline std::string utf8(std::string_view cp932) {
    return japanesePage().toUtf8(cp932);
}

}  // namespace tovik::disc::test
