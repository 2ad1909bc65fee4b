#pragma once
// The format bar's place in the main window: a tool bar with the bar's id and caption that
// docks only at the top or the bottom edge (or floats), is shown and hidden with the View menu,
// and keeps its place in the saved bar state. The face and size boxes and the style buttons
// go in here; when one of the boxes hands the focus back (NM_RETURN) the bar tells the frame
// through `notify`.

#include <QToolBar>

#include <functional>

#include "labeleditor/document/char_format.h"
#include "platform/strings.h"

namespace tovik::label {

class FormatBarPlace : public QToolBar {
public:
    FormatBarPlace(const StringTable& strings, QWidget* parent = nullptr);

    // WM_NOTIFY to the frame: NM_RETURN, FBN_QUERYFONT, FBN_APPLYFONT, ... with the bar's id.
    std::function<LResult(FormatNotify& block)> notify;
    // Sends a notification with this bar's id; the frame's answer.
    LResult sendNotify(int code, FormatNotify& block);
};

}  // namespace tovik::label
