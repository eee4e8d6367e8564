// The robot placeholder and its model description.

#include "uBot.h"

#include <algorithm>

#include "GLMaterial.h"
#include "IniFiles.h"
#include "SysMath.h"
#include "SysUtils.h"
#include "VectorArithmetic.h"
#include "VectorGeometry.h"
#include "uNumberedSections.h"

namespace {

// A real number written with '.' or ',' as the decimal separator, whatever the user's locale: a
// description written on one machine reads the same on another.
Double ReadModelReal(TCustomIniFile& file, const String& section, const String& key, Double defaultValue) {
    String text = Trim(file.ReadString(section, key, L""));
    std::replace(text.begin(), text.end(), L',', L'.');
    Extended value;
    return TryStrToFloat(text, value, TFormatSettings::Invariant()) ? Double(value) : defaultValue;
}

}  // namespace

TBot::TBot(TGLScene* scene, const String& modelFile, TGLMaterialLibrary* materialLibrary)
    : scene_(scene), materialLibrary_(materialLibrary), modelFile_(modelFile) {
    actor_ = new TGLActor(nullptr);
    actor_->SetName(L"Bot");
    try {
        LoadModel();  // before the actor is in the scene
    } catch (...) {
        FreeObject(actor_);
        throw;
    }
    actorCube_ = static_cast<TGLDummyCube*>(scene->Objects()->AddNewChild(TGLDummyCube::StaticClass()));
    actorCube_->SetName(L"dcActor");
    actorCube_->AddChild(actor_);
    PlaceAt(4, 4, 0);
    SetDirectionCode(1);
    PlayStand();
}

TBot::~TBot() {
    FreeObject(actor_);
    FreeObject(actorCube_);
}

void TBot::LoadModel() {
    if (!FileExists(modelFile_)) return;
    SetCurrentDir(ExtractFilePath(ExpandFileName(modelFile_)));
    TIniFile description(ExpandFileName(modelFile_));
    const Integer countAnimations = std::min(description.ReadInteger(L"MODEL", L"CountAnimations", 0),
                                             LastNumberedSection(description, L"ANIMATION"));
    const Integer countTextures =
        std::min(description.ReadInteger(L"MODEL", L"CountTextures", 0), LastNumberedSection(description, L"TEXTURE"));
    speedMove_ = description.ReadInteger(L"MODEL", L"SpeedMove", 10);
    speedJump_ = description.ReadInteger(L"MODEL", L"SpeedJump", 10);
    speedRotate_ = description.ReadInteger(L"MODEL", L"SpeedRotate", 10);
    const String meshFile = description.ReadString(L"MODEL", L"FileName", L"");
    if (meshFile.empty() || !FileExists(meshFile)) return;

    actor_->LoadFromFile(meshFile);
    actor_->SetInterval(description.ReadInteger(L"MODEL", L"Interval", 100));
    actor_->Scale()->SetVector(Single(ReadModelReal(description, L"SCALE", L"X", 1.0)),
                               Single(ReadModelReal(description, L"SCALE", L"Y", 1.0)),
                               Single(ReadModelReal(description, L"SCALE", L"Z", 1.0)));
    // Z is the model's height axis: once the rotation stands it up, half its height above the
    // carrier puts its feet just on the column.
    const TAxisAlignedBox box = actor_->GetAxisAlignedBox(false);
    actor_->Position()->SetY(box.Max.Z + 0.02f);
    actor_->SetOrientationAngles(Single(ReadModelReal(description, L"ROTATION", L"Pith", 0.0)),
                                 Single(ReadModelReal(description, L"ROTATION", L"Turn", 0.0)),
                                 Single(ReadModelReal(description, L"ROTATION", L"Roll", 0.0)));

    for (Integer n = 1; n <= countAnimations; ++n) {
        const String section = L"ANIMATION" + IntToStr(n);
        const String animationFile = Trim(description.ReadString(section, L"FileName", L""));
        if (animationFile.empty() || !FileExists(animationFile)) continue;
        actor_->AddDataFromFile(animationFile);
        TActorAnimation* animation = actor_->Animations()->Last();
        if (!animation) continue;
        animation->RemoveRootDrift();  // the skeleton stays in place over the loop
        const String name = Trim(description.ReadString(section, L"Name", L""));
        if (!name.empty()) animation->SetName(LowerCase(name));
    }

    TGLMaterial* material = actor_->Material();
    material->SetMaterialLibrary(materialLibrary_);
    const String texture = Trim(description.ReadString(L"MODEL", L"Texture", L""));
    if (materialLibrary_ && !texture.empty() && materialLibrary_->EntryByName(texture))
        material->SetLibMaterialName(texture);
    for (Integer n = 1; n <= countTextures; ++n) {
        const String name = Trim(description.ReadString(L"TEXTURE" + IntToStr(n), L"Name", L""));
        TGLLibMaterial* entry = materialLibrary_ && !name.empty() ? materialLibrary_->EntryByName(name) : nullptr;
        if (entry) material->TextureEx()->Add()->SetTexture(entry->Material()->Texture());
    }
}

void TBot::PlaceAt(Integer x, Integer z, Integer blockCount) {
    SetPosition(Single(x), Single(blockCount) * TLevel::kBlockHeight, Single(z));
}

void TBot::SetPosition(Single x, Single y, Single z) { actorCube_->Position()->SetPoint(x, y, z); }

TGridCell TBot::GetCell() const {
    return {Integer(Trunc(actorCube_->Position()->X())), Integer(Trunc(actorCube_->Position()->Z()))};
}

TAffineVector TBot::GetDirection() const {
    TAffineVector direction;
    actorCube_->Direction()->CopyToAffine(direction);
    return direction;
}

void TBot::SetDirection(const TAffineVector& direction) {
    actorCube_->Direction()->SetVector(direction.X, direction.Y, direction.Z);
}

void TBot::SetDirectionCode(Integer code) {
    switch (code) {
        case 1:
            SetDirection({1, 0, 0});
            break;
        case 2:
            SetDirection({0, 0, 1});
            break;
        case 3:
            SetDirection({-1, 0, 0});
            break;
        case 4:
            SetDirection({0, 0, -1});
            break;
        default:
            break;
    }
}

TAffineVector TBot::TurnedDirection() const {
    const TVector4f turned = CrossVector4(actorCube_->Direction()->AsVector(), actorCube_->Up()->AsVector());
    return {turned.X, turned.Y, turned.Z};
}

void TBot::PlayStand() {
    actor_->SetAnimationMode(aamLoop);
    actor_->SelectAnimationByName(L"stand");
}
