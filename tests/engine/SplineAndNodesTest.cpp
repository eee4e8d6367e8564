// The natural cubic spline and the node collections that lines are made of.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GLLines.h"
#include "SceneFixtures.h"
#include "Spline.h"

namespace {

Single SplineValue(const TCubicSpline& spline, Single t) {
    Single x, y, z;
    spline.SplineXYZ(t, x, y, z);
    return x;
}

TEST(CubicSpline, ThroughZeroOneZero) {
    // Derivatives (1.5, 0, -1.5): segment 0 is 1.5 t - 0.5 t^3, segment 1 its mirror image.
    const Single p[] = {0, 1, 0};
    TCubicSpline spline(p, p, nullptr, nullptr, 3);
    const struct {
        Single t, value;
    } cases[] = {
        {0, 0},
        {0.5f, 0.6875f},
        {1, 1},
        {1.5f, 0.6875f},
        {2, 0},
        // Outside [0, n - 1] the end segments' cubics go on.
        {-1, -1},  // 1.5 (-1) - 0.5 (-1)^3
        {3, -1},   // the mirror image at u = 2 beyond the last point
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_NEAR(SplineValue(spline, c.t), c.value, 1e-6);
    }
    EXPECT_EQ(SplineValue(spline, 1), 1.0f);  // exactly the node
    Single x, y, z;
    spline.SplineXYZ(0.5f, x, y, z);
    EXPECT_EQ(x, y);
    EXPECT_EQ(z, 0);  // no Z values: an empty table gives 0
}

TEST(CubicSpline, PassesThroughEveryNodeOfALongerSeries) {
    const Single p[] = {2, -1, 4, 4, 0, 7};
    TCubicSpline spline(p, nullptr, nullptr, nullptr, 6);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(SplineValue(spline, Single(i)), p[i], 1e-5) << i;
    // Natural spline, unit spacing: the second derivative vanishes at both ends.
    const Single h = 1e-2f;
    auto second = [&](Single t) {
        return (SplineValue(spline, t + h) - 2 * SplineValue(spline, t) + SplineValue(spline, t - h)) / (h * h);
    };
    EXPECT_NEAR(second(h), 0, 0.5);
    EXPECT_NEAR(second(5 - h), 0, 0.5);
}

TEST(CubicSpline, DegenerateSeries) {
    // One node has no segment to solve: it is the value everywhere.
    const Single one[] = {3.5f};
    TCubicSpline single(one, one, one, nullptr, 1);
    for (Single t : {-2.0f, 0.0f, 0.5f, 1.0f, 7.0f}) {
        Single x, y, z;
        single.SplineXYZ(t, x, y, z);
        EXPECT_EQ(x, 3.5f);
        EXPECT_EQ(z, 3.5f);
    }
    TCubicSpline empty(nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(SplineValue(empty, 0.5f), 0);
    // Two nodes: the straight line between them.
    const Single two[] = {1, 3};
    TCubicSpline line(two, nullptr, nullptr, nullptr, 2);
    EXPECT_NEAR(SplineValue(line, 0.25f), 1.5f, 1e-6);
}

// ---- nodes -----------------------------------------------------------------------------------

struct TLinesFixture {
    TLinesFixture() { lines = scene.Add<TGLLines>(nullptr, L"Lines"); }
    TGLLinesNode* Node(Single x, Single y, Single z) {
        TGLLinesNode* node = lines->Nodes()->Add();
        node->SetX(x);
        node->SetY(y);
        node->SetZ(z);
        return node;
    }
    TSceneFixture scene;
    TGLLines* lines;
};

TEST(GLNodes, ChangesReachTheSceneAndBracketsHoldThemBack) {
    TLinesFixture f;
    TGLLinesNode* node = f.Node(1, 2, 3);
    EXPECT_EQ(node->DisplayName(), L"1.0000; 2.0000; 3.0000");
    f.lines->ClearStructureChanged();
    f.scene.buffer.changes = 0;
    node->SetY(5);
    EXPECT_TRUE(f.lines->Changes().Contains(ocStructure));  // the display list is stale
    EXPECT_GE(f.scene.buffer.changes, 1);

    f.lines->ClearStructureChanged();
    f.scene.buffer.changes = 0;
    f.lines->Nodes()->BeginUpdate();
    node->SetX(-1);
    f.Node(4, 4, 4);
    EXPECT_FALSE(f.lines->Changes().Contains(ocStructure));
    EXPECT_EQ(f.scene.buffer.changes, 0);
    f.lines->Nodes()->EndUpdate();
    EXPECT_TRUE(f.lines->Changes().Contains(ocStructure));
    EXPECT_EQ(f.scene.buffer.changes, 1);

    // A plain node collection tells an update-able owner, with itself as the sender.
    struct TOwner : TGLUpdateAbleObject {
        using TGLUpdateAbleObject::TGLUpdateAbleObject;
        void ReportChange(TObject* sender) override { senders.push_back(sender); }
        std::vector<TObject*> senders;
    } owner(nullptr);
    TGLNodes nodes(&owner);
    nodes.Add()->SetZ(2);
    EXPECT_FALSE(owner.senders.empty());
    EXPECT_EQ(owner.senders.back(), &nodes);
}

TEST(GLNodes, CopiesAndSplinesOverTheNodes) {
    TLinesFixture f;
    f.Node(0, 0, 0);
    f.Node(1, 2, 0);
    f.Node(2, 0, 4);
    f.lines->Nodes()->Items(1)->SetW(7);
    TGLLines copy(nullptr);
    copy.Nodes()->Assign(f.lines->Nodes());
    ASSERT_EQ(copy.Nodes()->Count(), 3);
    EXPECT_EQ(copy.Nodes()->Items(1)->W(), 7);  // not published, still copied
    EXPECT_EQ(copy.Nodes()->Items(2)->Z(), 4);

    std::unique_ptr<TCubicSpline> spline(f.lines->Nodes()->CreateNewCubicSpline());
    Single x, y, z;
    spline->SplineXYZ(1, x, y, z);
    EXPECT_NEAR(x, 1, 1e-6);
    EXPECT_NEAR(y, 2, 1e-6);
    EXPECT_NEAR(z, 0, 1e-6);
    spline->SplineXYZ(0.5f, x, y, z);
    EXPECT_NEAR(x, 0.5f, 1e-6);  // X is linear in t
}

TEST(GLNodes, NodeColourFollowsTheLinesUnlessANodeHasItsOwn) {
    TLinesFixture f;
    const TVector4f blue{0, 0, 1, 1}, red{1, 0, 0, 1}, green{0, 1, 0, 1};
    EXPECT_TRUE(SameVector4(f.lines->NodeColor()->Color(), blue));
    TGLLinesNode* a = f.Node(0, 0, 0);
    TGLLinesNode* b = f.Node(1, 0, 0);
    TGLLinesNode* c = f.Node(2, 0, 0);
    EXPECT_TRUE(SameVector4(a->Color()->Color(), blue));  // new nodes take the node colour
    b->Color()->SetColorVector(green);
    EXPECT_FALSE(a->IsColorStored());
    EXPECT_TRUE(b->IsColorStored());

    f.lines->NodeColor()->SetColorVector(red);
    EXPECT_TRUE(SameVector4(a->Color()->Color(), red));
    EXPECT_TRUE(SameVector4(b->Color()->Color(), green));
    EXPECT_TRUE(SameVector4(c->Color()->Color(), red));
    EXPECT_TRUE(SameVector4(f.Node(3, 0, 0)->Color()->Color(), red));
    // The old colour is forgotten: a node set back to blue no longer follows.
    c->Color()->SetColorVector(blue);
    f.lines->NodeColor()->SetColorVector(green);
    EXPECT_TRUE(SameVector4(a->Color()->Color(), green));
    EXPECT_TRUE(SameVector4(c->Color()->Color(), blue));
}

TEST(GLNodes, LinesSettersAndExtents) {
    TLinesFixture f;
    f.Node(-3, 1, 0.5f);
    f.Node(2, -4, 0);
    EXPECT_TRUE(SameVector4(f.lines->UnscaledDimensions(), TVector4f{3, 4, 0.5f, 0}));
    f.lines->SetNodeSize(-2);
    EXPECT_EQ(f.lines->NodeSize(), 1);
    f.lines->SetNodeSize(0.25f);
    EXPECT_EQ(f.lines->NodeSize(), 0.25f);
    f.lines->SetDivision(0);
    EXPECT_EQ(f.lines->Division(), 1);
}

}  // namespace
