// Frames arrive from a socket in pieces of any size; the reader must cut them the same way.
#include <gtest/gtest.h>

#include "cardsim/daemon_protocol.h"

namespace tovik::card::wire {
namespace {

TEST(WireTest, FramesSurviveArrivingOneByteAtATime) {
    UnitRequest r;
    r.code = 4;
    r.nameKind = 1;
    r.nameIndex = 7;
    r.text = "^KOnNITIHA^";
    UnitAnswer a{0, 99, 1, {1, 2, 3}};
    Bytes stream = submitFrame(42, r);
    for (const Bytes& f : {answerFrame(a), controlFrame({"fault", "drop", "1"}), replyFrame(true)})
        stream.insert(stream.end(), f.begin(), f.end());

    FrameReader reader;
    std::vector<Bytes> bodies;
    for (std::uint8_t byte : stream) {
        reader.feed(&byte, 1);
        while (auto body = reader.next()) bodies.push_back(*body);
    }
    ASSERT_EQ(bodies.size(), 4u);
    auto s = readSubmit(bodies[0]);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tag, 42u);
    EXPECT_EQ(s->request.nameIndex, 7u);
    EXPECT_EQ(s->request.text, r.text);
    auto back = readAnswer(bodies[1]);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tag, 99u);
    EXPECT_EQ(back->result, 1u);
    EXPECT_EQ(back->area, a.area);
    EXPECT_EQ(readControl(bodies[2]), (std::vector<std::string>{"fault", "drop", "1"}));
    EXPECT_EQ(readReply(bodies[3]), true);
    EXPECT_FALSE(readSubmit(bodies[1])) << "a body is read only as its own type";
}

TEST(WireTest, ImpossibleLengthsBreakTheStream) {
    FrameReader reader;
    const std::uint8_t empty[] = {0, 0, 0, 0, 1};
    reader.feed(empty, sizeof empty);
    EXPECT_FALSE(reader.next());
    EXPECT_TRUE(reader.broken());

    Bytes body = submitFrame(1, UnitRequest{});
    body.erase(body.begin(), body.begin() + 4);
    body.push_back(0);  // one byte more than the text length says
    EXPECT_FALSE(readSubmit(body));
}

}  // namespace
}  // namespace tovik::card::wire
