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

TEST(BandEdges, UnlinkedEdgesStopAtEachOther)
{
    EngineFixture f("edges-unlinked");
    Edges e = edgesAfter(*f.engine, false, {0.1f, 0.4f}, kBpFilterLow, 0.6f);
    EXPECT_FLOAT_EQ(e.low, 0.4f);
    e = edgesAfter(*f.engine, false, {0.5f, 0.9f}, kBpFilterHigh, 0.2f);
    EXPECT_FLOAT_EQ(e.high, 0.5f);
    e = edgesAfter(*f.engine, false, {0.1f, 0.9f}, kBpFilterLow, 0.3f);
    EXPECT_FLOAT_EQ(e.low, 0.3f);
    EXPECT_FLOAT_EQ(e.high, 0.9f);
}

TEST(BandEdges, LinkedEdgesKeepTheirWidthInsideTheRange)
{
    EngineFixture f("edges-linked");
    Edges e = edgesAfter(*f.engine, true, {0.3f, 0.8f}, kBpFilterLow, 0.6f);
    EXPECT_FLOAT_EQ(e.low, 0.5f);
    EXPECT_EQ(e.high, 1.0f);
    e = edgesAfter(*f.engine, true, {0.3f, 0.8f}, kBpFilterLow, 0.0f);
    EXPECT_EQ(e.low, 0.0f);
    EXPECT_FLOAT_EQ(e.high, 0.5f);
    e = edgesAfter(*f.engine, true, {0.3f, 0.8f}, kBpFilterHigh, 0.7f);
    EXPECT_FLOAT_EQ(e.low, 0.2f);
    EXPECT_FLOAT_EQ(e.high, 0.7f);
    EXPECT_TRUE(f.engine->isConstraintOn());
    EXPECT_TRUE(f.engine->isChanged(kBpFilterHigh));
}

TEST(BandEdges, InvertedLinkedEdgesNeverLeaveTheRange)
{
    EngineFixture f("edges-inverted");
    // Stored inverted (a program or randomize can do that): low 0.9, high 0.2.
    Edges e = edgesAfter(*f.engine, true, {0.9f, 0.2f}, kBpFilterHigh, 0.6f);
    EXPECT_LE(e.low, 1.0f);
    EXPECT_FLOAT_EQ(e.low, 1.0f);
    EXPECT_FLOAT_EQ(e.high, 0.3f);
    e = edgesAfter(*f.engine, true, {0.9f, 0.2f}, kBpFilterLow, 0.0f);
    EXPECT_GE(e.high, 0.0f);
    EXPECT_FLOAT_EQ(e.high, 0.0f);
    EXPECT_FLOAT_EQ(e.low, 0.7f);
}

TEST(BandEdges, NoConstraintWhileTheSwitchIsOff)
{
    EngineFixture f("edges-off");
    f.engine->setConstraint(false);
    f.engine->setParameter(kBpFilterHigh, 0.2f);
    f.engine->setParameter(kBpFilterLow, 0.7f);
    EXPECT_FLOAT_EQ(f.engine->getParameter(kBpFilterLow), 0.7f);
    EXPECT_FLOAT_EQ(f.engine->getParameter(kBpFilterHigh), 0.2f);
}

} // namespace
