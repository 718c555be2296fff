#include "QtModule.h"

#include <dlfcn.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <system_error>

namespace talvex {

namespace {

constexpr const char* kModuleName = "talvex-tape-qt.so";

struct LoadedModule {
    void* handle = nullptr;
    ToolDevices devices;
};

LoadedModule& loaded() {
    static LoadedModule module;
    return module;
}

// A module that is there but cannot be loaded is a broken installation: the command cannot
// do what it was asked, so the tool says why and stops rather than print nothing.
const ToolDevices& load(const std::filesystem::path& path) {
    LoadedModule& module = loaded();
    if (module.handle) return module.devices;
    module.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Fill = void (*)(ToolDevices*);
    auto fill = module.handle ? reinterpret_cast<Fill>(dlsym(module.handle, "talvexToolQtDevices"))
                              : nullptr;
    if (!fill) {
        const char* reason = dlerror();
        std::cerr << "talvex-tape: cannot load " << path.string() << ": "
                  << (reason ? reason : "no Qt devices in it") << "\n";
        std::exit(1);
    }
    fill(&module.devices);
    return module.devices;
}

}  // namespace

// Found from where the program is, so an installed tree can move: beside it in a build, in
// lib/talvex beside its bin when installed.
std::filesystem::path findQtModule() {
    std::error_code error;
    const std::filesystem::path bin =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (bin.empty()) return {};
    for (const std::filesystem::path& dir : {bin, bin / ".." / "lib" / "talvex"}) {
        const std::filesystem::path candidate = (dir / kModuleName).lexically_normal();
        if (std::filesystem::exists(candidate, error)) return candidate;
    }
    return {};
}

ToolDevices lazyQtDevices(const std::filesystem::path& path) {
    ToolDevices devices;
    if (path.empty()) return devices;
    devices.pdf = [path](const PrinterTarget& target, PaperInches paper) {
        return load(path).pdf(target, paper);
    };
#if TALVEX_HAS_SERIAL
    devices.serial = [path]() -> std::unique_ptr<SerialLink> {
        const ToolDevices& qt = load(path);
        return qt.serial ? qt.serial() : nullptr;
    };
    devices.modem = [path]() -> std::unique_ptr<ModemLine> {
        const ToolDevices& qt = load(path);
        return qt.modem ? qt.modem() : nullptr;
    };
#endif
    return devices;
}

void finishQtModule() {
    LoadedModule& module = loaded();
    if (!module.handle) return;
    using Finish = void (*)();
    if (auto finish = reinterpret_cast<Finish>(dlsym(module.handle, "talvexToolQtFinish")))
        finish();
}

}  // namespace talvex
