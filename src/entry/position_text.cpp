// SPDX-License-Identifier: MIT
#include "entry/position_text.h"

#include <algorithm>

#include "entry/position_text_links.h"
#include "entry/position_text_parts.h"
#include "entry/position_text_plain.h"
#include "entry/position_text_tokens.h"

using namespace PositionTextParts;

namespace {

bool HasDigit(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), IsDigit);
}

std::wstring_view Trimmed(std::wstring_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? text.substr(first - text.begin(), last - first) : std::wstring_view();
}

}  // namespace

PositionText ReadPositionText(std::wstring_view text, EntryFields& fields) {
    text = Trimmed(text);
    // "(53.5501, 9.9937)", as some programs copy a pair.
    if (text.size() >= 2 && ((text.front() == L'(' && text.back() == L')') ||
                             (text.front() == L'[' && text.back() == L']'))) {
        text = Trimmed(text.substr(1, text.size() - 2));
    }
    Reading reading;
    if (IsThreeWordAddress(text)) {
        reading = Refuse(TextRefusal::NeedsOnlineService);
    } else if (auto link = ReadLink(text)) {
        reading = *link;
    } else if (HasDigit(text)) {
        reading = ReadPlain(text);
    }
    if (reading.result.kind == PositionText::Kind::Position) {
        const EntryFields& read = reading.fields;
        if (reading.result.format == UTM) {
            fields.zone = read.zone;
            fields.sign[kLatitude] = read.sign[kLatitude];
            fields.utm = read.utm;
        } else {
            fields.sign = read.sign;
            fields.degrees = read.degrees;
            if (reading.result.format != Deg) {
                fields.minutes = read.minutes;
            }
            if (reading.result.format == DegMinSec) {
                fields.seconds = read.seconds;
            }
        }
    }
    return reading.result;
}

namespace {

const char* const kRefusalMessages[kTextRefusalCount][2] = {
    {"Der Text sieht wie eine Position aus, aber es ist nicht eindeutig, welche Zahl was ist.",
     "The text looks like a position, but which number is what cannot be told for sure."},
    {"Minuten und Sekunden m\xFCssen unter 60 liegen.", "Minutes and seconds must be below 60."},
    {"Minuszeichen und Halbkugel-Buchstabe zugleich: Es ist nicht klar, welche Halbkugel gemeint "
     "ist.",
     "A minus sign and a hemisphere letter together: which hemisphere is meant cannot be told."},
    {"Der Text nennt zwei Breiten.", "The text gives two latitudes."},
    {"Der Text nennt zwei L\xE4ngen.", "The text gives two longitudes."},
    {"Der erste Wert liegt \xFC"
     "ber 90, der zweite nicht: Das sieht nach L\xE4nge, Breite aus. Bitte die Breite zuerst "
     "angeben oder N/S und O/W dazuschreiben.",
     "The first value is above 90 and the second is not: this looks like longitude, latitude. "
     "Please give the latitude first, or add N/S and E/W."},
    {"Eine Breite darf nicht \xFC"
     "ber 90 Grad liegen.",
     "A latitude must not be above 90 degrees."},
    {"Eine L\xE4nge darf nicht \xFC"
     "ber 180 Grad liegen.",
     "A longitude must not be above 180 degrees."},
    {"Der Text nennt nur eine Koordinate; eine Position braucht Breite und L\xE4nge.",
     "The text gives only one coordinate; a position needs a latitude and a longitude."},
    {"Der Text enth\xE4lt mehr als eine Position.", "The text holds more than one position."},
    {"Zahlen mit Exponent werden nicht genommen.", "Numbers with an exponent are not taken."},
    {"S nach der UTM-Zone kann das Breitenband S (Nordhalbkugel) oder die S\xFC"
     "dhalbkugel sein. Bitte das Band oder \"Nord\"/\"S\xFC"
     "d\" angeben.",
     "S after a UTM zone can be the latitude band S (northern hemisphere) or the southern "
     "hemisphere. Please give the band, or \"north\" or \"south\"."},
    {"Die UTM-Position liegt nicht in ihrem Breitenband.",
     "The UTM position does not lie in its latitude band."},
    {"Die Gitterposition kann nicht umgerechnet werden: Der Ostwert muss zwischen 100000 und "
     "900000 liegen, der Nordwert zwischen 0 und 10000000.",
     "The grid position cannot be converted: the easting must lie between 100000 and 900000, "
     "the northing between 0 and 10000000."},
    {"Nur MGRS-Angaben im UTM-Gebiet (80 Grad S\xFC"
     "d bis 84 Grad Nord) werden genommen.",
     "Only grid references inside the UTM area (80 degrees south to 84 degrees north) are "
     "taken."},
    {"Ein Kurzlink, ein Ortsname oder eine Drei-Wort-Adresse enth\xE4lt keine Position; dazu "
     "br\xE4uchte es einen Online-Dienst. Bitte die Koordinaten kopieren.",
     "A short link, a place name or a three-word address holds no position; it needs an online "
     "service. Please copy the coordinates instead."},
    {"Der Link enth\xE4lt keine Position.", "The link holds no position."},
};

}  // namespace

const char* TextRefusalMessage(TextRefusal refusal, int language) {
    return kRefusalMessages[static_cast<int>(refusal)][language == 0 ? 0 : 1];
}

const char* const SquareCentreMessages[2] = {
    "Die MGRS-Angabe nennt ein Quadrat von %d m Seitenl\xE4nge; genommen ist seine Mitte.",
    "The MGRS reference names a square of %d m a side; its centre is taken.",
};
