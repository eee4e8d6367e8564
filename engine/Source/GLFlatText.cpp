#include "GLFlatText.h"

#include "GLState.h"

TGLFlatText::TGLFlatText(TComponent* owner)
    : TGLImmaterialSceneObject(owner), modulateColor_(new TGLColor(this, {1, 1, 1, 1})) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
}

TGLFlatText::~TGLFlatText() {
    SetBitmapFont(nullptr);
    delete modulateColor_;
    modulateColor_ = nullptr;
}

void TGLFlatText::SetBitmapFont(TGLCustomBitmapFont* value) {
    if (value == bitmapFont_) return;
    if (bitmapFont_) bitmapFont_->RemoveFontUser(this);
    bitmapFont_ = value;
    if (bitmapFont_) {
        bitmapFont_->AddFontUser(this);
        bitmapFont_->FreeNotification(this);
    }
    StructureChanged();
}

void TGLFlatText::SetText(const String& value) {
    text_ = value;
    StructureChanged();
}

void TGLFlatText::SetAlignment(TAlignment value) {
    alignment_ = value;
    StructureChanged();
}

void TGLFlatText::SetLayout(TGLTextLayout value) {
    layout_ = value;
    StructureChanged();
}

void TGLFlatText::SetOptions(TGLFlatTextOptions value) {
    if (AssignIfChanged(options_, value)) StructureChanged();
}

void TGLFlatText::Assign(TPersistent* source) {
    if (auto* other = As<TGLFlatText>(source)) {
        SetBitmapFont(other->bitmapFont_);
        SetText(other->text_);
        SetAlignment(other->alignment_);
        SetLayout(other->layout_);
        SetModulateColor(other->modulateColor_);
        SetOptions(other->options_);
    }
    TGLImmaterialSceneObject::Assign(source);
}

void TGLFlatText::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == bitmapFont_) {
        bitmapFont_->RemoveFontUser(this);
        bitmapFont_ = nullptr;
    }
    TGLImmaterialSceneObject::Notification(component, operation);
}

void TGLFlatText::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (renderSelf && bitmapFont_ && !text_.empty()) {
        rci.GLStates->SetPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        TEnableAttribScope enableBits(rci.GLStates);
        if (modulateColor_->Alpha() != 1) {
            rci.GLStates->EnableState(stBlend);
            GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        if (options_.Contains(ftoTwoSided)) rci.GLStates->DisableState(stCullFace);
        bitmapFont_->DrawString(rci, text_, alignment_, layout_, modulateColor_->Color());
    }
    if (renderChildren) RenderChildren(0, GetChildCount() - 1, rci);
}
