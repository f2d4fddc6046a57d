// SPDX-License-Identifier: MIT
// The interface languages and the texts of the entry form in both of them:
// its labels, its format list and its hemisphere letters. Each table holds
// the German and the English text side by side, element 2 * i + language.
#pragma once

#include <array>
#include <cstdint>

#include "res/resource_ids.h"
#include "services/c_string.h"

enum UiLanguage : std::int32_t { German = 0, English = 1 };

// The entry form's controls that LabelTexts labels, in table order.
constexpr std::array<int, 8> kLabelControls = {IDC_NAME_LABEL,   IDC_LAT_LABEL,  IDC_LONG_LABEL,
                                               IDC_NORTH_LABEL,  IDC_EAST_LABEL, IDC_ZONE_LABEL,
                                               IDC_FORMAT_LABEL, IDC_ADD};

// The texts are kept as Windows-1252 bytes and widened on first use.
const std::array<CString, 16>& LabelTexts();
// The items of the format list, in the order of the display formats.
const std::array<CString, 8>& FormatTexts();
// "NSOWNSEW": the letter at 4 * language + 2 * axis + flag, where axis 0 is
// the latitude and 1 the longitude, and flag 1 means south or west.
const CString& HemisphereLetters();

// The message of Add when the route file cannot be written, German and
// English (element language): a format taking the file's device path and the
// reason, in this order, each as %s.
const std::array<CString, 2>& RouteFileFailedMessages();

// The route file chooser's words, German and English (element language):
// where it looked when it found no route file, a format taking the route
// folder's host path as %s; and what OK asks for without a selection.
const std::array<CString, 2>& NoRouteFileTexts();
const std::array<CString, 2>& ChooseRouteFileMessages();
