#include "addins/PanelAddins.h"

#include "addins/AddinFramework.h"

namespace talvex {

void PanelAddin::entry(int code) {
    if (code == addin_code::kActivate) framework_.buildPanel(slot_, menu_);
}

}  // namespace talvex
