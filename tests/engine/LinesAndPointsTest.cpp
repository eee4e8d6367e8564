// Lines and points: what each spline mode and point style sends to OpenGL, recorded.
#include <gtest/gtest.h>

#include "FormDescription.h"
#include "GLGraph.h"
#include "GLLines.h"
#include "GLPoints.h"
#include "MathExpect.h"
#include "PrimitiveFixtures.h"
#include "VectorLists.h"

namespace {

size_t CountInText(const AnsiString& text, const char* part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != AnsiString::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class LinesTest : public PrimitiveTest {
protected:
    void SetUp() override {
        PrimitiveTest::SetUp();
        lines = scene.Add<TGLLines>(nullptr, L"Lines");
        lines->SetNodesAspect(lnaInvisible);
    }
    void Nodes(std::initializer_list<TAffineVector> points) {
        for (const TAffineVector& p : points) {
            TGLLinesNode* node = lines->Nodes()->Add();
            node->SetX(p.X);
            node->SetY(p.Y);
            node->SetZ(p.Z);
        }
    }
    TGLLines* lines = nullptr;
};

TEST_F(LinesTest, ModesJoinTheNodes) {
    Nodes({{0, 0, 0}, {1, 2, 0}, {3, 1, 0}});
    const struct {
        TLineSplineMode mode;
        Integer division;
        GLenum primitive;
        size_t vertices;
    } cases[] = {
        {lsmLines, 10, GL_LINE_STRIP, 3},      {lsmSegments, 10, GL_LINES, 3},
        {lsmLoop, 10, GL_LINE_LOOP, 3},        {lsmCubicSpline, 10, GL_LINE_STRIP, 21},  // (nodes - 1) x Division + 1
        {lsmCubicSpline, 1, GL_LINE_STRIP, 3},  // no division: the nodes themselves
        {lsmNURBSCurve, 1, GL_LINE_STRIP, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " division " << c.division);
        lines->SetSplineMode(c.mode);
        lines->SetDivision(c.division);
        std::vector<TRecordedPrimitive> drawn = Build(lines);
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].mode, c.primitive);
        ASSERT_EQ(drawn[0].v.size(), c.vertices);
        // Every mode passes through the nodes.
        const size_t stride = (c.vertices - 1) / 2;
        EXPECT_TRUE(Near(drawn[0].v[0].p, TAffineVector{0, 0, 0}, 1e-5));
        EXPECT_TRUE(Near(drawn[0].v[stride].p, TAffineVector{1, 2, 0}, 1e-5));
        EXPECT_TRUE(Near(drawn[0].v[2 * stride].p, TAffineVector{3, 1, 0}, 1e-5));
    }
}

TEST_F(LinesTest, CubicSplineColoursBlendBetweenNodes) {
    Nodes({{0, 0, 0}, {1, 0, 0}});
    lines->Nodes()->Items(0)->Color()->SetColorVector({1, 0, 0, 1});
    lines->Nodes()->Items(1)->Color()->SetColorVector({0, 0, 1, 1});
    lines->SetSplineMode(lsmCubicSpline);
    lines->SetDivision(4);
    lines->SetOptions({loUseNodeColorForLines});
    std::vector<TRecordedPrimitive> drawn = Build(lines);
    ASSERT_EQ(drawn.size(), 1u);
    ASSERT_EQ(drawn[0].v.size(), 5u);
    EXPECT_TRUE(Near(drawn[0].v[0].c, TVector4f{1, 0, 0, 1}));
    EXPECT_TRUE(Near(drawn[0].v[1].c, TVector4f{0.75f, 0, 0.25f, 1}));
    EXPECT_TRUE(Near(drawn[0].v[4].c, TVector4f{0, 0, 1, 1}));  // the last node's own colour
    EXPECT_TRUE(Near(drawn[0].v[2].p, TAffineVector{0.5f, 0, 0}));
}

TEST_F(LinesTest, BezierCurvesAreEvaluated) {
    Nodes({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}});
    lines->SetSplineMode(lsmBezierSpline);
    lines->SetDivision(4);
    Build(lines);
    EXPECT_EQ(CallsNamed(calls, "glMap1f").size(), 2u);
    EXPECT_EQ(CallsNamed(calls, "glEvalCoord1f"),
              (TGLCalls{"glEvalCoord1f(0)", "glEvalCoord1f(0.25)", "glEvalCoord1f(0.5)", "glEvalCoord1f(0.75)",
                        "glEvalCoord1f(1)"}));
    EXPECT_EQ(CallsNamed(calls, "glPushAttrib").size(), 2u);  // the line style and the evaluators
    EXPECT_EQ(CallsNamed(calls, "glPopAttrib").size(), 2u);
}

TEST_F(LinesTest, NurbsCurvesNeedARendererAnOrderAndKnots) {
    Nodes({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}});
    lines->SetNodesAspect(lnaCube);
    lines->SetSplineMode(lsmNURBSCurve);
    // No order or knots: no curve, only the node markers.
    std::vector<TRecordedPrimitive> drawn = Build(lines);
    EXPECT_EQ(CallsNamed(calls, "gluNewNurbsRenderer"), TGLCalls{});
    ASSERT_EQ(drawn.size(), 6u);  // a strip and a batch of lines per wire cube, nothing else
    for (size_t i = 0; i < 6; i += 2) EXPECT_EQ(drawn[i].v.size(), 10u);

    // With them, but GLU without a NURBS renderer (as under Wine): still nothing, no failure.
    lines->SetNurbsCurveOrder(3);
    for (Single k : {0, 0, 0, 1, 1, 1}) lines->NurbsKnotList()->Add(k);
    drawn = Build(lines);
    EXPECT_EQ(CallsNamed(calls, "gluNewNurbsRenderer").size(), 1u);
    EXPECT_EQ(CallsNamed(calls, "gluNurbsCurve"), TGLCalls{});

    // A renderer draws one curve through GLU and is deleted again.
    recorder.Returns("gluNewNurbsRenderer", {0x1234});
    Build(lines);
    EXPECT_EQ(CallsNamed(calls, "gluNurbsCurve").size(), 1u);
    EXPECT_EQ(CallsNamed(calls, "gluDeleteNurbsRenderer").size(), 1u);

    // Knots that ask for more control points than there are nodes, or for none: no curve,
    // even with a renderer at hand.
    for (Single k : {2, 2, 2}) lines->NurbsKnotList()->Add(k);
    recorder.Returns("gluNewNurbsRenderer", {0x1234});
    Build(lines);
    EXPECT_EQ(CallsNamed(calls, "gluNurbsCurve"), TGLCalls{});
    lines->NurbsKnotList()->Clear();
    for (Single k : {0, 0, 1}) lines->NurbsKnotList()->Add(k);
    Build(lines);
    EXPECT_EQ(CallsNamed(calls, "gluNurbsCurve"), TGLCalls{});
}

TEST_F(LinesTest, OneNodeDrawsNothingAndMarkersSitOnTheNodes) {
    Nodes({{1, 2, 3}});
    lines->SetNodesAspect(lnaCube);
    EXPECT_TRUE(Build(lines).empty());
    EXPECT_TRUE(calls.empty());

    Nodes({{-1, 0, 0}});
    lines->SetNodesAspect(lnaDodecahedron);
    lines->SetNodeSize(2);
    std::vector<TRecordedPrimitive> drawn = Build(lines);
    // The strip, then twelve pentagon fans per node.
    ASSERT_EQ(drawn.size(), 1u + 24u);
    EXPECT_EQ(drawn[1].mode, GLenum(GL_TRIANGLE_FAN));
    EXPECT_EQ(drawn[1].v.size(), 5u);
    EXPECT_EQ(CallsNamed(calls, "glTranslatef"), (TGLCalls{"glTranslatef(1,2,3)", "glTranslatef(-1,0,0)"}));
    EXPECT_EQ(CallsNamed(calls, "glScalef"), (TGLCalls{"glScalef(2,2,2)", "glScalef(2,2,2)"}));
    // Each face's normal points away from the centre.
    for (size_t f = 1; f < 13; ++f) {
        TAffineVector centre{0, 0, 0};
        for (const auto& v : drawn[f].v) centre = {centre.X + v.p.X / 5, centre.Y + v.p.Y / 5, centre.Z + v.p.Z / 5};
        const TAffineVector& n = drawn[f].v[0].n;
        EXPECT_GT(n.X * centre.X + n.Y * centre.Y + n.Z * centre.Z, 0) << f;
    }
    // The diffuse colour of the markers is the node colour.
    EXPECT_NE(std::find(calls.begin(), calls.end(), "glMaterialfv(1028,4609,[0,0,1,1])"), calls.end());
}

// ---- points ----------------------------------------------------------------------------------

TEST_F(PrimitiveTest, PointsDrawAsManyAsBothListsHold) {
    auto* points = scene.Add<TGLPoints>(nullptr, L"Points");
    EXPECT_EQ(points->PointPositions()->Count(), 1);  // one at the origin
    points->PointPositions()->Add({1, 0, 0});
    points->PointPositions()->Add({2, 0, 0});
    points->PointColors()->Add({1, 0, 0, 1});
    points->PointColors()->Add({0, 1, 0, 1});
    points->SetStyle(psSmooth);
    points->SetSize(3);
    Build(points);
    EXPECT_EQ(CallsNamed(calls, "glDrawArrays"), TGLCalls{Call("glDrawArrays", GL_POINTS, 0, 2)});
    EXPECT_EQ(CallsNamed(calls, "glPointSize"), TGLCalls{"glPointSize(3)"});
    EXPECT_EQ(CallsNamed(calls, "glBlendFunc"), TGLCalls{Call("glBlendFunc", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)});
    EXPECT_EQ(CallsNamed(calls, "glAlphaFunc"),
              (TGLCalls{Call("glAlphaFunc", GL_NOTEQUAL, 0.0), Call("glAlphaFunc", GL_GREATER, 0.0)}));
    EXPECT_EQ(CallsNamed(calls, "glDisableClientState").size(), 2u);

    // One colour for all; none: opaque white.
    points->PointColors()->Clear();
    Build(points);
    EXPECT_EQ(CallsNamed(calls, "glDrawArrays"), TGLCalls{Call("glDrawArrays", GL_POINTS, 0, 3)});
    EXPECT_EQ(CallsNamed(calls, "glColor4f"), TGLCalls{"glColor4f(1,1,1,1)"});
    points->PointPositions()->Clear();
    Build(points);
    EXPECT_TRUE(calls.empty());
}

TEST(PointParameters, StoredAsOneBinaryPropertyOnlyWhenNotDefault) {
    TSceneFixture scene;
    auto* points = scene.Add<TGLPoints>(nullptr, L"Cloud");
    AnsiString text = WriteComponentToText(scene.form.get());
    EXPECT_EQ(text.find("PointParams"), AnsiString::npos) << text;

    points->PointParameters()->SetMinSize(-4);  // negative sizes become 0
    EXPECT_EQ(points->PointParameters()->MinSize(), 0);
    points->PointParameters()->SetMaxSize(64);
    points->PointParameters()->SetEnabled(true);
    text = WriteComponentToText(scene.form.get());
    EXPECT_NE(text.find("PointParameters.PointParams"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("MaxSize"), AnsiString::npos) << text;

    TComponent copy(nullptr);
    ReadComponentFromText(text, &copy);
    auto* read = dynamic_cast<TGLPoints*>(copy.FindComponent(L"Cloud"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->PointParameters()->MaxSize(), 64);
    EXPECT_EQ(read->PointParameters()->FadeTresholdSize(), 1);
    EXPECT_TRUE(read->PointParameters()->Enabled());
    EXPECT_EQ(WriteComponentToText(&copy), text);
}

}  // namespace

namespace {

TEST(LinesDescription, NodesAndTheirColoursReadBackAsWritten) {
    TSceneFixture scene;
    auto* lines = scene.Add<TGLLines>(nullptr, L"Path");
    lines->NodeColor()->SetColorVector({1, 0, 0, 1});
    for (Single x : {0.0f, 2.0f, 5.0f}) lines->Nodes()->Add()->SetX(x);
    lines->Nodes()->Items(1)->Color()->SetColorVector({0, 1, 0, 1});
    lines->Nodes()->Items(2)->SetZ(-1);
    lines->SetSplineMode(lsmCubicSpline);
    const AnsiString text = WriteComponentToText(scene.form.get());
    // Only the node that differs from the node colour stores its own.
    EXPECT_EQ(CountInText(text, "Color.Color"), 3u) << text;  // line, node colour, the green node

    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* read = dynamic_cast<TGLLines*>(form.FindComponent(L"Path"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Nodes()->Count(), 3);
    EXPECT_TRUE(SameVector4(read->Nodes()->Items(0)->Color()->Color(), TVector4f{1, 0, 0, 1}));
    EXPECT_TRUE(SameVector4(read->Nodes()->Items(1)->Color()->Color(), TVector4f{0, 1, 0, 1}));
    EXPECT_EQ(read->Nodes()->Items(2)->Z(), -1);
    EXPECT_EQ(read->SplineMode(), lsmCubicSpline);
    EXPECT_EQ(WriteComponentToText(&form), text);
    // The node colour read is the one the nodes follow.
    read->NodeColor()->SetColorVector({0, 0, 1, 1});
    EXPECT_TRUE(SameVector4(read->Nodes()->Items(2)->Color()->Color(), TVector4f{0, 0, 1, 1}));
    EXPECT_TRUE(SameVector4(read->Nodes()->Items(1)->Color()->Color(), TVector4f{0, 1, 0, 1}));
}

TEST(LinesDescription, OldGridsSmoothTheirLinesWithLinesSmoothing) {
    TComponent form(nullptr);
    ReadComponentFromText(
        "object F: TComponent\n"
        "  object S: TGLScene\n"
        "    object Grid: TGLXYZGrid\n"
        "      LinesSmoothing = True\n"
        "    end\n"
        "  end\n"
        "end\n",
        &form);
    auto* grid = dynamic_cast<TGLXYZGrid*>(form.FindComponent(L"Grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->AntiAliased());
    const AnsiString text = WriteComponentToText(&form);
    EXPECT_EQ(text.find("LinesSmoothing"), AnsiString::npos);
    EXPECT_NE(text.find("AntiAliased = True"), AnsiString::npos);
}

}  // namespace
