#pragma once
// The system's fonts for the format bar, from Qt's font database: every family once per
// writing system that has a character set here, and the locale's collation for sorting them.

#include "labeleditor/ui/face_list.h"
#include "platform/strings.h"

namespace tovik::label {

class QtFontEnumerator : public FontEnumerator {
public:
    // Script names are given in the language of the program's texts.
    explicit QtFontEnumerator(Language language) : language_(language) {}

    std::vector<ReportedFont> allFaces() const override;
    std::optional<FaceSizes> sizesOf(const std::string& face) const override;

private:
    Language language_;
};

// The collation of the locale (case-sensitive): Japanese on a Japanese system, else the
// system's own.
Collation localeCollation(Language language);

}  // namespace tovik::label
