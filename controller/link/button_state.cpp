#include "controller/link/button_state.h"

namespace tovik::link {

std::optional<int> ButtonState::apply(const MdStatus& status) {
    mdLogo_ = status.discState != 0;  // applies in mode 6 too
    const std::optional<std::uint32_t> cls = classifyStatus(status);
    if (!cls) return std::nullopt;
    row_ = &selectRow(*cls);
    accessAlt_ = status.accessNibble() == 2;
    return row_->number;
}

bool ButtonState::enabled(Column column) const {
    return row_ && static_cast<std::size_t>(column) < kControlColumnCount && row_->allows(column);
}

bool ButtonState::popupEnabled(PopupCommand command, const MdStatus& now) const {
    if (!row_) return false;
    const auto column =
        static_cast<Column>(static_cast<std::size_t>(kFirstPopupColumn) + static_cast<int>(command));
    if (!row_->allows(column)) return false;
    switch (command) {
        case PopupCommand::Combine:
            if (now.currentTrack <= 1) return false;
            [[fallthrough]];
        case PopupCommand::Erase:
        case PopupCommand::Move:
        case PopupCommand::Divide:
            return now.subState != 6;
        case PopupCommand::EditTrack:
        case PopupCommand::AllErase:
            return true;
    }
    return false;
}

}  // namespace tovik::link
