// SPDX-License-Identifier: MIT
#include "language/interface_texts.h"

#include "services/code_page.h"

namespace {

constexpr const char* kLabelBytes[16] = {
    "Name", "Name", "Breite", "Lat",  "L\xE4nge", "Long",   "Nord",  "North",
    "Ost",  "East", "Zone",   "Zone", "Format",   "Format", "Hinzu", "Add",
};

constexpr const char* kFormatBytes[8] = {
    "Grad", "Degree", "Grad Min", "Deg Min", "Grad Min Sek", "Deg Min Sec", "UTM", "UTM",
};

constexpr const char* kHemisphereBytes = "NSOWNSEW";

constexpr const char* kRouteFileFailedBytes[2] = {
    "Die Routendatei %s kann nicht geschrieben werden: %s. Der Punkt wurde nicht hinzugef\xFC"
    "gt.",
    "The route file %s cannot be written: %s. The point was not added.",
};

constexpr const char* kNoRouteFileBytes[2] = {
    "Keine Routendatei (*.rte) in %s",
    "No route file (*.rte) in %s",
};

constexpr const char* kChooseRouteFileBytes[2] = {
    "Bitte w\xE4hlen Sie eine Routendatei aus der Liste.",
    "Please choose a route file from the list.",
};

template <size_t N>
std::array<CString, N> Widened(const char* const (&bytes)[N]) {
    std::array<CString, N> texts;
    for (size_t i = 0; i < N; ++i) {
        texts[i] = FromAnsiCodePage(bytes[i]);
    }
    return texts;
}

}  // namespace

const std::array<CString, 16>& LabelTexts() {
    static const auto texts = Widened(kLabelBytes);
    return texts;
}

const std::array<CString, 8>& FormatTexts() {
    static const auto texts = Widened(kFormatBytes);
    return texts;
}

const CString& HemisphereLetters() {
    static const CString letters = FromAnsiCodePage(kHemisphereBytes);
    return letters;
}

const std::array<CString, 2>& RouteFileFailedMessages() {
    static const auto texts = Widened(kRouteFileFailedBytes);
    return texts;
}

const std::array<CString, 2>& NoRouteFileTexts() {
    static const auto texts = Widened(kNoRouteFileBytes);
    return texts;
}

const std::array<CString, 2>& ChooseRouteFileMessages() {
    static const auto texts = Widened(kChooseRouteFileBytes);
    return texts;
}
