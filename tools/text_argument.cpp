// SPDX-License-Identifier: MIT
#include "text_argument.h"

#include "entry/position_text.h"
#include "library_state.h"
#include "services/host_path.h"

namespace {

constexpr int kEnglish = 1;

}  // namespace

std::optional<TextArgument> ReadTextArgument(std::string_view text, std::string& refusal) {
    TextArgument argument;
    PositionText read;
    {
        // A grid position is checked against its band on WGS 84, as the form
        // does, whatever utm-set chose.
        const LibraryState::ScopedWgs84Utm wgs84;
        read = ReadPositionText(HostBytesToWide(text), argument.fields);
    }
    switch (read.kind) {
        case PositionText::Kind::NotAPosition:
            refusal = "TEXT holds no position";
            return std::nullopt;
        case PositionText::Kind::Refused:
            refusal = TextRefusalMessage(read.refusal, kEnglish);
            return std::nullopt;
        case PositionText::Kind::Position:
            break;
    }
    argument.format = read.format;
    if (read.squareSide > 0) {
        char note[120];
        std::snprintf(note, sizeof note, SquareCentreMessages[kEnglish], read.squareSide);
        argument.note = note;
    }
    return argument;
}
