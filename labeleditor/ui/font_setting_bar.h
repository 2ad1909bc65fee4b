#pragma once
// CFontSettingBar, the format bar as behaviour: the face box and the size box follow the
// document's current font whenever neither has the focus, and leaving a box with a valid entry
// applies it to the document. The bar talks to its owner (the main frame, which passes the
// font notifications on to the document) with FormatNotify blocks: FBN_QUERYFONT, FBN_APPLYFONT,
// NM_RETURN (take the focus back), NM_SETFOCUS and NM_KILLFOCUS. Its five buttons are plain
// commands of the document and are not part of this class.

#include <functional>
#include <memory>

#include "labeleditor/document/char_format.h"
#include "labeleditor/ui/bar_combo.h"
#include "labeleditor/ui/ui_ids.h"
#include "platform/host.h"

namespace tovik::label {

constexpr int NM_SETFOCUS = -7;
constexpr int NM_KILLFOCUS = -8;

class CFontSettingBar : public ComboParent {
public:
    // `notify` delivers a block to the owner at once and returns the owner's answer.
    CFontSettingBar(Host& host, const FontEnumerator& fonts, Collation collation,
                    std::function<LResult(FormatNotify&)> notify);
    ~CFontSettingBar();

    // The two boxes exist on screen: fills the face list (once; fonts installed later are not
    // picked up).
    void OnCreate(ComboControl& faceBox, ComboControl& sizeBox);

    // The idle update: the boxes show the document's font unless one of them (or its edit field
    // or list) has the focus, so that typing is never overwritten.
    void OnIdleUpdate();

    // --- what the boxes report ---
    void OnSetFocus();            // either box: NM_SETFOCUS
    void OnCloseUp();             // either box's list closed: NM_RETURN
    void OnFaceKillFocus();       // applies the face entered
    void OnSizeKillFocus();       // applies the size entered
    void OnSizeDropDown();        // refills the size list for the face shown

    CFaceNameCombo& faceCombo() const { return *face_; }
    CPointSizeCombo& sizeCombo() const { return *size_; }

    // --- ComboParent ---
    void focusNextCombo(const CBarCombo& from) override;
    void SyncWithDoc() override;
    void sendReturn() override;

private:
    LResult send(int code, FormatNotify& block);
    LResult send(int code);
    // Shows the message for a size that cannot be applied; true when there was one.
    bool rejectSize(int value);

    Host& host_;
    const FontEnumerator& fonts_;
    Collation collation_;
    std::function<LResult(FormatNotify&)> notify_;
    std::unique_ptr<CFaceNameCombo> face_;
    std::unique_ptr<CPointSizeCombo> size_;
};

}  // namespace tovik::label
