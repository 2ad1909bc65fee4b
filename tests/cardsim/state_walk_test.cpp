// Every state the virtual unit can reach through the panel leaves a way back to stopped using
// only the controls its state-table row enables (and the passing of time). The unit's status is
// read through the link's own decoder and state table, so a status byte that lands on the wrong
// row shows up here.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "cardsim/virtual_unit.h"
#include "controller/link/md_status.h"
#include "controller/link/state_table.h"

namespace tovik::card {
namespace {

using link::Column;

// What a person can do from a row: a control (or popup command) and the command it sends, or
// just wait.
struct Action {
    Column column;
    std::uint8_t command;
    const char* what;
};
constexpr Action kActions[] = {
    {Column::POWER, CMD_POWER, "POWER"},
    {Column::ACCESS, CMD_ACCESS, "ACCESS"},
    {Column::MDPLAY, CMD_PLAY_PAUSE, "MDPLAY"},
    {Column::MDSTOP, CMD_STOP, "MDSTOP"},
    {Column::FF, CMD_FF, "FF latched"},
    {Column::REV, CMD_REW, "REV latched"},
    {Column::FF, CMD_SEARCH_END, "FF/REV unlatched"},
    {Column::UP, CMD_NEXT, "UP"},
    {Column::DOWN, CMD_PREVIOUS, "DOWN"},
    {Column::TIME, CMD_TIME, "TIME"},
    {Column::REC, CMD_REC, "REC"},
    {Column::SYNC_REC, CMD_SYNC_REC, "SYNC_REC"},
    {Column::AUTOMARK, CMD_AUTO_MARK, "AUTOMARK"},
    {Column::RECMODE, CMD_REC_MODE, "RECMODE"},
    {Column::Erase, CMD_ERASE, "ERASE"},
    {Column::AllErase, CMD_ERASE_ALL, "ALL ERASE"},
    {Column::Move, CMD_MOVE, "MOVE"},
    {Column::Divide, CMD_DIVIDE, "DIVIDE"},
    {Column::Combine, CMD_COMBINE, "COMBINE"},
};
constexpr std::uint64_t kWaits[] = {2'000, 4'000};

const link::StateRow& rowOf(const VirtualUnit& unit, link::MdStatus& st) {
    const StatusBytes raw = unit.status(false);
    link::decodeStatus(raw.data(), link::StatusArea::A, st);
    auto cls = link::classifyStatus(st);
    EXPECT_TRUE(cls) << "the unit never reports mode 6";
    return link::selectRow(cls.value_or(0xFFFFFFFF));
}

// The states are told apart by what the panel and the deck care about, not by times and counts.
using Key = std::tuple<int, Phase, Search, bool, bool, bool, bool, bool, std::uint8_t, bool, bool>;
Key keyOf(const VirtualUnit& u) {
    link::MdStatus st;
    const int row = rowOf(u, st).number;
    return {row, u.phase(), u.search(), u.powered(), u.pcAccess(), u.loading(), u.disc().has_value(),
            u.disc() && !u.disc()->tracks.empty(), u.timeDisplay(), u.autoMark(), u.mono()};
}

bool isHome(const VirtualUnit& u) {
    link::MdStatus st;
    rowOf(u, st);
    return st.unitReady() && (st.mode == 2 || (st.noDisc() && u.phase() == Phase::NoDisc));
}

std::vector<VirtualUnit> successors(const VirtualUnit& u) {
    std::vector<VirtualUnit> next;
    link::MdStatus st;
    const link::StateRow& row = rowOf(u, st);
    for (const Action& a : kActions) {
        if (!row.allows(a.column)) continue;
        if (a.command == CMD_SEARCH_END && !row.allows(Column::REV)) continue;
        VirtualUnit v = u;
        v.command(a.command, a.command == CMD_MOVE ? 1 : st.currentTrack, a.command == CMD_MOVE ? 2 : 0);
        next.push_back(std::move(v));
    }
    for (std::uint64_t ms : kWaits) {
        VirtualUnit v = u;
        v.advanceTo(v.now() + ms);
        next.push_back(std::move(v));
    }
    return next;
}

bool findsWayHome(const VirtualUnit& start) {
    std::deque<VirtualUnit> queue{start};
    std::map<Key, bool> seen{{keyOf(start), true}};
    while (!queue.empty()) {
        VirtualUnit u = std::move(queue.front());
        queue.pop_front();
        if (isHome(u)) return true;
        for (VirtualUnit& v : successors(u))
            if (seen.emplace(keyOf(v), true).second) queue.push_back(std::move(v));
    }
    return false;
}

std::string describe(const VirtualUnit& u) {
    link::MdStatus st;
    const int row = rowOf(u, st).number;
    return std::string(phaseName(u.phase())) + " (row " + std::to_string(row) + ", unit state " +
           std::to_string(st.unitState) + ")";
}

std::optional<Disc> image(const char* name) {
    std::ifstream f(std::string(TOVIK_DISC_DIR) + "/" + name + ".json");
    std::ostringstream s;
    s << f.rdbuf();
    return parseDiscImage(s.str()).disc;
}

TEST(StateWalkTest, EveryReachableStateHasAWayBackToStopped) {
    std::vector<VirtualUnit> starts;
    for (const char* name : {"english-album", "prerecorded", "blank-74"}) {
        VirtualUnit u;
        auto disc = image(name);
        ASSERT_TRUE(disc) << name;
        u.loadDisc(*disc);
        starts.push_back(u);
    }
    starts.emplace_back();  // no disc

    std::deque<VirtualUnit> queue(starts.begin(), starts.end());
    std::map<Key, VirtualUnit> reached;
    std::map<int, int> rows;
    for (const auto& s : starts) reached.emplace(keyOf(s), s);
    while (!queue.empty()) {
        VirtualUnit u = std::move(queue.front());
        queue.pop_front();
        for (VirtualUnit& v : successors(u)) {
            if (reached.count(keyOf(v))) continue;
            reached.emplace(keyOf(v), v);
            queue.push_back(std::move(v));
        }
    }
    for (const auto& [key, unit] : reached) {
        ++rows[std::get<0>(key)];
        EXPECT_TRUE(findsWayHome(unit)) << "stuck in " << describe(unit);
    }
    // The walk reaches the rows the panel is built around. Row 1 is not among them: a status
    // always carries a disc bit, so "not accessible" (0x1 plus that bit) falls to row 16.
    for (int row : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})
        EXPECT_GT(rows[row], 0) << "row " << row << " never reached";
}

}  // namespace
}  // namespace tovik::card
