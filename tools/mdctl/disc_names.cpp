#include "tools/mdctl/disc_names.h"

#include <ostream>

#include "controller/disc/disc_name_reader.h"
#include "controller/disc/label_hand_over.h"
#include "controller/disc/md_disc_model.h"
#include "controller/disc/progress_dialog.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/unit_messages.h"
#include "platform/json.h"

namespace tovik::mdctl {

namespace {

using namespace tovik::link;

// Time the whole cycle may take; each read inside it has its own 50-second guard, so this only
// catches a cycle that stopped moving altogether.
constexpr unsigned kCycleLimitMs = 3'600'000;

// The controller's full read cycle without the panel: no poll to stop or restart, the progress
// dialog as lines on standard error, and Ctrl+C as its Cancel button.
class CycleRunner : private MessageTarget, private disc::NameReadOwner, private disc::ProgressWindow {
public:
    CycleRunner(Environment& env, std::ostream& err)
        : env_(env),
          err_(err),
          link_(env.host, env.driver),
          progress_(static_cast<disc::ProgressWindow&>(*this)),
          reader_(env.host, link_, model_, progress_, static_cast<disc::NameReadOwner&>(*this)) {
        window_ = env_.host.createWindow(*this);
    }
    ~CycleRunner() override {
        link_.Close();
        env_.host.destroyWindow(window_);
    }

    int run() {
        if (!link_.Open()) return fail(IDS_DRIVER_NOT_FOUND, EXIT_NO_DRIVER);
        if (!link_.CardReady()) return fail(IDS_CARD_NOT_READY, EXIT_NO_CARD);
        if (!link_.Attach(window_, &status_)) return fail(IDS_DRIVER_NOT_FOUND, EXIT_NO_DRIVER);

        // One status first: the track count, and whether there is a disc to read at all.
        if (!link_.GetStatus()) return fail(IDS_CARD_REMOVED, EXIT_NO_CARD);
        if (!env_.wait([this] { return statusAnswered_; }, env_.timeoutMs))
            return fail(IDS_TIMEOUT, EXIT_TIMEOUT);
        if (statusResult_ != 0) return fail(IDS_CANT_ACCESS, EXIT_NO_CARD);
        if (!status_.unitReady()) return fail(IDS_NOT_ACCESS, EXIT_NO_CARD);
        if (status_.noDisc()) return fail(IDS_NO_DISC, EXIT_NO_DISC);

        reader_.startCycle(disc::AFTER_CYCLE_LABEL_EDITOR);
        env_.wait(
            [this] {
                if (env_.interrupted()) progress_.pressCancel();
                return ended_;
            },
            kCycleLimitMs);
        if (cardGone_) return EXIT_NO_CARD;
        if (!ended_) return fail(IDS_TIMEOUT, EXIT_READ_FAILED);
        // The unit goes back to the track it was on; wait for that before letting go.
        env_.wait([this] { return returned_; }, env_.timeoutMs);
        return succeeded_ ? EXIT_OK : EXIT_READ_FAILED;
    }

    const disc::MdDiscModel& model() const { return model_; }
    const MdStatus& status() const { return status_; }

private:
    int fail(unsigned messageId, int code) {
        err_ << env_.host.strings().text(messageId) << '\n';
        return code;
    }

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override {
        switch (msg) {
            case WM_MD_STATUS_A:
                if (wParam == 0) reader_.areaAStatus(status_);
                statusAnswered_ = true;
                statusResult_ = wParam;
                reader_.cycleTakesStatus(wParam);
                break;
            case WM_MD_STATUS_B: returned_ = true; break;
            default: reader_.handle(msg, wParam, lParam); break;
        }
        return 0;
    }

    // --- NameReadOwner: no poll here ---
    Handle window() const override { return window_; }
    void startPoll() override {}
    void stopPoll() override {}
    void endController() override {
        cardGone_ = true;
        ended_ = true;
    }
    std::uint8_t currentTrack() const override { return status_.currentTrack; }
    void cycleSucceeded(int) override { succeeded_ = true; }
    void cycleEnded(bool) override { ended_ = true; }

    // --- ProgressWindow: a line per change of the percentage ---
    void open(const std::string& title, const std::string&, std::function<void()> onCancel) override {
        title_ = title;
        onCancel_ = std::move(onCancel);
    }
    void setPosition(int) override {}
    void setText(const std::string& text) override {
        err_ << title_ << ": " << text << std::endl;
    }
    void pumpMessages() override {
        if (env_.interrupted() && onCancel_) onCancel_();
    }
    void close() override {}

    Environment& env_;
    std::ostream& err_;
    CMdCommWnd link_;
    MdStatus status_;
    disc::MdDiscModel model_;
    disc::ProgressDialog progress_;
    disc::DiscNameReader reader_;
    Handle window_ = kNoWindow;
    std::string title_;
    std::function<void()> onCancel_;
    bool statusAnswered_ = false;
    WParam statusResult_ = 0;
    bool ended_ = false;
    bool succeeded_ = false;
    bool cardGone_ = false;
    bool returned_ = false;
};

}  // namespace

int readDisc(Environment& env, std::ostream& err, DiscReading& reading) {
    CycleRunner cycle(env, err);
    if (int code = cycle.run()) return code;
    reading.model = cycle.model();
    reading.status = cycle.status();
    return EXIT_OK;
}

int names(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const std::string usage = "names [--json]";
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json") json = true;
        else return usageError(err, "unexpected '" + a + "'", usage);
    }
    DiscReading reading;
    if (int code = readDisc(env, err, reading)) return code;

    const disc::MdDiscModel& m = reading.model;
    const CodePage& codePage = env.host.codePage();
    const std::size_t count = m.trackCount > 0 ? static_cast<std::size_t>(m.trackCount) : 0;
    if (json) {
        Json tracks = Json::array();
        for (std::size_t i = 1; i <= count; ++i)
            tracks.push_back(codePage.toUtf8(m.trackName(static_cast<int>(i))));
        out << oneLineJson({{"disc", codePage.toUtf8(m.discName)}, {"tracks", std::move(tracks)}}) << '\n';
    } else {
        // The disc name, then one line per track: its number, a tab, its name.
        out << codePage.toUtf8(m.discName) << '\n';
        for (std::size_t i = 1; i <= count; ++i)
            out << i << '\t' << codePage.toUtf8(m.trackName(static_cast<int>(i))) << '\n';
    }
    return EXIT_OK;
}

int label(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const std::string usage = "label [FILE]   (default: EditingLabel.slv here)";
    if (args.size() > 1) return usageError(err, "one file at most", usage);
    if (!args.empty() && args[0].empty()) return usageError(err, "empty file name", usage);
    const std::string file =
        args.empty() ? env.host.strings().text(disc::IDS_LABEL_FILE_NAME) : args[0];

    DiscReading reading;
    if (int code = readDisc(env, err, reading)) return code;
    std::string why;
    if (!disc::writeLabelFile(reading.model, file, &why)) {
        err << "mdctl: cannot write " << file << ": " << why << '\n';
        return EXIT_FILE_FAILED;
    }
    const int count = std::max(reading.model.trackCount, 0);
    out << file << ": disc name and " << count << (count == 1 ? " track name\n" : " track names\n");
    return EXIT_OK;
}

}  // namespace tovik::mdctl
