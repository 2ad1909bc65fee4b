#include "controller/ui/rotela_skin.h"

#include "resources/skin/skin_resources.h"

namespace tovik::ui {

const qt::SkinImages& rotelaSkin() {
    skin::rotela::registerSkin();
    return qt::programSkin();
}

}  // namespace tovik::ui
