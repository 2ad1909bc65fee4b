#pragma once
// The three panes of the main window as the frame sees them: each is a view of the one document
// that takes part in command routing (the active view is asked first).

#include <optional>

#include "labeleditor/document/sleevon_doc.h"

namespace tovik::label {

enum class Pane {
    None,       // the focus is elsewhere (a bar, the in-place editor, another window)
    Preview,    // main splitter pane (0,0): the label preview
    TitleList,  // right splitter pane (0,0)
    TrackList,  // right splitter pane (1,0)
};

class FrameView {
public:
    virtual ~FrameView() = default;
    // Runs after every New and Open: the view rebuilds itself from the document.
    virtual void OnInitialUpdate() = 0;
    // The window is about to be destroyed: the view keeps what it stores in the profile.
    virtual void OnDestroy() {}
    // A command this view handles; false for any other.
    virtual bool onCommand(unsigned id) = 0;
    // The update state of a command this view handles; nullopt for any other.
    virtual std::optional<CommandState> commandState(unsigned id) const = 0;
};

// The label preview: the view that Print and Print Preview act on, whichever pane has the focus.
class LabelPreview : public FrameView {
public:
    // False while the preview cannot print yet: print, preview and the print position are then
    // disabled.
    virtual bool canPrint() const = 0;
    // The whole printing procedure: print dialog, job, progress, messages.
    virtual void print() = 0;
    virtual void printPreview() = 0;
};

}  // namespace tovik::label
