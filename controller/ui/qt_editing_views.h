#pragma once
// The editing dialogs on screen, together, joined to the panel's editing: the name dialog's
// buttons go to its behaviour, and the three are the views PanelEditing is built with.
//
//   QtEditingViews views(host, &window);
//   PanelEditing editing(host, panel, discHooks, views.views());
//   views.connect(editing);

#include "controller/ui/panel_editing.h"
#include "controller/ui/qt_name_dialog.h"
#include "controller/ui/qt_track_list_editor.h"
#include "controller/ui/qt_wait_box.h"

namespace tovik::ui {

class QtEditingViews {
public:
    QtEditingViews(Host& host, QWidget* owner)
        : nameDialog(host, owner), waitBox(owner), trackListEditor(host, owner) {}

    EditingViews views() { return {nameDialog, waitBox, trackListEditor}; }
    void connect(PanelEditing& editing) {
        nameDialog.onOk = [&editing] { editing.nameDialog().ok(); };
        nameDialog.onCancel = [&editing] { editing.nameDialog().cancel(); };
    }

    QtNameDialog nameDialog;
    QtWaitBox waitBox;
    QtTrackListEditor trackListEditor;
};

}  // namespace tovik::ui
