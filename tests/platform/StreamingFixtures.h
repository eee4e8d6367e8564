#pragma once
// Component classes for the streaming and ownership tests: they count their live instances
// (so a test can see that nothing leaks), record Loaded calls in order, and publish a property
// of every kind.

#include <vector>

#include "Collection.h"
#include "Component.h"
#include "Filer.h"
#include "TypInfo.h"

Z_ENUM(TTestShape, int, tsCircle, tsSquare, tsTriangle)
Z_ENUM(TTestOption, int, toBold, toItalic, toUnderline, toStrike)
using TTestOptions = TSet<TTestOption>;

// Live instances of every test component, and the names seen by Loaded, in order.
struct TStreamingLog {
    static int live;
    static std::vector<String> loaded;
};

const TIdentMap& TestColorIdents();

// A component that counts itself.
class TCounted : public TComponent {
    Z_CLASS(TCounted, TComponent)
public:
    explicit TCounted(TComponent* owner) : TComponent(owner) { ++TStreamingLog::live; }
    ~TCounted() override { --TStreamingLog::live; }
    void Loaded() override {
        TStreamingLog::loaded.push_back(Name());
        inherited::Loaded();
    }
    // What it heard through Notification.
    std::vector<std::pair<TComponent*, TOperation>> heard;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        heard.emplace_back(component, operation);
        inherited::Notification(component, operation);
    }
};

class TTestFont : public TPersistent {
    Z_CLASS(TTestFont, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Name", &TTestFont::Name, &TTestFont::SetName).Default(L"Tahoma");
        p.Property(L"Size", &TTestFont::Size, &TTestFont::SetSize).Default(8);
    }

public:
    const String& Name() const { return name_; }
    void SetName(const String& v) { name_ = v; }
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }

private:
    String name_ = L"Tahoma";
    int size_ = 8;
};

class TTestItem : public TCollectionItem {
    Z_CLASS(TTestItem, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Caption", &TTestItem::Caption, &TTestItem::SetCaption);
        p.Property(L"Weight", &TTestItem::Weight, &TTestItem::SetWeight).Default(1.0);
    }

public:
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v) { caption_ = v; }
    double Weight() const { return weight_; }
    void SetWeight(double v) { weight_ = v; }
    String DisplayName() const override { return caption_.empty() ? inherited::DisplayName() : caption_; }
    void Assign(TPersistent* source) override {
        if (auto* other = As<TTestItem>(source)) {
            caption_ = other->caption_;
            weight_ = other->weight_;
            return;
        }
        inherited::Assign(source);
    }

private:
    String caption_;
    double weight_ = 1.0;
};

// A visual-like component: it may have a parent widget (or the form), and writes the children
// whose parent it is inside itself.
class TTestWidget : public TCounted {
    Z_CLASS(TTestWidget, TCounted)
    Z_PUBLISHED {
        p.Property(L"Caption", &TTestWidget::Caption, &TTestWidget::SetCaption);
        p.Property(L"Width", &TTestWidget::Width, &TTestWidget::SetWidth).Default(75);
        p.Property(L"Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio).Default(0.0);
        p.Property(L"Scale", &TTestWidget::Scale, &TTestWidget::SetScale).Default(1.0f);
        p.Property(L"Shape", &TTestWidget::Shape, &TTestWidget::SetShape).Default(tsCircle);
        p.Property(L"Options", &TTestWidget::Options, &TTestWidget::SetOptions).Default(TTestOptions{});
        p.Property(L"Visible", &TTestWidget::Visible, &TTestWidget::SetVisible).Default(true);
        p.Property(L"Color", &TTestWidget::Color, &TTestWidget::SetColor).Default(0).Idents(TestColorIdents());
        p.Property(L"Small", &TTestWidget::Small, &TTestWidget::SetSmall).Default(0);
        p.Property(L"Font", &TTestWidget::Font);
        p.Property(L"Items", &TTestWidget::Items);
        p.Property(L"Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy);
        p.Event(L"OnClick", &TTestWidget::OnClick);
        p.Property(L"Secret", &TTestWidget::Secret, &TTestWidget::SetSecret).Stored(false);
    }

public:
    explicit TTestWidget(TComponent* owner) : TCounted(owner) {}
    ~TTestWidget() override { delete font_; }

    const String& Caption() const { return caption_; }
    void SetCaption(const String& v) { caption_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) {
        width_ = v;
        loadingWhenSized = ComponentState().Contains(csLoading) && ComponentState().Contains(csReading);
    }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    float Scale() const { return scale_; }
    void SetScale(float v) { scale_ = v; }
    TTestShape Shape() const { return shape_; }
    void SetShape(TTestShape v) { shape_ = v; }
    TTestOptions Options() const { return options_; }
    void SetOptions(TTestOptions v) { options_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    Integer Color() const { return color_; }
    void SetColor(Integer v) { color_ = v; }
    SmallInt Small() const { return small_; }
    void SetSmall(SmallInt v) { small_ = v; }
    TTestFont* Font() const { return font_; }
    TOwnedCollection* Items() { return &items_; }
    TTestWidget* Buddy() const { return buddy_; }
    void SetBuddy(TTestWidget* v) {
        if (v == buddy_) return;
        buddy_ = v;
        if (v) v->FreeNotification(this);
    }
    TNotifyEvent OnClick;
    int Secret() const { return secret_; }
    void SetSecret(int v) { secret_ = v; }

    // Defined properties: raw bytes, and a list of integers.
    TBytes bits;
    std::vector<int> points;
    void DefineProperties(TFiler* filer) override {
        inherited::DefineProperties(filer);
        filer->DefineBinaryProperty(
            L"Bits", [this](TStream* s) { bits = StreamBytes(s); },
            [this](TStream* s) { s->WriteBuffer(bits.data(), Integer(bits.size())); }, !bits.empty());
        filer->DefineProperty(
            L"Points",
            [this](TReader* r) {
                points.clear();
                r->ReadListBegin();
                while (!r->EndOfList()) points.push_back(r->ReadInteger());
                r->ReadListEnd();
            },
            [this](TWriter* w) {
                w->WriteListBegin();
                for (int p : points) w->WriteInteger(p);
                w->WriteListEnd();
            },
            !points.empty());
    }

    // Parent protocol.
    TComponent* GetParentComponent() const override { return parent_; }
    bool HasParent() const override { return parent_ != nullptr; }
    void SetParentComponent(TComponent* parent) override { parent_ = parent; }
    void GetChildren(const TGetChildProc& proc, TComponent* root) override {
        for (int i = 0; i < root->ComponentCount(); ++i)
            if (root->Components(i)->GetParentComponent() == this) proc(root->Components(i));
    }

    bool loadingWhenSized = false;
    bool writingSeen = false;
    void WriteState(TWriter* writer) override {
        writingSeen = ComponentState().Contains(csWriting);
        inherited::WriteState(writer);
    }
    bool buddyResolvedWhenLoaded = false;
    void Loaded() override {
        buddyResolvedWhenLoaded = buddy_ != nullptr;
        inherited::Loaded();
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove && component == buddy_) buddy_ = nullptr;
        inherited::Notification(component, operation);
    }

private:
    String caption_;
    int width_ = 75;
    double ratio_ = 0;
    float scale_ = 1.0f;
    TTestShape shape_ = tsCircle;
    TTestOptions options_;
    bool visible_ = true;
    Integer color_ = 0;
    SmallInt small_ = 0;
    TTestFont* font_ = new TTestFont;
    TOwnedCollection items_{this, TTestItem::StaticClass()};
    TTestWidget* buddy_ = nullptr;
    int secret_ = 0;
    TComponent* parent_ = nullptr;
};

// A non-visual component: written among the root's children, never inside a widget.
class TTestThing : public TCounted {
    Z_CLASS(TTestThing, TCounted)
    Z_PUBLISHED {
        p.Property(L"Target", &TTestThing::Target, &TTestThing::SetTarget);
        p.Property(L"Uses", &TTestThing::Uses);  // read-only: never written, refused on reading
    }

public:
    explicit TTestThing(TComponent* owner) : TCounted(owner) {}
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* v) { target_ = v; }
    int Uses() const { return 3; }

private:
    TComponent* target_ = nullptr;
};

// The root: writes its non-visual components and the widgets whose parent it is, and
// publishes the handlers that events can be bound to.
class TTestForm : public TCounted {
    Z_CLASS(TTestForm, TCounted)
    Z_PUBLISHED {
        p.Property(L"Caption", &TTestForm::Caption, &TTestForm::SetCaption);
        p.Method(L"ButtonClick", &TTestForm::ButtonClick);
        p.Method(L"OtherClick", &TTestForm::OtherClick);
        p.Method(L"KeyHandler", &TTestForm::KeyHandler);
    }

public:
    explicit TTestForm(TComponent* owner) : TCounted(owner) {}
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v) { caption_ = v; }

    void ButtonClick(TObject* sender) { clicks.push_back(sender); }
    void OtherClick(TObject*) {}
    void KeyHandler(TObject*, int) {}
    std::vector<TObject*> clicks;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override {
        for (int i = 0; i < ComponentCount(); ++i) {
            TComponent* c = Components(i);
            if (!c->HasParent() || c->GetParentComponent() == this) proc(c);
        }
    }

private:
    String caption_;
};

// Registers the test classes for reading by name.
void RegisterStreamingFixtures();
