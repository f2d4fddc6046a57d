#include "geodesy/scan_locale.h"

// Asking for "C" allocates nothing.
ScanInCLocale::ScanInCLocale()
    : m_c(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))),
      m_previous(uselocale(m_c)) {}

ScanInCLocale::~ScanInCLocale() {
    uselocale(m_previous);
    freelocale(m_c);
}
