#include "controller/ui/track_list_widget.h"

#include <QImage>
#include <QPainter>
#include <QStyledItemDelegate>

#include "controller/ui/rotela_skin.h"

namespace tovik::ui {

namespace {

class RowDelegate : public QStyledItemDelegate {
public:
    explicit RowDelegate(TrackListWidget& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        qt::QtCanvas canvas(*painter, rotelaSkin());
        const QRect& r = option.rect;
        TrackListItem item;
        item.index = index.row();
        item.rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        item.text = index.data(Qt::DisplayRole).toString().toStdString();
        item.selected = option.state & QStyle::State_Selected;
        item.focused = option.state & QStyle::State_HasFocus;
        item.disabled = !(option.state & QStyle::State_Enabled);
        list_.rows().drawItem(canvas, item, list_.selectedRow());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), list_.itemHeight());
    }

private:
    TrackListWidget& list_;
};

}  // namespace

TrackListWidget::TrackListWidget(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new RowDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Every row has the height of the text's cell or of the mark, whichever is taller.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    qt::QtCanvas canvas(painter, rotelaSkin());
    itemHeight_ = rows_.itemHeight(canvas);
}

int TrackListWidget::selectedRow() const {
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TrackListWidget::redrawRow(int row) {
    if (row >= 0 && row < count()) viewport()->update(visualRect(model()->index(row, 0)));
}

void TrackListWidget::setMarkedItem(int row) {
    const int old = rows_.markedItem();
    rows_.setMarkedItem(row);
    redrawRow(old);
    redrawRow(row);
}

}  // namespace tovik::ui
