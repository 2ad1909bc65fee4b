#pragma once
// The recent-file list: the last documents opened or saved, newest first, kept in the profile
// section "Recent File List" as "File1", "File2", ... No menu shows it; it is kept for the
// system's sake, as document programs keep it.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace tovik::label {

class RecentFileList {
public:
    RecentFileList(Profile& profile, std::size_t size) : profile_(profile), size_(size) {}

    void load();
    // Writes the list when it changed since it was loaded.
    void save();
    // Moves the path to the front (adding it when new) and drops what falls off the end.
    void add(const std::string& path);
    const std::vector<std::string>& entries() const { return entries_; }

private:
    Profile& profile_;
    std::size_t size_;
    std::vector<std::string> entries_;
    bool changed_ = false;
};

}  // namespace tovik::label
