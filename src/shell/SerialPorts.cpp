// Serial ports by their Windows names: the label printer and the modem name COM1 to COM4.
#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {
constexpr int kComPorts = 4;
}

std::string ConfigStore::serialPortPath(std::string_view port) const {
    if (!port.empty() && port.front() == '/') return std::string(port);
    for (int n = 1; n <= kComPorts; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (!equalIgnoringCase(port, name)) continue;
        const std::string path =
            getSetting(config_section::kPorts, name, "/dev/ttyS" + std::to_string(n - 1));
        return path.empty() || path.front() == '/' ? path : "/dev/" + path;
    }
    return "/dev/" + std::string(port);
}

}  // namespace talvex
