#include "resources/strings.h"

namespace tovik::resources {

namespace {
const StringEntry kEnglish[] = {
#include "resources/traymote/strings.en.inc"
    {0, ""},  // keeps the table non-empty; id 0 is never looked up
};
const StringEntry kJapanese[] = {
#include "resources/traymote/strings.ja.inc"
    {0, ""},  // keeps the table non-empty; id 0 is never looked up
};
}  // namespace

const StringResource& traymoteStrings() {
    static const StringResource resource{kEnglish, kJapanese};
    return resource;
}

}  // namespace tovik::resources
