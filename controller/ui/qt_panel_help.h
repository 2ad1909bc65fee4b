#pragma once
// The panel's help page: an HTML page with a picture of the panel, shipped with the program
// (share/tovik/help/rotela/ beside the program's bin folder, as installed and as built) and
// opened in the desktop's web browser.

#include <QString>

#include "platform/host.h"

namespace tovik::ui {

// The page for the language, whether or not it exists: rotela.en.html or rotela.ja.html.
QString rotelaHelpPage(Language language);

// Opens the page in the browser; a page that is missing or a desktop that cannot open it is
// reported with the page's path.
void openRotelaHelp(Host& host);

}  // namespace tovik::ui
