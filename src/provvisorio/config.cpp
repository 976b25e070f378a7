// Temporary: link-only stand-ins until the configuration-file branch implements these.
#include "document/wMain.h"

bool vx::wMain::RegistraFile() {
    return false;
}
void vx::wMain::ApriFile() {}
