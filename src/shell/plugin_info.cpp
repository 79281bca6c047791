#include "shell/plugin_info.h"

#include "shell/text.h"

namespace p528 {

namespace {
// Constant-initialised: GetPluginInfo may be called before anything else of the module ran.
constexpr PluginInfo kPluginInfo = {
    sizeof(PluginInfo),
    u"plug528",
    (kVersionMajor << 24) | (kVersionMinor << 16),
    u"Расчет 528: Имитированная дистиляции нефти",
    u"plug528 developers",
    u"support@plug528.example.org",
    u"Copyright (C) 2024 plug528 developers. All rights reserved.",
    u"https://plug528.example.org",
    // F63A47F3-BC8E-4617-BC61-BC1EF69DA565
    {0xF6, 0x3A, 0x47, 0xF3, 0xBC, 0x8E, 0x46, 0x17, 0xBC, 0x61, 0xBC, 0x1E, 0xF6, 0x9D, 0xA5, 0x65},
};
}  // namespace

const PluginInfo& ModulePluginInfo() { return kPluginInfo; }

std::string VersionText() { return Format("%d.%d", kVersionMajor, kVersionMinor); }

}  // namespace p528
