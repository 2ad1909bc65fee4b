#include "controller/disc/name_dialog.h"

#include "controller/disc/editing_texts.h"
#include "controller/disc/md_text.h"

namespace tovik::disc {

namespace {

// The first `chars` characters of a UTF-8 text.
std::string utf8Prefix(const std::string& utf8, std::size_t chars) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < utf8.size() && n < chars; ++n) {
        ++i;
        while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    }
    return utf8.substr(0, i);
}

}  // namespace

NameDialog::NameDialog(Host& host, NameDialogView& view)
    : host_(host), view_(view), window_(host.createWindow(*this)) {}

NameDialog::~NameDialog() { host_.destroyWindow(window_); }

std::optional<NameEntry> NameDialog::run(unsigned captionId, const std::string& name) {
    if (open_) return std::nullopt;
    open_ = true;
    ending_ = false;
    entry_.reset();
    view_.show(host_.strings().text(captionId), host_.codePage().toUtf8(name));
    const int code = host_.runModal(window_);
    view_.hide();
    open_ = false;
    if (code != IDOK) return std::nullopt;
    return entry_;
}

void NameDialog::ok() {
    if (!open_ || ending_) return;
    const CodePage& page = host_.codePage();
    const Language language = host_.strings().language();
    const std::string utf8 = view_.text();

    // A character the system's code page has no form for cannot reach a disc either: it fails
    // like a character the disc's tables do not hold.
    std::size_t badChar = 0;
    std::optional<std::string> display = page.fromUtf8(utf8, &badChar);
    const bool pageFailed = !display;
    if (pageFailed) display = page.fromUtf8(utf8Prefix(utf8, badChar)).value_or("");

    MdTextResult encoded = EncodeMdText(*display, language);
    if (encoded.ok && pageFailed) {
        encoded.ok = false;
        encoded.error = MdTextError::Mismatch;
    }
    if (!encoded.ok) {
        const unsigned message =
            encoded.error == MdTextError::TooLong ? IDS_NAME_TOO_LONG : IDS_CHAR_MISMATCH;
        host_.messageBoxId(message, Buttons::Ok, Icon::Stop);
        if (open_ && !ending_)
            view_.setText(page.toUtf8(DecodeMdText(encoded.text, language).text));
        return;
    }
    entry_ = NameEntry{*display, encoded.text};
    end(IDOK);
}

void NameDialog::cancel() { end(IDCANCEL); }

void NameDialog::end(int code) {
    if (!open_ || ending_) return;
    ending_ = true;
    view_.hide();  // at once: a message box may follow before the loop unwinds
    host_.endModal(window_, code);
}

}  // namespace tovik::disc
