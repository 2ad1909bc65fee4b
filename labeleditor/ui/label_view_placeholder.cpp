#include "labeleditor/ui/label_view_placeholder.h"

namespace tovik::label {

LabelViewPlaceholder::LabelViewPlaceholder(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, palette().color(QPalette::Base));
    setPalette(page);
}

PreviewPane makeLabelPreviewPane(const PreviewContext& context) {
    auto* view = new LabelViewPlaceholder(context.parent);
    return {view, view};
}

}  // namespace tovik::label
