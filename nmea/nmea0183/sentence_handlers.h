#pragma once
// The handler of every sentence in nmea/nmea0183/sentence_list.h.

#include "nmea/nmea0183/sentence_parser.h"

namespace nmea {

#define VELTROSA_SENTENCE(kind, id) void Handle##id(TSentenceContext& Ctx);
#include "nmea/nmea0183/sentence_list.h"
#undef VELTROSA_SENTENCE

}  // namespace nmea
