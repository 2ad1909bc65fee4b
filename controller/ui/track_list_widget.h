#pragma once
// The track list box on screen: a QListWidget whose rows are drawn by TrackListBox through the
// canvas (number, name, mark, the blank end row). The track list editor fills it with the
// names and "^^", and moves the mark.

#include <QListWidget>

#include "controller/ui/track_list_box.h"

namespace tovik::ui {

class TrackListWidget : public QListWidget {
public:
    explicit TrackListWidget(QWidget* parent = nullptr);

    const TrackListBox& rows() const { return rows_; }
    // The row the mark is on (-1: none); redraws the rows it leaves and reaches.
    void setMarkedItem(int row);
    int markedItem() const { return rows_.markedItem(); }
    // The selected row, -1 for none.
    int selectedRow() const;
    int itemHeight() const { return itemHeight_; }

private:
    void redrawRow(int row);

    TrackListBox rows_;
    int itemHeight_ = 15;
};

}  // namespace tovik::ui
