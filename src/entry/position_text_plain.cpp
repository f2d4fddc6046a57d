// SPDX-License-Identifier: MIT
#include "entry/position_text_plain.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "entry/position_text_degrees.h"
#include "entry/position_text_grid.h"
#include "entry/position_text_tokens.h"

namespace PositionTextParts {

namespace {

Reading NotAPosition() {
    return {};
}

// "Koordinaten: N 53° 33.006 E 009° 59.622": a caption of words we do not
// know before a colon is dropped.
std::wstring_view WithoutCaption(std::wstring_view text) {
    const std::size_t digit = std::find_if(text.begin(), text.end(), IsDigit) - text.begin();
    const std::size_t colon = text.substr(0, digit).rfind(L':');
    if (colon == std::wstring_view::npos) {
        return text;
    }
    const Tokens caption = Tokenize(text.substr(0, colon));
    for (const Token& token : caption.list) {
        if (token.kind != Token::Kind::Word || RoleOf(token.text)) {
            return text;
        }
    }
    return text.substr(colon + 1);
}

Reading ReadOneForm(std::wstring_view text) {
    const Tokens tokens = Tokenize(WithoutCaption(text));
    const auto& list = tokens.list;
    const auto numbers = std::count_if(list.begin(), list.end(), [](const Token& token) {
        return token.kind == Token::Kind::Number;
    });
    if (numbers == 0 || std::any_of(list.begin(), list.end(), [](const Token& token) {
            return token.kind == Token::Kind::Other ||
                   (token.kind == Token::Kind::Word && !RoleOf(token.text) &&
                    !(token.text.size() <= 3 && std::all_of(token.text.begin(), token.text.end(),
                                                            [](wchar_t c) { return c < 0x80; })));
        })) {
        return NotAPosition();
    }
    if (tokens.exponent) {
        return Refuse(TextRefusal::Exponent);
    }
    if (tokens.twoDecimalSeparators) {
        return Refuse(TextRefusal::Unreadable);
    }
    if (auto grid = ReadGrid(list)) {
        return *grid;
    }
    const bool bare = std::all_of(list.begin(), list.end(), [](const Token& token) {
        return token.kind == Token::Kind::Number || token.kind == Token::Kind::Sign;
    });
    if (bare && numbers == 1) {
        return NotAPosition();  // a number pasted into a field is just that
    }
    if (std::any_of(list.begin(), list.end(), [](const Token& token) {
            return token.kind == Token::Kind::Word && !RoleOf(token.text);
        })) {
        return Refuse(TextRefusal::Unreadable);
    }
    std::optional<std::vector<Coordinate>> coordinates;
    if (bare && numbers % 2 == 0 && numbers <= 6) {
        coordinates = SplitBareNumbers(list, static_cast<std::size_t>(numbers));
    } else if (!bare) {
        coordinates = SplitCoordinates(list);
    }
    if (!coordinates) {
        return Refuse(TextRefusal::Unreadable);
    }
    return ReadDegrees(*coordinates);
}

// An encyclopaedia gives one place in several forms, "53°33′N 10°00′E /
// 53.550°N 10.000°E / 53.550; 10.000": taken, in its first form, when the
// forms agree to the precision they are written in.
std::optional<Reading> ReadForms(std::wstring_view text) {
    std::vector<Reading> forms;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = std::min(text.find(L'/', start), text.size());
        forms.push_back(ReadOneForm(text.substr(start, slash - start)));
        if (forms.back().result.kind != PositionText::Kind::Position ||
            forms.back().result.format == UTM) {
            return std::nullopt;
        }
        start = slash + 1;
    }
    if (forms.size() < 2) {
        return std::nullopt;
    }
    for (const Reading& form : forms) {
        const double tolerance = (form.resolution + forms[0].resolution) / 2.0 + 1e-9;
        if (std::fabs(form.latitude - forms[0].latitude) > tolerance ||
            std::fabs(form.longitude - forms[0].longitude) > tolerance) {
            return Refuse(TextRefusal::MoreThanOnePosition);
        }
    }
    return forms[0];
}

}  // namespace

Reading ReadPlain(std::wstring_view text) {
    if (auto forms = ReadForms(text)) {
        return *forms;
    }
    return ReadOneForm(text);
}

}  // namespace PositionTextParts
