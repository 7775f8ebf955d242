#include "search/venue_parts.h"

namespace {
VenueParts g_parts;
}

VenueParts& GetVenueParts() {
  return g_parts;
}

void ResetVenuePartsForTests() {
  g_parts = VenueParts{};
}
