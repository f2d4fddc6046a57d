// SPDX-License-Identifier: MIT
#include "services/host_path.h"

std::filesystem::path HostPathFromWide(std::wstring_view name) {
    return std::filesystem::path(std::wstring(name));
}

std::wstring WideFromHostPath(const std::filesystem::path& name) {
    return name.native();
}
