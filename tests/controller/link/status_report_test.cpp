#include "controller/link/status_report.h"

#include <gtest/gtest.h>

#include "resources/strings.h"

namespace tovik::link {
namespace {

class ReportTest : public ::testing::Test {
protected:
    StatusReport decode(const std::string& hex, StatusArea area = StatusArea::A) {
        auto raw = parseRawStatus(hex);
        EXPECT_TRUE(raw) << hex;
        decodeStatus(raw->data(), area, status);
        return makeReport(status, buttons.apply(status), buttons, strings);
    }
    MdStatus status;
    ButtonState buttons;
    StringTable strings{resources::rotelaStrings(), Language::English};
};

TEST_F(ReportTest, JsonNamesEveryFieldRowEnabledColumnsAndMessage) {
    // Nibble 1, stopped, recordable disc with an edit error: row 13, "Can't EDIT".
    const StatusReport r = decode("10 20 00 40 04 00 03 1e 70 00 00 00 0c");
    EXPECT_EQ(toJson(r),
              "{\"unit_state\":16,\"mode\":2,\"sub_state\":0,\"flag_a\":0,\"flag_b\":1,"
              "\"low_bits\":0,\"disc_state\":1,\"current_track\":3,\"volume\":30,"
              "\"recordable\":1,\"minutes\":0,\"seconds\":0,\"spare\":0,\"total_tracks\":12,"
              "\"left_level\":0,\"right_level\":0,\"error_code\":112,\"row\":13,"
              "\"enabled\":[\"POWER\",\"MIXER\",\"ACCESS\",\"MDPLAY\",\"MDSTOP\",\"UP\",\"DOWN\","
              "\"TIME\",\"AUTOMARK\",\"RECMODE\",\"SLEEVON\",\"volume\",\"INIT\",\"TOCEDIT\","
              "\"Edit Track\",\"ALL ERASE\",\"ERASE\",\"MOVE\",\"COMBINE\",\"track name\","
              "\"disc name\"],\"poll\":0,\"message\":\"Can't EDIT\"}");
}

TEST_F(ReportTest, ModeSixHasNoRowButKeepsTheOneInForce) {
    decode("10 50 00 40 00 00 01 1e 00 00 05 00 03");  // playing pre-recorded: row 7
    StatusReport r = decode("10 60 00 40 00 00 01 1e 00 00 06 20 21", StatusArea::B);
    EXPECT_FALSE(r.row);
    EXPECT_EQ(r.poll, 1u);
    EXPECT_EQ(r.status.totalTracks, 3);
    EXPECT_EQ(r.status.leftLevel, 0x20);
    const std::string json = toJson(r);
    EXPECT_NE(json.find("\"row\":null"), std::string::npos);
    EXPECT_NE(json.find("\"message\":null"), std::string::npos);
    EXPECT_NE(json.find("\"FF\""), std::string::npos);
    EXPECT_NE(toText(r).find("row: -\n"), std::string::npos);
}

TEST_F(ReportTest, MessagesAreEscapedAndModelComesFirst) {
    StatusReport r;
    r.model = "ZQ-41";
    r.message = "MD Communication error\n(Time out) \"x\"";
    const std::string json = toJson(r);
    EXPECT_EQ(json.rfind("{\"model\":\"ZQ-41\",\"unit_state\":0", 0), 0u);
    EXPECT_NE(json.find("\"MD Communication error\\n(Time out) \\\"x\\\"\""), std::string::npos);
    EXPECT_NE(toText(r).find("message: MD Communication error (Time out)"), std::string::npos);
}

TEST_F(ReportTest, RawStatusParsing) {
    EXPECT_FALSE(parseRawStatus("1020004004000301e700000000c"));  // 27 digits
    EXPECT_TRUE(parseRawStatus("102000400400031e700000000c"));
    EXPECT_TRUE(parseRawStatus("10:20:00:40:04:00:03:1E:70:00:00:00:0C"));
    EXPECT_FALSE(parseRawStatus("102000400400031e700000000"));    // 12.5 bytes
    EXPECT_FALSE(parseRawStatus("102000400400031e700000000c00"));  // 14 bytes
    EXPECT_FALSE(parseRawStatus("1 02000400400031e700000000c"));   // split byte
    EXPECT_FALSE(parseRawStatus("102000400400031e700000000g"));
    EXPECT_FALSE(parseRawStatus(""));
}

}  // namespace
}  // namespace tovik::link
