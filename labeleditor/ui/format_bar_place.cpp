#include "labeleditor/ui/format_bar_place.h"

#include "labeleditor/document/document_ids.h"
#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

FormatBarPlace::FormatBarPlace(const StringTable& strings, QWidget* parent)
    : QToolBar(QString::fromStdString(strings.text(IDS_FORMAT_BAR_CAPTION)), parent) {
    setObjectName("FormatBar");  // its name in the saved bar state
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    setFloatable(true);
    setMovable(true);
}

LResult FormatBarPlace::sendNotify(int code, FormatNotify& block) {
    block.hdr.idFrom = ID_FORMAT_BAR;
    block.hdr.code = code;
    return notify ? notify(block) : 0;
}

}  // namespace tovik::label
