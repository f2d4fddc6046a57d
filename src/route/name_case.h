// SPDX-License-Identifier: MIT
// The name normalisation of the entry form: when the name field is left, its
// letters become upper case, so route points read alike on the device
// whichever way they were typed.
#pragma once

#include "services/c_string.h"

// Upper-cases, in place, every letter that has an upper-case partner in the
// device's code page, Windows-1252: a to z, the accented Latin letters
// (ä -> Ä, ÿ -> Ÿ) and š, ž, œ. Letters without one (ß) and everything the
// code page lacks stay as they are, whatever the process locale says.
void NormaliseName(CString& name);
