// File names between the program's wide strings and the bytes of the host's
// file system. Names are read as UTF-8; a byte that is not part of valid
// UTF-8 (a name written in another encoding) becomes U+DC80..U+DCFF and turns
// back into the same byte, so every name found can be opened again.
#pragma once

#include <string>
#include <string_view>

std::wstring HostBytesToWide(std::string_view bytes);
std::string WideToHostBytes(std::wstring_view text);
