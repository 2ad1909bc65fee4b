#pragma once
// The profile in QSettings: organization "Tovik", application the program's name; a value lives
// at "section/key".

#include <string>

#include "platform/profile.h"

namespace tovik::qt {

class QtProfile : public Profile {
public:
    explicit QtProfile(std::string programName) : programName_(std::move(programName)) {}
    int getInt(const std::string& section, const std::string& key, int fallback) const override;
    bool setInt(const std::string& section, const std::string& key, int value) override;
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override;
    bool setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    std::optional<std::vector<std::uint8_t>> getBinary(const std::string& section,
                                                        const std::string& key) const override;
    bool setBinary(const std::string& section, const std::string& key,
                   const std::vector<std::uint8_t>& value) override;

private:
    std::string programName_;
};

}  // namespace tovik::qt
