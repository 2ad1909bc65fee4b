#pragma once
// What the last applied state row left in force: the panel's control enabling, the editing
// permissions, the poll value N, and the two image rules (MD logo, ACCESS). The panel and mdctl
// both feed every successful status through apply().

#include <cstdint>
#include <optional>

#include "controller/link/md_status.h"
#include "controller/link/state_table.h"

namespace tovik::link {

// The six commands of the editing popup, in table column order.
enum class PopupCommand : std::uint8_t { EditTrack, AllErase, Erase, Move, Divide, Combine };

class ButtonState {
public:
    // Classifies the status and applies its row. A status in mode 6 changes only the MD logo
    // rule and leaves the row in force; then the result is empty, else it is the row applied.
    std::optional<int> apply(const MdStatus& status);

    // The row in force, null before the first classified status.
    const StateRow* row() const { return row_; }

    // Control columns (POWER .. TOCEDIT); all disabled until a row is in force.
    bool enabled(Column column) const;
    bool mdLogoEnabled() const { return mdLogo_; }
    bool accessAltImage() const { return accessAlt_; }
    unsigned pollN() const { return row_ ? row_->pollN() : 0; }

    // The popup rule, when the menu opens: the row's column, except that ERASE, MOVE, DIVIDE
    // and COMBINE are locked while the sub-state is 6, and COMBINE needs a track before the
    // current one. Sub-state and track are the status as it is now (a mode-6 status among
    // them), the same status the question and the command are then made from.
    bool popupEnabled(PopupCommand command, const MdStatus& now) const;
    bool trackNameEditable() const { return row_ && row_->allows(Column::TrackName); }
    bool discNameEditable() const { return row_ && row_->allows(Column::DiscName); }

private:
    const StateRow* row_ = nullptr;
    bool mdLogo_ = false;
    bool accessAlt_ = false;
};

}  // namespace tovik::link
