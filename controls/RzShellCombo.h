#pragma once
// TRzCustomShellCombo (published as TRzShellCombo): the folder combo of the open/save form. An
// image combo that lists the desktop, the desktop's folders, the computer's drives and the chain
// of ancestors of the shown folder, each indented by its depth, and that drives a linked shell
// list or shell tree (one of them). TShellFolder2ToShellDetailsAdapter lets the shell list read
// the columns of folders that offer only the newer folder-2 column interface.

#include <shlobj.h>

#include <vector>

#include "ImageList.h"
#include "RzComObject.h"
#include "RzImageComboBox.h"
#include "RzShellLocator.h"
#include "RzShellUtils.h"

class TRzCustomShellCombo;

// What a shell list or tree does for the combo linked to it.
class IRzShellComboLink {
public:
    // The combo records itself (null: unlinks).
    virtual void LinkShellCombo(TRzCustomShellCombo* combo) = 0;
    // The user chose a folder in the combo: the tree selects it, the list shows it; refresh asks
    // the tree to refresh as well (after the combo was loaded).
    virtual void ShowComboFolder(const ITEMIDLIST* pidl, bool refresh) = 0;
    // Runs the control's pending synchronisation now.
    virtual void FlushForCombo() = 0;

protected:
    ~IRzShellComboLink() = default;
};

// The folders of one combo entry: its parent folder (referenced), the parent's absolute list,
// its own relative list and the two together.
class TRzShellComboData : public TObject {
    Z_CLASS(TRzShellComboData, TObject)
public:
    explicit TRzShellComboData(TRzCustomShellCombo* owner) : owner_(owner) {}
    ~TRzShellComboData() override;
    // Takes copies of both lists and a reference of the folder.
    void SetItem(IShellFolder* parentFolder, const ITEMIDLIST* parentPidl, const ITEMIDLIST* relPidl);

    TRzCustomShellCombo* Owner() const { return owner_; }
    IShellFolder* ParentFolder() const { return parentFolder_; }
    const ITEMIDLIST* ParentPidl() const { return parentPidl_; }
    const ITEMIDLIST* RelPidl() const { return relPidl_; }
    const ITEMIDLIST* AbsPidl() const { return absPidl_; }

private:
    TRzCustomShellCombo* owner_;
    IShellFolder* parentFolder_ = nullptr;
    PItemIDList parentPidl_ = nullptr;
    PItemIDList relPidl_ = nullptr;
    PItemIDList absPidl_ = nullptr;
};

Z_ENUM(TRzShellComboOption, int, scoAutofill, scoNonFilesystemAncestors)
using TRzShellComboOptions = TSet<TRzShellComboOption>;

class TRzCustomShellCombo : public TRzCustomImageComboBox {
    Z_CLASS(TRzCustomShellCombo, TRzCustomImageComboBox)
public:
    explicit TRzCustomShellCombo(TComponent* AOwner);
    ~TRzCustomShellCombo() override;

    // A list given while a tree is linked (and the other way round) is ignored; null always
    // unlinks. The component must be a shell list or tree (IRzShellComboLink).
    TComponent* ShellList() const { return shellList_; }
    void SetShellList(TComponent* v);
    TComponent* ShellTree() const { return shellTree_; }
    void SetShellTree(TComponent* v);
    TRzShellComboOptions Options() const { return options_; }
    void SetOptions(TRzShellComboOptions v) { options_ = v; }
    // On drop-down, the list is made to reach the bottom of the screen.
    bool AutoDropDownCount() const { return autoDropDownCount_; }
    void SetAutoDropDownCount(bool v) { autoDropDownCount_ = v; }
    // The folder shown; setting it shows it in the linked control and refills.
    TRzShellLocator* SelectedFolder() const { return locator_; }

    // Rebuilds the entries for the shown folder (only with a window); shell errors raise.
    void FillCombo();
    // Shows the folder levels up from the selected entry, stopping at the desktop.
    void ComboGoUp(int levels);
    // When flush, the linked tree's and list's pending synchronisations run now.
    void FlushLinked(bool flush);
    // The folders of entry index; null outside.
    TRzShellComboData* ItemData(int index) const;
    // The shell tree's selected node: shows its folder (absolute list, null: the desktop).
    virtual void FollowTreeNode(const ITEMIDLIST* nodePidl);

protected:
    // Whether a subfolder becomes an entry; always true.
    virtual bool CanAddComboItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, int level, SFGAOF attributes,
                                 const ITEMIDLIST* relPidl);
    virtual void ComboFolderChanged();
    void DoGetItemData(TRzImageComboBoxItem* item) override;
    void DoSelEndOk() override;
    void DropDown() override;
    void Loaded() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The target folder as levels, used up once its entry was added.
    struct TFillTarget {
        TRzIdListArray* levels;
        Integer count;
        bool usedUp;
        int selected;
    };
    void FillComboLevel(IShellFolder* folder, const ITEMIDLIST* parentPidl, TFillTarget& target, int level);
    void AddAncestorChain(IShellFolder* folder, const ITEMIDLIST* matchedAbs, const ITEMIDLIST* matchedRel,
                          TFillTarget& target, int level);
    TRzImageComboBoxItem* AddShellItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, const ITEMIDLIST* relPidl,
                                       int level, SFGAOF attributes, bool withCaption);
    void DeleteShellItems();
    // Unlinks the control in field and links v (null: none).
    void Relink(TComponent*& field, TComponent* v);
    void LocatorChanged(TObject*);
    IRzShellComboLink* Link() const;

    int lock_ = 0;
    TComponent* shellTree_ = nullptr;
    TComponent* shellList_ = nullptr;
    TRzShellLocator* locator_;
    TRzShellComboOptions options_{scoAutofill, scoNonFilesystemAncestors};
    bool autoDropDownCount_ = true;
    TImageList* systemImages_;
    std::vector<TRzShellComboData*> data_;
};

class TRzShellCombo : public TRzCustomShellCombo {
    Z_CLASS(TRzShellCombo, TRzCustomShellCombo)
    Z_PUBLISHED {
        using C = TRzShellCombo;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Color", &C::Color, &C::SetColor).Stored(&C::IsColorStored);
        p.Property(L"DropDownCount", &C::DropDownCount, &C::SetDropDownCount).Default(8);
        p.Property(L"AutoDropDownCount", &C::AutoDropDownCount, &C::SetAutoDropDownCount).Default(true);
        p.Property(L"Options", &C::Options, &C::SetOptions)
            .Default(TRzShellComboOptions{scoAutofill, scoNonFilesystemAncestors});
        p.Property(L"ShellList", &C::ShellList, &C::SetShellList);
        p.Property(L"ShellTree", &C::ShellTree, &C::SetShellTree);
        p.Property(L"FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(false).Stored(&C::IsFlatButtonsStored);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible)
            .Default(false)
            .Stored(&C::IsFrameVisibleStored);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnSelect", &C::OnSelect);
        p.Event(L"OnDropDown", &C::OnDropDown);
        p.Event(L"OnCloseUp", &C::OnCloseUp);
        p.Event(L"OnDeleteItem", &C::OnDeleteItem);
        p.Event(L"OnSelEndOk", &C::OnSelEndOk);
    }

public:
    using TRzCustomShellCombo::TRzCustomShellCombo;
};

// Sorts relative lists of folder by its order of column 0; a failed comparison counts as equal.
// Only one sort may run at a time: a sort started from within raises "Recursive call to
// SortPidls".
void SortPidls(IShellFolder* folder, std::vector<PItemIDList>& pidls);

// Column details of a folder that offers only the folder-2 interface: the columns it shows by
// default (the others answer E_INVALIDARG, so a reader asking 0, 1, 2... stops at the first).
class TShellFolder2ToShellDetailsAdapter : public TInterfacedObject, public IShellDetails {
    Z_CLASS(TShellFolder2ToShellDetailsAdapter, TInterfacedObject)
public:
    // Holds a reference of folder while it lives.
    explicit TShellFolder2ToShellDetailsAdapter(IShellFolder2* folder);
    ~TShellFolder2ToShellDetailsAdapter() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP GetDetailsOf(PCUITEMID_CHILD pidl, UINT column, SHELLDETAILS* details) override;
    STDMETHODIMP ColumnClick(UINT column) override;

private:
    IShellFolder2* folder_;
};

// The column details of folder, referenced for the caller: the adapter when the folder offers
// the folder-2 interface and answers for column 0, else its own details interface or view
// object; null when it has none.
IShellDetails* GetDetailsInterface(IShellFolder* folder);

void InitializeRzShellCombo();
