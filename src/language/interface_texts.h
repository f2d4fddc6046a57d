// The interface languages and the texts of the entry form in both of them:
// its labels, its format list and its hemisphere letters. Each table holds
// the German and the English text side by side, element 2 * i + language.
#pragma once

#include <array>
#include <cstdint>

#include "services/c_string.h"

enum UiLanguage : std::int32_t { German = 0, English = 1 };

// The entry form's controls that LabelTexts labels, in table order.
constexpr std::array<int, 8> kLabelControls = {1001, 1011, 1019, 1027, 1029, 1031, 1033, 1042};

// The texts are kept as Windows-1252 bytes and widened on first use.
const std::array<CString, 16>& LabelTexts();
// The items of the format list, in the order of the display formats.
const std::array<CString, 8>& FormatTexts();
// "NSOWNSEW": the letter at 4 * language + 2 * axis + flag, where axis 0 is
// the latitude and 1 the longitude, and flag 1 means south or west.
const CString& HemisphereLetters();

// The messages of Add, German and English (element language). The engine
// cannot convert the grid position of the UTM fields:
const std::array<CString, 2>& GridRefusedMessages();
// The route file cannot be written: a format taking the file's device path
// and the reason, in this order, each as %s.
const std::array<CString, 2>& RouteFileFailedMessages();
