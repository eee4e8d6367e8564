#pragma once
// The style sheets (TcxCustomStyleSheet), which carry a style set for other sets to follow, and
// the style repository (TcxStyleRepository), which owns styles and sheets and streams them as
// its children.
//
// Sections: style sheets · repository.

#include <vector>

#include "cxStyles.h"

// ---- Style sheets -------------------------------------------------------------------------

class TcxCustomStyleSheet : public TcxComponent {
    Z_CLASS(TcxCustomStyleSheet, TcxComponent)
    Z_PUBLISHED {
        p.Property(L"Caption", &TcxCustomStyleSheet::Caption, &TcxCustomStyleSheet::SetCaption)
            .Stored(&TcxCustomStyleSheet::IsCaptionStored);
    }

public:
    explicit TcxCustomStyleSheet(TComponent* owner);
    ~TcxCustomStyleSheet() override;
    void AfterConstruction() override;

    // The class of the style set a sheet carries.
    virtual TcxCustomStylesClass StylesClassOf() const { return TcxCustomStyles::StaticClass(); }
    TcxCustomStyles* StylesObject() const;
    bool BuiltIn() const { return builtIn_; }

    void AttachUser(TcxCustomStyles* user);
    void DetachUser(TcxCustomStyles* user);
    int UserCount() const { return int(users_.size()); }
    void NotifyUsers(Integer index);

    String Caption() const;  // the name while no caption of its own is set
    void SetCaption(const String& value);

    TcxStyleRepository* Repository() const { return repository_; }
    void SetRepository(TcxStyleRepository* repository);

    void Assign(TPersistent* source) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return repository_ != nullptr; }
    void SetParentComponent(TComponent* parent) override;
    void ReadState(TReader* reader) override;
    void DefineProperties(TFiler* filer) override;

protected:
    void CollectFakeComponentLinks(TList* list) override;

private:
    bool IsCaptionStored() const { return !caption_.empty(); }

    bool builtIn_ = false;
    mutable TcxCustomStyles* styles_ = nullptr;
    std::vector<TcxCustomStyles*> users_;
    String caption_;
    TcxStyleRepository* repository_ = nullptr;
};

using TcxCustomStyleSheetClass = TClass;

// ---- Repository ---------------------------------------------------------------------------

class TcxStyleRepository : public TComponent {
    Z_CLASS(TcxStyleRepository, TComponent)
    Z_PUBLISHED {
        p.Property(L"Scalable", &TcxStyleRepository::Scalable, &TcxStyleRepository::SetScalable).Default(false);
    }

public:
    explicit TcxStyleRepository(TComponent* owner) : TComponent(owner) {}
    // Frees every style, then every sheet, each from the last.
    void BeforeDestruction() override;

    bool Scalable() const { return scalable_; }
    void SetScalable(bool value) { scalable_ = value; }
    // Pixels per inch the stored sizes were made for; 0 when unknown.
    Integer StoredPixelsPerInch() const { return pixelsPerInch_; }

    virtual TcxCustomStyle* NewStyle(TcxStyleClass styleClass);
    virtual TcxCustomStyle* NewStyleOwned(TcxStyleClass styleClass, TComponent* owner);
    virtual TcxCustomStyleSheet* NewStyleSheet(TcxCustomStyleSheetClass sheetClass);
    virtual TcxCustomStyleSheet* NewStyleSheetOwned(TcxCustomStyleSheetClass sheetClass, TComponent* owner);

    void AddStyle(TcxCustomStyle* style);
    void RemoveStyle(TcxCustomStyle* style);
    void AddSheet(TcxCustomStyleSheet* sheet);
    void RemoveSheet(TcxCustomStyleSheet* sheet);
    int StyleCount() const { return int(styles_.size()); }
    TcxCustomStyle* StyleAt(int i) const { return styles_.at(size_t(i)); }
    int SheetCount() const { return int(sheets_.size()); }
    TcxCustomStyleSheet* SheetAt(int i) const { return sheets_.at(size_t(i)); }

    // A stored size for the screen: scaled only when Scalable and the stored pixels per inch
    // are known and differ from the screen's.
    Integer ScaleToScreen(Integer value) const;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void DefineProperties(TFiler* filer) override;

private:
    std::vector<TcxCustomStyle*> styles_;
    std::vector<TcxCustomStyleSheet*> sheets_;
    bool scalable_ = false;
    Integer pixelsPerInch_ = 0;
};

// The parent a style or sheet is given outside of reading must be a repository: raises
// EInvalidCast "Invalid class typecast" for any other component.
TcxStyleRepository* RepositoryOf(TComponent* parent);
