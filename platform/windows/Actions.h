#pragma once
// Actions: one command with its caption, state and handler, shared by every control, item or
// button that shows it; and the links through which those clients follow it.
//
// Sections: links; TBasicAction; TContainedAction and TActionList; TCustomAction, TAction and
// THintAction.
//
// A client (a control, a bar item) holds an action link. The link tells the client when a
// property of the action changes, and the client takes the new value only while it still shows
// the action's old one, so a value the client was given by hand stays. Executing an action asks,
// in order, its action list's OnExecute, its own OnExecute, then the forms (CM_ACTIONEXECUTE to
// the active form and the main form, which offer it to their controls); updating asks the same
// chain with OnUpdate and CM_ACTIONUPDATE. The application's idle step updates the actions of
// the visible forms' clients, so Enabled and Checked follow OnUpdate.

#include <vector>

#include "Component.h"
#include "ShortCuts.h"

class TBasicAction;
class TActionList;
class TCustomImageList;

using THelpContext = Integer;

// ---- links ----

class TBasicActionLink : public TObject {
    Z_CLASS(TBasicActionLink, TObject)
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    virtual void SetAction(TBasicAction* value);
    // Binds the link to the object it serves. A link made for one kind of client raises
    // EInvalidCast for another.
    virtual void AssignClient(TObject* client) {}
    // Runs the action with component as its ActionComponent; true when someone handled it.
    virtual bool Execute(TComponent* component = nullptr);
    // Asks the action to update itself; true when someone handled the update.
    virtual bool Update();

    // Fired with the action as sender when the action changed as a whole (its Change).
    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();

private:
    TBasicAction* action_ = nullptr;
};

// Makes a link of the class (a TBasicActionLink kind with a constructor without arguments) for
// the client.
TBasicActionLink* NewActionLink(TClass linkClass, TObject* client);

// The link of clients that show a TCustomAction's properties. A property counts as linked when
// the action is a TCustomAction; clients narrow that to "and I still show its value", and their
// setters pass a new value on only while the property is linked.
class TActionLink : public TBasicActionLink {
    Z_CLASS(TActionLink, TBasicActionLink)
public:
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsOnExecuteLinked() const;

    // Called by the action before it takes a new value.
    virtual void SetCaption(const String&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHelpContext(THelpContext) {}
    virtual void SetHint(const String&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}
    virtual void SetOnExecute(const TNotifyEvent&) {}

protected:
    bool IsCustomAction() const;
};

// ---- TBasicAction ----

class TBasicAction : public TComponent {
    Z_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    void BeforeDestruction() override;

    // Runs the action; true when a handler took it.
    virtual bool Execute();
    // Updates the action's state (OnUpdate); true when a handler took it.
    virtual bool Update();
    // The client that executes the action now (set by the link around Execute).
    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* v);

    const TNotifyEvent& OnExecute() const { return onExecute_; }
    void SetOnExecute(const TNotifyEvent& v);
    TNotifyEvent OnUpdate;

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);

protected:
    // Tells every link (OnChange) that the action changed as a whole. Single properties reach
    // the links through their setters instead.
    void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The links, for setters that offer each one the new value first.
    const std::vector<TBasicActionLink*>& Clients() const { return clients_; }

private:
    TNotifyEvent onExecute_;
    TComponent* actionComponent_ = nullptr;
    std::vector<TBasicActionLink*> clients_;
};

// ---- TContainedAction and TActionList ----

// An action that may belong to an action list (a child of the list in form descriptions).
class TContainedAction : public TBasicAction {
    Z_CLASS(TContainedAction, TBasicAction)
    Z_PUBLISHED { p.Property(L"Category", &TContainedAction::Category, &TContainedAction::SetCategory); }

public:
    explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    void BeforeDestruction() override;

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* v);
    const String& Category() const { return category_; }
    void SetCategory(const String& v) { category_ = v; }
    // The position in the action list; -1 without a list.
    int Index() const;

    // The list's OnExecute, then OnExecute, then the forms.
    bool Execute() override;
    // The list's OnUpdate, then OnUpdate, then the forms.
    bool Update() override;

    bool HasParent() const override { return actionList_ != nullptr; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

private:
    friend class TActionList;
    TActionList* actionList_ = nullptr;
    String category_;
};

using TActionEvent = TEvent<void(TBasicAction* Action, bool& Handled)>;

class TActionList : public TComponent {
    Z_CLASS(TActionList, TComponent)
    Z_PUBLISHED {
        p.Property(L"Images", &TActionList::Images, &TActionList::SetImages);
        p.Event(L"OnExecute", &TActionList::OnExecute);
        p.Event(L"OnUpdate", &TActionList::OnUpdate);
    }

public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    // Frees the list's actions.
    void BeforeDestruction() override;

    int ActionCount() const { return int(actions_.size()); }
    TContainedAction* Actions(int index) const;  // raises EListError outside the list
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);

    // OnExecute / OnUpdate for the action; true when the handler set Handled.
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);
    // When the key message is the shortcut of one of the list's actions: updates that action
    // and, when it is enabled, executes it and answers true.
    bool IsShortCut(const TMessage& keyMessage);

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    TActionEvent OnExecute, OnUpdate;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> actions_;
    TCustomImageList* images_ = nullptr;
};

// ---- TCustomAction, TAction and THintAction ----

// Fired before a client shows the action's hint: the handler may change the text or forbid it.
using THintEvent = TEvent<void(String& HintStr, bool& CanShow)>;

class TCustomAction : public TContainedAction {
    Z_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    THelpContext HelpContext() const { return helpContext_; }
    void SetHelpContext(THelpContext v);
    const String& Hint() const { return hint_; }
    void SetHint(const String& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

    // Updates the action, then runs it when it is enabled.
    bool Execute() override;
    // Offers the hint to OnHint; false when the handler forbids showing it.
    virtual bool DoHint(String& HintStr);

    THintEvent OnHint;

private:
    template <class V, class S>
    void Store(V& field, const V& value, S linkSetter);

    String caption_, hint_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    THelpContext helpContext_ = 0;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
};

class TAction : public TCustomAction {
    Z_CLASS(TAction, TCustomAction)
    Z_PUBLISHED {
        p.Property(L"Caption", &TAction::Caption, &TAction::SetCaption);
        p.Property(L"Checked", &TAction::Checked, &TAction::SetChecked).Default(false);
        p.Property(L"Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
        p.Property(L"HelpContext", &TAction::HelpContext, &TAction::SetHelpContext).Default(0);
        p.Property(L"Hint", &TAction::Hint, &TAction::SetHint);
        p.Property(L"ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1);
        p.Property(L"ShortCut", &TAction::ShortCut, &TAction::SetShortCut).Default(scNone);
        p.Property(L"Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
        // A property, not a plain event: the clients that show the handler follow a new one.
        p.Property(L"OnExecute", &TAction::OnExecute, &TAction::SetOnExecute);
        p.Event(L"OnHint", &TAction::OnHint);
        p.Event(L"OnUpdate", &TAction::OnUpdate);
    }

public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The action the application executes whenever its Hint changes and it has no OnHint handler:
// a control that shows hints (a status bar) takes it in its ExecuteAction.
class THintAction : public TCustomAction {
    Z_CLASS(THintAction, TCustomAction)
public:
    explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};
