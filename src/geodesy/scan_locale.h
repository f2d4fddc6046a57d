// The tables' texts have decimal points whatever locale the process runs in,
// so the loaders scan them in the "C" locale. The geodetic library stands on
// nothing else of the program, so it keeps this one piece of locale plumbing
// for its two loaders.
#pragma once

#include <locale.h>

// The calling thread scans in the "C" locale while the object lives.
class ScanInCLocale {
public:
    ScanInCLocale();
    ~ScanInCLocale();
    ScanInCLocale(const ScanInCLocale&) = delete;
    ScanInCLocale& operator=(const ScanInCLocale&) = delete;

private:
    locale_t m_c;
    locale_t m_previous;
};
