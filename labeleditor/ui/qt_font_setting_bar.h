#pragma once
// The format bar on screen (CFontSettingBar's window): a tool bar with the face box, the size
// box and the five style buttons, docking at the top or the bottom of the main window or
// floating under its caption "Formatting". It forwards what a person does to the behaviour and
// runs the behaviour's idle update after every input, as the document's commands and the
// current label item may have changed.

#include <QToolBar>

#include <functional>
#include <memory>
#include <optional>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/ui/font_setting_bar.h"
#include "labeleditor/ui/qt_bar_combo.h"
#include "labeleditor/ui/qt_font_enumerator.h"

namespace tovik::label {

class FontSettingBarWidget : public QToolBar, private DocumentObserver {
public:
    FontSettingBarWidget(Host& host, QWidget* parent = nullptr);
    ~FontSettingBarWidget() override;

    // WM_NOTIFY to the owner (the frame): NM_RETURN, FBN_QUERYFONT, FBN_APPLYFONT, ... with the
    // bar's id; the owner's answer.
    std::function<LResult(FormatNotify& block)> notify;
    // The buttons' commands: running one, and its state (nullopt when nobody handles it).
    std::function<void(unsigned id)> runCommand;
    std::function<std::optional<CommandState>(unsigned id)> commandState;
    // The document's hints also bring an idle update.
    void watch(CSleevonDoc& doc);

    // The buttons' states, then the boxes unless one of them has the focus. Runs by itself at
    // the next idle moment after any input.
    void idleUpdate();

    CFontSettingBar& behaviour() { return *bar_; }
    QtBarCombo& faceBox() { return *face_; }
    QtBarCombo& sizeBox() { return *size_; }
    QAction* button(unsigned id) const;
    bool largeIcons() const { return largeIcons_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onDocumentUpdate(unsigned hint) override;
    void createBoxes();
    void createButtons();
    void scheduleIdleUpdate();
    // The caption a floating bar draws above its slots, and its close box.
    int captionHeight() const;
    void placeBelowCaption();
    QRect captionRect() const;
    QRect closeBoxRect() const;

    Host& host_;
    QtFontEnumerator fonts_;
    std::unique_ptr<CFontSettingBar> bar_;
    QtBarCombo* face_ = nullptr;
    QtBarCombo* size_ = nullptr;
    QList<QAction*> buttons_;
    CSleevonDoc* doc_ = nullptr;
    bool largeIcons_ = false;
    bool idlePending_ = false;
    std::optional<QPoint> dragOffset_;  // while the caption is dragged
};

}  // namespace tovik::label
