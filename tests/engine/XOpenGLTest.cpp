#include <gtest/gtest.h>

#include <functional>

#include "GLRecorder.h"
#include "XOpenGL.h"

namespace {

class TexCoordMapping : public testing::Test {
protected:
    void SetUp() override {
        GL.GL_ARB_multitexture = true;
        SelectNullTexCoordMapping();
        AllowSecondTextureUnit();
    }
    void TearDown() override {
        AllowSecondTextureUnit();
        SelectNullTexCoordMapping();
    }
    // One call of each kind through the mapped entry points.
    static void SendEachKind() {
        MappedTexCoord2f(0.5f, 0.25f);
        MappedTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        MappedEnable(GL_TEXTURE_GEN_S);
        MappedEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    TGLRecorder recorder;
};

const GLenum T0 = GL_TEXTURE0, T1 = GL_TEXTURE1, T2 = GL_TEXTURE2;

}  // namespace

TEST_F(TexCoordMapping, EachFamilySendsItsPattern) {
    const std::string coord0 = Call("glTexCoord2f", 0.5f, 0.25f);
    const std::string gen = Call("glTexGeni", GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    const std::string enable = Call("glEnable", GL_TEXTURE_GEN_S);
    const std::string client = Call("glEnableClientState", GL_TEXTURE_COORD_ARRAY);
    auto multi = [](GLenum unit) { return Call("glMultiTexCoord2fARB", unit, 0.5f, 0.25f); };
    auto active = [](GLenum unit) { return Call("glActiveTextureARB", unit); };
    auto clientActive = [](GLenum unit) { return Call("glClientActiveTextureARB", unit); };
    struct Case {
        const char* mode;
        std::function<void()> select;
        TGLCalls calls;
        Byte mask;
    } cases[] = {
        {"main", SelectMainTexCoordMapping, {coord0, gen, enable, client}, 1},
        {"second",
         SelectSecondTexCoordMapping,
         {multi(T1), active(T1), gen, active(T0), active(T1), enable, active(T0), clientActive(T1), client,
          clientActive(T0)},
         2},
        {"dual",
         SelectDualTexCoordMapping,
         {coord0, multi(T1), gen, active(T1), gen, active(T0), enable, active(T1), enable, active(T0), client,
          clientActive(T1), client, clientActive(T0)},
         3},
        {"units 0 and 2",
         [] { SelectArbitraryTexCoordMappingMask(5); },
         {multi(T0), multi(T2), active(T0), gen, active(T2), gen, active(T0), active(T0), enable, active(T2), enable,
          active(T0), clientActive(T0), client, clientActive(T2), client, clientActive(T0)},
         5},
        {"no units", [] { SelectArbitraryTexCoordMapping({}); }, {active(T0), active(T0), clientActive(T0)}, 0},
        {"null", SelectNullTexCoordMapping, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        c.select();
        recorder.Clear();
        SendEachKind();
        EXPECT_EQ(recorder.Take(), c.calls);
        if (CurrentTexCoordMapping() != mtcmNull) {
            EXPECT_EQ(TexCoordUnitsMask(), c.mask);
        }
    }
    EXPECT_THROW(TexCoordUnitsMask(), EAssertionFailed);
}

TEST_F(TexCoordMapping, AnUpdateSelectsOnlyTheLastMode) {
    SelectMainTexCoordMapping();
    auto before = MappedTexCoord2f;
    BeginTexCoordMappingUpdate();
    SelectDualTexCoordMapping();
    EXPECT_EQ(TexCoordUnitsMask(), 3);  // the pending mode
    BeginTexCoordMappingUpdate();
    SelectMainTexCoordMapping();
    EndTexCoordMappingUpdate();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmMain);
    EndTexCoordMappingUpdate();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmMain);
    EXPECT_EQ(MappedTexCoord2f, before);

    BeginTexCoordMappingUpdate();
    SelectSecondTexCoordMapping();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmMain);
    EndTexCoordMappingUpdate();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmSecond);

    AddArbitraryTexCoordUnits(4);  // unit 1 of the second mapping, plus unit 2
    EXPECT_EQ(TexCoordUnitsMask(), 6);
}

TEST_F(TexCoordMapping, AForbiddenSecondUnitIsLeftOut) {
    ForbidSecondTextureUnit();
    SelectArbitraryTexCoordMappingMask(3);
    EXPECT_EQ(TexCoordUnitsMask(), 1);
    SelectDualTexCoordMapping();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmMain);
    SelectSecondTexCoordMapping();
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmNull);
}

TEST_F(TexCoordMapping, MultitextureModesNeedTheExtension) {
    GL.GL_ARB_multitexture = false;
    EXPECT_THROW(SelectDualTexCoordMapping(), EAssertionFailed);
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmNull);
    SelectMainTexCoordMapping();  // needs nothing
    EXPECT_EQ(CurrentTexCoordMapping(), mtcmMain);
}
