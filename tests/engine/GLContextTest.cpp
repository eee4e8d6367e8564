#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "GLContext.h"
#include "GLRecorder.h"
#include "TestSupport.h"

namespace {

// A context whose platform side only writes into the recording: "make current A".
class TFakeContext : public TGLContext {
    Z_CLASS(TFakeContext, TGLContext)
public:
    explicit TFakeContext(const char* name = "?") : name_(name) {}
    ~TFakeContext() override {
        if (HasPlatformContext()) Teardown();
    }
    bool HasPlatformContext() const override { return created_; }
    HDC OutputDeviceHandle() const override { return nullptr; }

protected:
    void ActivatePlatform() override { Log("make current"); }
    void DeactivatePlatform() override { Log("release"); }
    void CreatePlatformContext(HDC) override { created_ = true; }
    void CreatePlatformMemoryContext(HDC, int, int, int) override { created_ = true; }
    void SharePlatformLists(TGLContext*) override { Log("share"); }
    void DestroyPlatformContext() override {
        Log("destroy");
        created_ = false;
    }

private:
    void Log(const char* what) {
        if (TGLRecorder::Active()) TGLRecorder::Active()->Record(std::string(what) + " " + name_);
    }
    const char* name_;
    bool created_ = false;
};

GLuint nextName = 100;
void APIENTRY GenNames(GLsizei n, GLuint* names) {
    TGLRecorder::Active()->Record("gen");
    for (GLsizei i = 0; i < n; ++i) names[i] = nextName++;
}
GLuint APIENTRY GenLists(GLsizei) {
    TGLRecorder::Active()->Record("gen");
    return nextName++;
}

class GLContextTest : public testing::Test {
protected:
    void SetUp() override {
        GL.glGenTextures = &GenNames;
        GL.glGenOcclusionQueriesNV = &GenNames;
        GL.glGenLists = &GenLists;
        a->CreateForDevice(nullptr);
        b->CreateForDevice(nullptr);
        c->CreateForDevice(nullptr);
    }
    void TearDown() override {
        while (ActiveGLContext()) ActiveGLContext()->Deactivate();
    }
    TGLRecorder recorder;
    std::unique_ptr<TFakeContext> a = std::make_unique<TFakeContext>("A");
    std::unique_ptr<TFakeContext> b = std::make_unique<TFakeContext>("B");
    std::unique_ptr<TFakeContext> c = std::make_unique<TFakeContext>("C");
};

}  // namespace

TEST_F(GLContextTest, ActivationsNest) {
    a->Activate();
    a->Activate();
    EXPECT_EQ(ActiveGLContext(), a.get());
    EXPECT_EQ(recorder.Take(), TGLCalls{"make current A"});  // only the outermost one
    a->Deactivate();
    EXPECT_EQ(ActiveGLContext(), a.get());
    a->Deactivate();
    EXPECT_EQ(ActiveGLContext(), nullptr);
    EXPECT_EQ(recorder.Take(), TGLCalls{});  // the platform context is not released
    EXPECT_THAT(MessageOf([&] { a->Deactivate(); }), testing::StartsWith("Assertion failure ("));
    EXPECT_EQ(a->ActivationCount(), 0);

    // A context active below another that became current cannot be reactivated.
    a->Activate();
    b->Activate();
    EXPECT_EQ(ActiveGLContext(), b.get());
    EXPECT_THAT(MessageOf([&] { a->Activate(); }), testing::StartsWith("Assertion failure ("));
    EXPECT_EQ(a->ActivationCount(), 1);
    b->Deactivate();

    TFakeContext notCreated;
    EXPECT_EQ(MessageOf([&] { notCreated.Activate(); }), "Context not created");
    EXPECT_FALSE(notCreated.IsActive());
    EXPECT_EQ(MessageOf([&] { a->CreateForDevice(nullptr); }), "Context already created");
}

TEST_F(GLContextTest, SettingsAreLockedWhileActive) {
    a->SetDepthBitCount(24);
    a->Activate();
    EXPECT_EQ(MessageOf([&] { a->SetDepthBitCount(16); }), "Cannot alter an active context");
    EXPECT_EQ(MessageOf([&] { a->SetAntiAliasing(aa4x); }), "Cannot alter an active context");
    EXPECT_EQ(a->DepthBitCount(), 24);
    EXPECT_EQ(a->AntiAliasing(), aaDefault);
    a->Deactivate();
    a->SetDepthBitCount(16);
    EXPECT_EQ(a->DepthBitCount(), 16);
    EXPECT_EQ(a->ColorBitCount(), 32);  // the default
}

TEST_F(GLContextTest, SharingSpreadsOneListToEveryMember) {
    a->ShareListsWith(b.get());
    using List = std::vector<TGLContext*>;
    EXPECT_EQ(a->SharingContexts(), (List{a.get(), b.get()}));
    EXPECT_EQ(b->SharingContexts(), (List{a.get(), b.get()}));
    a->ShareListsWith(c.get());
    EXPECT_EQ(c->SharingContexts(), (List{a.get(), b.get(), c.get()}));
    EXPECT_EQ(b->SharingContexts(), (List{a.get(), b.get(), c.get()}));
    EXPECT_EQ(a->FirstSharingContext(), b.get());
    a->ShareListsWith(b.get());  // already shared: no second platform call
    EXPECT_EQ(recorder.Take(), (TGLCalls{"share A", "share A"}));

    TFakeContext notCreated;
    EXPECT_EQ(MessageOf([&] { notCreated.ShareListsWith(a.get()); }), "Context not created");
}

TEST_F(GLContextTest, DeallocationDeletesInTheOwnersContext) {
    a->ShareListsWith(b.get());
    a->Activate();
    TGLTextureHandle shared, other;
    shared.Allocate();
    other.Allocate();
    EXPECT_EQ(shared.RenderingContext(), a.get());
    EXPECT_EQ(a->OwnedHandles().size(), 2u);
    a->Deactivate();
    recorder.Clear();

    // B shares A's objects: deleted right there.
    b->Activate();
    shared.Deallocate();
    EXPECT_EQ(recorder.Take(), (TGLCalls{"make current B", Call("glDeleteTextures", 1, (const GLuint*)1)}));
    EXPECT_EQ(shared.Handle(), 0u);
    b->Deactivate();

    // C does not: switch to A for the deletion, then back to C.
    c->Activate();
    c->Activate();
    other.Deallocate();
    EXPECT_EQ(recorder.Take(), (TGLCalls{"make current C", "make current A",
                                         Call("glDeleteTextures", 1, (const GLuint*)1), "make current C"}));
    EXPECT_EQ(ActiveGLContext(), c.get());
    EXPECT_EQ(c->ActivationCount(), 2);
    EXPECT_TRUE(a->OwnedHandles().empty());
}

TEST_F(GLContextTest, FreedHandlesDeleteTheirObjects) {
    a->Activate();
    GLuint name = 0;
    {
        TGLListHandle list;
        list.Allocate();
        name = list.Handle();
        recorder.Clear();
    }
    EXPECT_EQ(recorder.Take(), TGLCalls{Call("glDeleteLists", name, 1)});
    { TGLVBOArrayBufferHandle buffer; }  // never allocated: nothing to delete
    EXPECT_EQ(recorder.Take(), TGLCalls{});
    a->Deactivate();
    EXPECT_THAT(MessageOf([] { TGLListHandle().Allocate(); }), testing::StartsWith("Assertion failure ("));
}

TEST_F(GLContextTest, TeardownMovesTransferableHandlesToASharer) {
    a->ShareListsWith(b.get());
    a->Activate();
    TGLTextureHandle texture;
    TGLListHandle list;
    TGLOcclusionQueryHandle query;
    texture.Allocate();
    list.Allocate();
    query.Allocate();
    GLuint textureName = texture.Handle();
    GLuint listName = list.Handle();
    a->Deactivate();
    c->Activate();
    recorder.Clear();

    a->Teardown();
    EXPECT_EQ(texture.RenderingContext(), b.get());
    EXPECT_EQ(texture.Handle(), textureName);
    EXPECT_EQ(list.RenderingContext(), b.get());
    EXPECT_EQ(query.Handle(), 0u);
    EXPECT_EQ(query.RenderingContext(), nullptr);
    EXPECT_EQ(b->OwnedHandles().size(), 2u);
    EXPECT_EQ(b->SharingContexts(), std::vector<TGLContext*>{b.get()});
    EXPECT_FALSE(a->HasPlatformContext());
    EXPECT_EQ(a->AccelerationKind(), caUndetermined);
    EXPECT_EQ(ActiveGLContext(), c.get());  // the former context is current again
    EXPECT_EQ(recorder.Take(), (TGLCalls{"make current A", Call("glDeleteOcclusionQueriesNV", 1, (const GLuint*)1),
                                         "destroy A", "make current C"}));

    // Without a sharer every object goes with the context.
    c->Deactivate();
    b->Teardown();
    EXPECT_EQ(texture.Handle(), 0u);
    EXPECT_EQ(list.Handle(), 0u);
    EXPECT_EQ(recorder.Take(), (TGLCalls{"make current B", Call("glDeleteTextures", 1, (const GLuint*)1),
                                         Call("glDeleteLists", listName, 1), "destroy B"}));
}

TEST_F(GLContextTest, ManagerRegistersEachContextOnce) {
    int before = GLContextManager()->ContextCount();
    {
        TFakeContext extra;
        EXPECT_EQ(GLContextManager()->ContextCount(), before + 1);
        EXPECT_EQ(MessageOf([&] { GLContextManager()->AddContext(&extra); }), "Invalid context registration");
    }
    EXPECT_EQ(GLContextManager()->ContextCount(), before);
    EXPECT_EQ(MessageOf([&] { GLContextManager()->RemoveContext(a.get() + 1); }), "Invalid context registration");
}

namespace {

GLint compileStatus = 1;
const char* infoLog = "";
void APIENTRY ObjectParameter(GLhandleARB, GLenum pname, GLint* value) {
    *value = pname == GL_OBJECT_INFO_LOG_LENGTH_ARB ? GLint(strlen(infoLog) + 1) : compileStatus;
}
void APIENTRY InfoLog(GLhandleARB, GLsizei size, GLsizei* written, GLcharARB* log) {
    GLsizei n = std::min<GLsizei>(size - 1, GLsizei(strlen(infoLog)));
    memcpy(log, infoLog, size_t(n));
    *written = n;
}
GLhandleARB APIENTRY CreateObject(GLenum) { return 7; }
GLhandleARB APIENTRY CreateProgram() { return 9; }

}  // namespace

TEST_F(GLContextTest, ShaderCompileFailuresCarryTheLog) {
    GL.glGetObjectParameterivARB = &ObjectParameter;
    GL.glGetInfoLogARB = &InfoLog;
    GL.glCreateShaderObjectARB = &CreateObject;
    GL.glCreateProgramObjectARB = &CreateProgram;
    a->Activate();
    TGLProgramHandle program;
    program.Allocate();
    program.SetName(L"Sky");

    infoLog = "0:1(1): Warning: unused";
    compileStatus = 1;
    recorder.Clear();
    program.CompileAndAttach(TGLFragmentShaderHandle::StaticClass(), "void main(){}", false);
    TGLCalls calls = recorder.Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glAttachObjectARB", 9, 7)), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glDeleteObjectARB", 7)), calls.end());

    EXPECT_EQ(MessageOf([&] { program.CompileAndAttach(TGLVertexShaderHandle::StaticClass(), "void main(){}", true); }),
              "Sky (TGLVertexShaderHandle): \r\n0:1(1): Warning: unused");
    infoLog = "0:1(1): error: syntax";
    compileStatus = 0;
    EXPECT_EQ(MessageOf([&] { program.CompileAndAttach(TGLVertexShaderHandle::StaticClass(), "x", false); }),
              "Sky (TGLVertexShaderHandle): \r\n0:1(1): error: syntax");

    // The uniform location comes from the recording table: 0, found; -1, missing.
    recorder.Returns("glGetUniformLocationARB", {-1});
    EXPECT_THAT(MessageOf([&] { program.LocateUniform("tint"); }),
                testing::HasSubstr("Unknown uniform \"tint\" or program not in use"));
    GL.glCreateShaderObjectARB = nullptr;
    EXPECT_EQ(MessageOf([&] { program.CompileAndAttach(TGLVertexShaderHandle::StaticClass(), "x", false); }),
              "Auto-allocation failed");
    a->Deactivate();
}
