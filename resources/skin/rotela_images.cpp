// Rotela's bitmaps and their sizes.
#include "resources/skin/skin_catalog.h"

namespace tovik::skin {

namespace {

// The skinned buttons: caption, states present, size.
constexpr ButtonImages kButtons[] = {
    {"ACCESS", "U D X RU RD", {61, 27}},
    {"AUTOMARK", "U D X", {45, 26}},
    {"AUTOMODE", "U D X", {45, 26}},  // drawn, though no control uses it
    {"CANCEL", "U D", {61, 27}},
    {"CLOSE", "U D X", {16, 14}},
    {"DEL", "U D X", {32, 29}},
    {"DOWN", "U D X", {33, 22}},
    {"ENTRY", "U D X", {61, 27}},     // drawn, though the ENTRY control is never shown
    {"FF", "U D X", {33, 22}},
    {"INIT", "U D X", {61, 27}},
    {"SLEEVON", "U D X", {108, 27}},
    {"MDLOGO", "U D X", {40, 39}},
    {"MDPLAY", "U D X", {45, 26}},
    {"MDSTOP", "U D X", {45, 26}},
    {"MIN", "U D", {16, 14}},
    {"MIXER", "U D X", {61, 27}},
    {"MOVEDOWN", "U D X", {32, 29}},
    {"MOVEUP", "U D X", {32, 29}},
    {"OK", "U D", {61, 27}},
    {"POWER", "U D X", {69, 27}},
    {"QUESTION", "U D", {16, 14}},
    {"REC", "U D X", {45, 26}},
    {"RECMODE", "U D X", {45, 26}},
    {"REV", "U D X", {33, 22}},
    {"SYNC_REC", "U D X", {45, 26}},
    {"TIME", "U D X", {45, 26}},
    {"TOCEDIT", "U D X", {108, 27}},
    {"UP", "U D X", {33, 22}},
    {"VDOWN", "U D X", {22, 14}},
    {"VUP", "U D X", {22, 14}},
};

// The display's lamps sit at fixed points of the display (play (12,13), pause (31,13), record
// (17,32), MONO LP (42,35), AUTO MARK (42,17), TOTAL (260,17), REMAIN (260,35)); their sizes keep
// them clear of each other and of the track number (x from 113) and time (x 166-240) fields.
const Image kOthers[] = {
    {"147", {591, 188}},  // panel background
    {"154", {244, 48}},   // name plate
    {"148", {317, 123}},  // display, lit, with the DISC NAME and TRACK NAME captions
    {"181", {317, 123}},  // display, dark
    {"174", {16, 14}},    // lamp: play
    {"175", {10, 14}},    // lamp: pause
    {"176", {14, 14}},    // lamp: record
    {"160", {60, 13}},    // lamp: MONO LP
    {"161", {60, 13}},    // lamp: AUTO MARK
    {"162", {44, 13}},    // lamp: TOTAL
    {"163", {44, 13}},    // lamp: REMAIN
    {"172", {11, 13}},    // track list mark: yellow arrow on green
    {"156", {42, 12}},    // caption VOLUME
    {"173", {48, 16}},    // caption L R LEVEL
    {"178", {9, 9}},      // small triangles, unused
    {"179", {9, 9}},
    {"180", {9, 9}},
    {"128", {32, 32}},    // program icon
    {"128-16", {16, 16}},
    {"128-48", {48, 48}},
    {"128-128", {128, 128}},
};

}  // namespace

std::span<const ButtonImages> rotelaButtons() { return kButtons; }

std::vector<std::string_view> statesOf(const ButtonImages& button) {
    std::vector<std::string_view> states;
    std::string_view rest = button.states;
    while (!rest.empty()) {
        auto space = rest.find(' ');
        if (space != 0) states.push_back(rest.substr(0, space));
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
    }
    return states;
}

const std::vector<Image>& rotelaImages() {
    static const std::vector<Image> images = [] {
        std::vector<Image> all;
        for (const auto& button : kButtons) {
            for (auto state : statesOf(button)) {
                all.push_back({std::string(button.caption) + std::string(state), button.size});
            }
        }
        all.insert(all.end(), std::begin(kOthers), std::end(kOthers));
        return all;
    }();
    return images;
}

}  // namespace tovik::skin
