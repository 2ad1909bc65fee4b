#pragma once
// The progress dialog of the full read cycle ("MD Track data read"): a bar from 0 to 100, a
// percentage text, and a Cancel button that only raises a flag the cycle reads at its next step.
// While the dialog exists its owner, the panel, is disabled. Each step lets the waiting messages
// through, so that a press on Cancel is seen.
//
// ProgressDialog is the behaviour; ProgressWindow is what shows it: a Qt dialog in Rotela, a line
// on standard error in mdctl, a recording fake in tests.

#include <functional>
#include <string>

namespace tovik::disc {

// Ids of the dialog's resource (template 122) and its title string.
constexpr int IDD_PROGRESS = 122;
constexpr unsigned IDS_PROGRESS_TITLE = 123;  // "MD Track data read"
constexpr int IDC_PROGRESS_BAR = 1003;
constexpr int IDC_PROGRESS_TEXT = 1004;       // starts as string 1004, " 0 %"
constexpr unsigned IDS_PROGRESS_START_TEXT = 1004;

class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    // Shows the modeless dialog over a disabled owner; onCancel runs for each press on Cancel.
    virtual void open(const std::string& title, const std::string& text,
                      std::function<void()> onCancel) = 0;
    virtual void setPosition(int position) = 0;  // 0..100
    virtual void setText(const std::string& text) = 0;
    // Handles every message that is waiting now, then returns (the nested message pump).
    virtual void pumpMessages() = 0;
    // Removes the dialog and enables the owner again.
    virtual void close() = 0;
};

class ProgressDialog {
public:
    static constexpr int kLower = 0;
    static constexpr int kUpper = 100;

    explicit ProgressDialog(ProgressWindow& window) : window_(window) {}
    ~ProgressDialog() { close(); }
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    // Opens the dialog for `steps` steps (the disc name and every track); position 0.
    void open(const std::string& title, const std::string& startText, int steps);
    // The number of steps once it is known (the track count comes after the dialog opened).
    void setSteps(int steps);
    // One more step done: the bar moves, waiting messages are handled, the text follows.
    void step();
    void close();

    bool isOpen() const { return open_; }
    // Cancel as the cycle sees it: true once after a press, then cleared.
    bool takeCancel();
    void pressCancel() { cancel_ = true; }
    bool cancelPressed() const { return cancel_; }

    int position() const { return position_; }
    const std::string& text() const { return text_; }

    // "%d%c" of the percentage; 100 stays 100, any other value is taken modulo 100.
    static std::string percentText(int position, int lower = kLower, int upper = kUpper);

private:
    ProgressWindow& window_;
    bool open_ = false;
    bool cancel_ = false;
    int steps_ = 1;
    int done_ = 0;
    int position_ = kLower;
    std::string text_;
};

}  // namespace tovik::disc
