#pragma once
// The only place that includes libcups. Its PPD interface (and cupsGetPPD)
// is marked deprecated upstream but is what Printdeck is built on; the
// versioning header drops the deprecation attributes when _CUPS_SOURCE is
// defined, so every user of libcups includes this header instead.
#ifndef _CUPS_SOURCE
#define _CUPS_SOURCE
#define PRINTDECK_DEFINED_CUPS_SOURCE
#endif
#include <cups/cups.h>
#include <cups/ppd.h>
#ifdef PRINTDECK_DEFINED_CUPS_SOURCE
#undef _CUPS_SOURCE
#undef PRINTDECK_DEFINED_CUPS_SOURCE
#endif
