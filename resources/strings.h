#pragma once
// The programs' string tables. Each table lives in resources/<program>/strings.<lang>.inc as
// lines of {id, "UTF-8 text"}; the Japanese table has the same ids as the English one.

#include "platform/strings.h"

namespace tovik::resources {

const StringResource& rotelaStrings();
const StringResource& sleevonStrings();
const StringResource& traymoteStrings();

}  // namespace tovik::resources
