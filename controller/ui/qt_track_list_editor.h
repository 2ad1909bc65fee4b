#pragma once
// The track list editor on screen (template 166, "Edit Track list"): the disc's name with its
// Change... button, the track list (number, name, the mark, the "^^" end row), the move keys
// MOVEUP and MOVEDOWN with MOVE in the "Move Track" group, DEL, the track's Change... and Exit.
// It only shows what disc::TrackListEditor says: the skinned keys send their WM_COMMAND to the
// editor's window, the other buttons and the list call the editor directly.

#include <QDialog>
#include <QPointer>

#include <map>

#include "controller/disc/track_list_editor.h"
#include "platform/host.h"

class QLineEdit;

namespace tovik::ui {

class TrackListWidget;

class QtTrackListEditor : public disc::TrackListEditorView {
public:
    QtTrackListEditor(Host& host, QWidget* owner);
    ~QtTrackListEditor() override;

    void open(disc::TrackListEditor& editor) override;
    void close() override;
    void setRows(const std::vector<std::string>& rows) override;
    void replaceRow(int row, const std::string& text) override;
    void removeRow(int row) override;
    void insertRow(int row, const std::string& text) override;
    void setSelection(int row) override;
    void setMark(int row) override;
    int topRow() const override;
    int visibleRows() const override;
    void setTopRow(int row) override;
    void setDiscName(const std::string& text) override;
    void enableControl(int id, bool enabled) override;

    QDialog* dialog() const { return dialog_; }
    TrackListWidget* list() const { return list_; }
    QWidget* control(int id) const;

private:
    class Window;
    void build(disc::TrackListEditor& editor);

    Host& host_;
    QPointer<QWidget> owner_;
    QPointer<QDialog> dialog_;
    TrackListWidget* list_ = nullptr;
    QLineEdit* discName_ = nullptr;
    std::map<int, QWidget*> controls_;
    bool telling_ = false;  // the selection is being set from the editor: not reported back
};

}  // namespace tovik::ui
