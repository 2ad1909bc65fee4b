#include "resources/strings.h"

namespace tovik::resources {

namespace {
const StringEntry kEnglish[] = {
#include "resources/rotela/strings.en.inc"
    {0, ""},  // keeps the table non-empty; id 0 is never looked up
};
const StringEntry kJapanese[] = {
#include "resources/rotela/strings.ja.inc"
    {0, ""},  // keeps the table non-empty; id 0 is never looked up
};
}  // namespace

const StringResource& rotelaStrings() {
    static const StringResource resource{kEnglish, kJapanese};
    return resource;
}

}  // namespace tovik::resources
