#pragma once
// The name dialog (template 171): one line for the disc's or a track's name, with OK and
// Cancel. The line is a CMdTextEdit field of at most 100 characters. OK takes the name only when
// it can be written to a disc; otherwise it says so and keeps the part before the character
// that cannot be written.
//
// Behaviour only: it runs modally on the host (timers and the card's answers keep flowing) and
// the widget shows what it says.

#include <optional>
#include <string>

#include "platform/host.h"

namespace tovik::disc {

enum NameDialogControl : int { IDC_NAME_EDIT = 1042 };
constexpr int kNameMaxChars = 100;

class NameDialogView {
public:
    virtual ~NameDialogView() = default;
    // Shows the dialog with its caption and name (UTF-8). The field holds kNameMaxChars and, on
    // a Japanese system, filters what is typed (CMdTextEdit).
    virtual void show(const std::string& caption, const std::string& name) = 0;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void hide() = 0;
};

// A name as entered, in both forms (bytes in the system's code page).
struct NameEntry {
    std::string display;
    std::string disc;
};

class NameDialog : private MessageTarget {
public:
    NameDialog(Host& host, NameDialogView& view);
    ~NameDialog();
    NameDialog(const NameDialog&) = delete;
    NameDialog& operator=(const NameDialog&) = delete;

    // Runs the dialog with the caption (string id) and the name in display form. The name as
    // entered on OK; nothing on Cancel, when cancelled from outside, or while one already runs.
    std::optional<NameEntry> run(unsigned captionId, const std::string& name);

    // The dialog's buttons. cancel() also ends it from outside (the disc went away).
    void ok();
    void cancel();

    bool isOpen() const { return open_; }
    Handle window() const { return window_; }

private:
    LResult onMessage(Msg, WParam, LParam) override { return 0; }
    void end(int code);

    Host& host_;
    NameDialogView& view_;
    Handle window_;
    bool open_ = false;
    bool ending_ = false;
    std::optional<NameEntry> entry_;
};

}  // namespace tovik::disc
