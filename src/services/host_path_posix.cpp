// SPDX-License-Identifier: MIT
#include "services/host_path.h"

std::filesystem::path HostPathFromWide(std::wstring_view name) {
    return WideToHostBytes(name);
}

std::wstring WideFromHostPath(const std::filesystem::path& name) {
    return HostBytesToWide(name.native());
}
