#include "labeleditor/ui/recent_file_list.h"

#include <algorithm>

namespace tovik::label {

namespace {
constexpr const char* kSection = "Recent File List";
std::string entryName(std::size_t index) { return "File" + std::to_string(index + 1); }
}  // namespace

void RecentFileList::load() {
    entries_.clear();
    changed_ = false;
    for (std::size_t i = 0; i < size_; ++i) {
        std::string path = profile_.getString(kSection, entryName(i), "");
        if (!path.empty()) entries_.push_back(path);
    }
}

void RecentFileList::save() {
    if (!changed_) return;
    changed_ = false;
    for (std::size_t i = 0; i < size_; ++i)
        profile_.setString(kSection, entryName(i), i < entries_.size() ? entries_[i] : std::string());
}

void RecentFileList::add(const std::string& path) {
    if (path.empty() || (!entries_.empty() && entries_.front() == path)) return;
    changed_ = true;
    std::erase(entries_, path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > size_) entries_.resize(size_);
}

}  // namespace tovik::label
