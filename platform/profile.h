#pragma once
// The per-user profile of a program: sections of named integer, string and binary values, kept
// under the maker's key "Tovik" and the program's name.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovik {

class Profile {
public:
    virtual ~Profile() = default;
    virtual int getInt(const std::string& section, const std::string& key, int fallback) const = 0;
    virtual bool setInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string getString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const = 0;
    virtual bool setString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    virtual std::optional<std::vector<std::uint8_t>> getBinary(const std::string& section,
                                                                const std::string& key) const = 0;
    virtual bool setBinary(const std::string& section, const std::string& key,
                           const std::vector<std::uint8_t>& value) = 0;
};

}  // namespace tovik
