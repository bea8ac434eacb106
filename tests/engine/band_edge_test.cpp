// The band-edge constraint: unlinked edges cannot cross, linked edges move together inside 0..1.
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Edges {
    float low;
    float high;
};

Edges edgesAfter(ProductEngine& e, bool link, Edges start, int index, float v)
{
    e.setConstraint(false);
    e.setParameter(kBpFilterLink, link ? 1.0f : 0.0f);
    e.setParameter(kBpFilterLow, start.low);
    e.setParameter(kBpFilterHigh, start.high);
    e.setConstraint(true);
    e.setParameter(index, v);
    return {e.getParameter(kBpFilterLow), e.getParameter(kBpFilterHigh)};
}

TEST(BandEdges, UnlinkedEdgesStopAtEachOtherAndLinkedOnesMoveTogetherInsideTheRange)
{
    const struct {
        bool link;
        Edges start;
        int index;
        float value;
        Edges expected;
    } moves[] = {
        {false, {0.1f, 0.4f}, kBpFilterLow, 0.6f, {0.4f, 0.4f}},
        {false, {0.5f, 0.9f}, kBpFilterHigh, 0.2f, {0.5f, 0.5f}},
        {false, {0.1f, 0.9f}, kBpFilterLow, 0.3f, {0.3f, 0.9f}},
        {true, {0.3f, 0.8f}, kBpFilterLow, 0.6f, {0.5f, 1.0f}},
        {true, {0.3f, 0.8f}, kBpFilterLow, 0.0f, {0.0f, 0.5f}},
        {true, {0.3f, 0.8f}, kBpFilterHigh, 0.7f, {0.2f, 0.7f}},
        // Stored inverted while the switch is off (a program or randomize can do that): they still never
        // leave 0..1.
        {true, {0.9f, 0.2f}, kBpFilterHigh, 0.6f, {1.0f, 0.3f}},
        {true, {0.9f, 0.2f}, kBpFilterLow, 0.0f, {0.7f, 0.0f}},
    };
    EngineFixture f("edges");
    for (const auto& m : moves) {
        const Edges e = edgesAfter(*f.engine, m.link, m.start, m.index, m.value);
        EXPECT_NEAR(e.low, m.expected.low, 1e-6f) << &m - moves;
        EXPECT_NEAR(e.high, m.expected.high, 1e-6f) << &m - moves;
        EXPECT_TRUE(e.low >= 0.0f && e.low <= 1.0f && e.high >= 0.0f && e.high <= 1.0f) << &m - moves;
    }
    EXPECT_TRUE(f.engine->isConstraintOn());
    EXPECT_TRUE(f.engine->isChanged(kBpFilterHigh));
}

} // namespace
